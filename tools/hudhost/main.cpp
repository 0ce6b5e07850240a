// hudhost: a stand-in for the modeller. It loads the HUD plug-in exactly as the host does, renders
// the host's viewport offscreen with the HUD over it, and writes the picture; or shows it live in a
// window (--window).
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "bench.h"
#include "gl_context.h"
#include "gl_state.h"
#include "host_side.h"
#include "options.h"
#include "plugin_loader.h"
#include "png_writer.h"
#include "preview.h"
#include "scene.h"
#include "soak.h"
#include "viewport.h"

namespace {

constexpr int kPluginVersion = 4;
constexpr int kFailed = 1;
constexpr int kBadOptions = 2;

int fail(int status, const std::string& reason) {
    std::fprintf(stderr, "hudhost: %s\n", reason.c_str());
    return status;
}

// A path as seen from the directory hudhost was started in, so that --workdir does not move it.
std::string fromStartDirectory(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

void printCatalogue(const hudhost::HostSide& host) {
    std::printf("plug-in version %d\n", kPluginVersion);
    const std::int32_t count = host.functionCount();
    for (std::int32_t n = 0; n < count; ++n) {
        std::printf("function %d: kind %d, \"%s\"\n", n, host.functionKind(n),
                    host.functionName(n));
    }
}

void printChangedState(const hudhost::GlStateWatch& watch) {
    std::string names;
    for (const std::string& name : watch.changed()) names += (names.empty() ? "" : ", ") + name;
    std::printf("the HUD changed: %s\n", names.empty() ? "nothing" : names.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    using namespace hudhost;

    // Options.
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) return fail(kBadOptions, error);
    if (options.help) {
        std::fputs(usageText(), stdout);
        std::printf("\n%s", previewKeys());
        return 0;
    }
    const std::string pluginPath =
        options.pluginPath.empty() ? defaultPluginPath() : fromStartDirectory(options.pluginPath);
    const std::string outPath = fromStartDirectory(options.outPath);

    // Working directory: the HUD finds its INI file relative to it, as in the modeller's folder.
    if (!options.workDir.empty()) {
        std::error_code ec;
        std::filesystem::current_path(options.workDir, ec);
        if (ec) return fail(kFailed, "cannot work in " + options.workDir + ": " + ec.message());
    }

    // The plug-in: load it, check its interface version, hand it the host's records.
    std::unique_ptr<HostSide> host;
    if (options.loadPlugin) {
        PluginExports exports;
        if (!loadPlugin(pluginPath, exports, error)) return fail(kFailed, error);
        const int version = exports.getPluginVersion();
        if (version != kPluginVersion) {
            return fail(kFailed, pluginPath + " speaks plug-in interface version " +
                                     std::to_string(version) + ", not 4");
        }
        host = std::make_unique<HostSide>(SceneSetup{
            options.camera, options.selectionMode, options.faces, options.edges, options.vertices});
        if (!host->attach(exports.initializePlugin, error)) return fail(kFailed, error);
    }
    if (options.list) {
        printCatalogue(*host);
        return 0;
    }
    if (options.window) {
        if (!runPreview(options, outPath, *host, error)) return fail(kFailed, error);
        return 0;
    }

    // GL: the viewport's offscreen context and the host's scene in it.
    std::unique_ptr<GlContext> gl = GlContext::create(options.width, options.height, error);
    if (!gl) return fail(kFailed, "no OpenGL: " + error);
    const Scene scene(options.camera, options.background);
    Viewport viewport(scene, host.get(), options.drawFlags, options.width, options.height);
    GlStateWatch watch;
    if (options.glState) viewport.watch(&watch);

    // Start-up: the viewport is up before the user picks a command, and the HUD's first drawing
    // call reads its INI file, so that Next and Prev find the pages. Then the commands, in order.
    viewport.frame(options.hudFrames != 0);
    for (Command command : options.commands) host->execute(command);

    // The frames.
    bool soakPassed = true;
    if (options.soak) {
        soakPassed = runSoak(viewport, *host, options.frames, error);
    } else if (options.bench) {
        runBench(viewport, options.frames);
    } else {
        for (long frame = 1; frame <= options.frames; ++frame) {
            viewport.frame(options.hudFrames < 0 || frame <= options.hudFrames);
        }
    }

    // The picture of the last frame, and what the HUD left changed.
    std::string writeError;
    if (!writeFramePng(outPath, options.width, options.height, writeError)) {
        return fail(kFailed, writeError);
    }
    std::printf("picture: %s (%dx%d, frame %ld)\n", outPath.c_str(), options.width, options.height,
                options.frames);
    if (options.glState) printChangedState(watch);

    // Shut down as the modeller does: the plug-in releases its GL resources while the context is
    // still current.
    if (host) host->release();
    return soakPassed ? 0 : fail(kFailed, error);
}

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
#include "layout_check.h"
#include "options.h"
#include "pages/hud_settings.h"
#include "plugin_loader.h"
#include "png_writer.h"
#include "preview.h"
#include "scene.h"
#include "soak.h"
#include "viewport.h"
#include "why_no_hud.h"

namespace {

using namespace hudhost;

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

// The HUD finds its INI file relative to the working directory, as in the modeller's folder.
bool enterWorkDir(const Options& options, std::string& error) {
    if (options.workDir.empty()) return true;
    std::error_code ec;
    std::filesystem::current_path(options.workDir, ec);
    if (ec) error = "cannot work in " + options.workDir + ": " + ec.message();
    return !ec;
}

// Loads the plug-in and hands it the host's records; null, with the reason, when that fails.
std::unique_ptr<HostSide> attachPlugin(const Options& options, const std::string& pluginPath,
                                       std::string& error) {
    PluginExports exports;
    if (!loadPlugin(pluginPath, exports, error)) return nullptr;
    auto host = std::make_unique<HostSide>(SceneSetup{
        options.camera, options.selectionMode, options.faces, options.edges, options.vertices});
    if (!host->attach(exports.initializePlugin, error)) return nullptr;
    return host;
}

// The modes, one function each.

int runHelp() {
    std::fputs(usageText().c_str(), stdout);
    std::printf("\n%s", previewKeys());
    return 0;
}

int runList(const Options& options, const std::string& pluginPath) {
    std::string error;
    const std::unique_ptr<HostSide> host = attachPlugin(options, pluginPath, error);
    if (!host) return fail(kFailed, error);
    std::printf("plug-in version %d\n", kPluginVersion);
    const std::int32_t count = host->functionCount();
    for (std::int32_t n = 0; n < count; ++n) {
        std::printf("function %d: kind %d, \"%s\"\n", n, host->functionKind(n),
                    host->functionName(n));
    }
    return 0;
}

// The layout file read as the HUD reads it, with no plug-in loaded.
int runCheck(const Options& options) {
    const std::string layout = options.checkPath.empty() ? vantor::kIniPath : options.checkPath;
    const check::CheckResult result =
        check::checkLayout(layout, options.width, options.height, options.ignored);
    check::print(result, stdout);
    return result.exitStatus;
}

int runWindow(const Options& options, const std::string& pluginPath, const std::string& outPath) {
    std::string error;
    const std::unique_ptr<HostSide> host = attachPlugin(options, pluginPath, error);
    if (!host || !runPreview(options, outPath, *host, error)) return fail(kFailed, error);
    return 0;
}

void printChangedState(const GlStateWatch& watch) {
    std::string names;
    for (const std::string& name : watch.changed()) names += (names.empty() ? "" : ", ") + name;
    std::printf("the HUD changed: %s\n", names.empty() ? "nothing" : names.c_str());
}

// The viewport offscreen for the frames asked for, and the picture of the last one; with no
// plug-in when `host` is null.
int runPicture(const Options& options, const std::string& outPath, HostSide* host) {
    std::string error;
    std::unique_ptr<GlContext> gl = GlContext::create(options.width, options.height, error);
    if (!gl) return fail(kFailed, "no OpenGL: " + error);
    const Scene scene(options.camera, options.background);
    Viewport viewport(scene, host, options.drawFlags, options.width, options.height);
    GlStateWatch watch;
    if (options.glState) viewport.watch(&watch);

    // Start-up: the viewport is up before the user picks a command, and the HUD's first drawing
    // call reads its INI file, so that Next and Prev find the pages. Then the commands, in order.
    viewport.frame(options.hudFrames != 0);
    for (vantor::PluginFunction command : options.commands) host->execute(command);

    // The frames.
    bool soakPassed = true;
    if (options.mode == Mode::Soak) {
        soakPassed = runSoak(viewport, *host, options.frames, error);
    } else if (options.mode == Mode::Bench) {
        runBench(viewport, *host, options.frames);
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
    // A picture without the HUD is most often a slip in the run's options or the layout's place.
    const std::string why = host ? whyNoHud(options) : std::string();
    if (!why.empty()) std::fprintf(stderr, "hudhost: %s\n", why.c_str());

    // Shut down as the modeller does: the plug-in releases its GL resources while the context is
    // still current.
    if (host) host->release();
    return soakPassed ? 0 : fail(kFailed, error);
}

// A picture, a soak run or a bench run, with the plug-in loaded.
int runWithPlugin(const Options& options, const std::string& pluginPath,
                  const std::string& outPath) {
    std::string error;
    const std::unique_ptr<HostSide> host = attachPlugin(options, pluginPath, error);
    if (!host) return fail(kFailed, error);
    return runPicture(options, outPath, host.get());
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) return fail(kBadOptions, error);
    // Paths as given, before --workdir moves the working directory.
    const std::string pluginPath =
        options.pluginPath.empty() ? defaultPluginPath() : fromStartDirectory(options.pluginPath);
    const std::string outPath = fromStartDirectory(options.outPath);
    if (options.mode != Mode::Help && !enterWorkDir(options, error)) return fail(kFailed, error);

    switch (options.mode) {
        case Mode::Help:
            return runHelp();
        case Mode::Check:
            return runCheck(options);
        case Mode::List:
            return runList(options, pluginPath);
        case Mode::Window:
            return runWindow(options, pluginPath, outPath);
        case Mode::Scene:
            return runPicture(options, outPath, nullptr);
        case Mode::Picture:
        case Mode::Soak:
        case Mode::Bench:
            return runWithPlugin(options, pluginPath, outPath);
    }
    return fail(kFailed, "no such mode");
}

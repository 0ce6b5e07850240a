#include "runs/runs.h"

#include <cstdio>
#include <memory>
#include <string>

#include "check/layout_check.h"
#include "gl_context.h"
#include "host/host_side.h"
#include "host/plugin_loader.h"
#include "host/say.h"
#include "pages/hud_settings.h"
#include "preview/preview.h"
#include "render/gl_state.h"
#include "render/png_writer.h"
#include "render/scene.h"
#include "render/viewport.h"
#include "runs/bench.h"
#include "runs/soak.h"
#include "runs/why_no_hud.h"

namespace hudhost {
namespace {

// Loads the plug-in and hands it the host's records; null, with the reason, when that fails.
std::unique_ptr<HostSide> startPlugin(const Options& options, std::string& error) {
    PluginExports exports;
    if (!loadPlugin(options.pluginPath, exports, error)) return nullptr;
    auto host = std::make_unique<HostSide>(sceneOf(options));
    if (!host->attach(exports.initializePlugin, error)) return nullptr;
    return host;
}

void printChangedState(const GlStateWatch& watch) {
    std::string names;
    for (const std::string& name : watch.changed()) names += (names.empty() ? "" : ", ") + name;
    std::printf("the HUD changed: %s\n", names.empty() ? "nothing" : names.c_str());
}

// The host's viewport offscreen at the run's size, in a GL context of its own that stays current
// while it lives; the HUD is drawn only when it is opened with a host.
class Offscreen {
public:
    static std::unique_ptr<Offscreen> open(const Options& options, const HostSide* host,
                                           std::string& error) {
        std::unique_ptr<GlContext> gl = GlContext::create(options.width, options.height, error);
        if (!gl) {
            error = "no OpenGL: " + error;
            return nullptr;
        }
        return std::unique_ptr<Offscreen>(new Offscreen(options, host, std::move(gl)));
    }

    const Viewport& viewport() const { return viewport_; }

    // The frames of a picture, the HUD in those --hud-frames allows.
    void renderFrames() const {
        for (long frame = 1; frame <= options_.frames; ++frame) {
            viewport_.frame(options_.hudFrames < 0 || frame <= options_.hudFrames);
        }
    }

    // Writes the picture of the last frame, when the run has one, and says so, with what the HUD
    // left changed. False, with the reason, when it cannot be written.
    bool save(long frame, std::string& error) const {
        if (!options_.outPath.empty()) {
            if (!writeFramePng(options_.outPath, options_.width, options_.height, error)) {
                return false;
            }
            std::printf("picture: %s (%dx%d, frame %ld)\n", options_.outPath.c_str(),
                        options_.width, options_.height, frame);
        }
        if (options_.glState) printChangedState(watch_);
        return true;
    }

private:
    Offscreen(const Options& options, const HostSide* host, std::unique_ptr<GlContext> gl)
        : options_(options),
          gl_(std::move(gl)),
          scene_(options.camera, options.background),
          viewport_(scene_, host, options.drawFlags, options.width, options.height) {
        if (options.glState) viewport_.watch(&watch_);
    }

    const Options& options_;
    std::unique_ptr<GlContext> gl_;  // first made, last gone: the scene's lists live in it
    Scene scene_;
    Viewport viewport_;
    GlStateWatch watch_;
};

// What a run with the plug-in renders after its start-up: its frames, `drawn` of them (a soak may
// end before --frames). False, with a one-line reason, when a check of the run failed.
using FrameRun = bool (*)(const Options&, const Offscreen&, const HostSide&, long& drawn,
                          std::string&);

bool pictureFrames(const Options&, const Offscreen& screen, const HostSide&, long&, std::string&) {
    screen.renderFrames();
    return true;
}

bool soakFrames(const Options& options, const Offscreen& screen, const HostSide& host, long& drawn,
                std::string& error) {
    const SoakResult soak = runSoak(screen.viewport(), host, options.frames);
    drawn = soak.frames;
    error = soak.failure;
    return soak.failure.empty();
}

bool benchFrames(const Options& options, const Offscreen& screen, const HostSide& host, long&,
                 std::string& error) {
    return runBench(screen.viewport(), host, options.frames, error);
}

// A picture, soak or bench run: the plug-in loaded, the frames rendered and the last one saved.
int withPlugin(const Options& options, FrameRun frames) {
    std::string error;
    const std::unique_ptr<HostSide> host = startPlugin(options, error);
    if (!host) return fail(kFailed, error);
    const std::unique_ptr<Offscreen> screen = Offscreen::open(options, host.get(), error);
    if (!screen) return fail(kFailed, error);

    // Start-up: the viewport is up before the user picks a command, and the HUD's first drawing
    // call reads its INI file, so that Next and Prev find the pages. Then the commands, in order.
    screen->viewport().frame(options.hudFrames != 0);
    for (vantor::PluginFunction command : options.commands) host->execute(command);

    long drawn = options.frames;
    const bool passed = frames(options, *screen, *host, drawn, error);
    std::string saveError;
    const bool saved = screen->save(drawn, saveError);
    // A picture without the HUD, or without a count asked for, is most often a slip in the run's
    // options or the layout's place.
    if (saved) {
        say(whyNoHud(options, drawn));
        say(countsNotShown(options));
    }
    // Shut down as the modeller does: the plug-in releases its GL resources while the context is
    // still current.
    host->release();
    if (!saved) return fail(kFailed, saveError);
    return passed ? kDone : fail(kFailed, error);
}

}  // namespace

int fail(int status, const std::string& reason) {
    say(reason);
    return status;
}

int pictureRun(const Options& options) { return withPlugin(options, pictureFrames); }
int soakRun(const Options& options) { return withPlugin(options, soakFrames); }
int benchRun(const Options& options) { return withPlugin(options, benchFrames); }

// No plug-in is ever loaded, so none can be called.
int sceneRun(const Options& options) {
    std::string error;
    const std::unique_ptr<Offscreen> screen = Offscreen::open(options, nullptr, error);
    if (!screen) return fail(kFailed, error);
    screen->viewport().frame(false);  // the start-up frame of a run with the plug-in
    screen->renderFrames();
    return screen->save(options.frames, error) ? kDone : fail(kFailed, error);
}

int listRun(const Options& options) {
    std::string error;
    const std::unique_ptr<HostSide> host = startPlugin(options, error);
    if (!host) return fail(kFailed, error);
    std::printf("plug-in version %d\n", kPluginVersion);
    const std::int32_t count = host->functionCount();
    for (std::int32_t n = 0; n < count; ++n) {
        std::printf("function %d: kind %d, \"%s\"\n", n, host->functionKind(n),
                    host->functionName(n));
    }
    return kDone;
}

int windowRun(const Options& options) {
    std::string error;
    const std::unique_ptr<HostSide> host = startPlugin(options, error);
    const PreviewSetup setup{sceneOf(options), options.background, options.drawFlags,
                             options.commands, options.width,      options.height,
                             options.outPath};
    if (!host || !runPreview(setup, *host, error)) return fail(kFailed, error);
    return kDone;
}

int checkRun(const Options& options) {
    const std::string layout = options.checkPath.empty() ? vantor::kIniPath : options.checkPath;
    const check::CheckResult result =
        check::checkLayout(layout, options.width, options.height, options.ignored);
    check::print(result, stdout, options.reportFormat);
    say(layoutElsewhere(options));
    return result.exitStatus;
}

}  // namespace hudhost

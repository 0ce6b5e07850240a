#include "runs/bench.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

#include "pages/file_format.h"
#include "platform/ini_parse.h"
#include "runs/progress.h"

namespace hudhost {
namespace {

namespace fs = std::filesystem;

// Frames rendered before timing, so that both runs start with warm caches and built lists.
constexpr long kWarmUpFrames = 20;
// The values of ROW_CACHE and of TEXT_EFFECT each look is timed with.
constexpr int kRowCaches = 2;
constexpr int kTextEffects = 3;
const fs::path kIniFile = fs::path(vantor::iniFolder()) / vantor::kIniName;

// The runs timed: with the HUD, each look, and without.
constexpr long kTimedRuns = 2 + kRowCaches * kTextEffects;

double framesPerSecond(const Viewport& viewport, bool withHud, long frames, Progress& progress) {
    for (long i = 0; i < kWarmUpFrames; ++i) {
        viewport.frame(withHud);
        progress.advance();
    }
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < frames; ++i) {
        viewport.frame(withHud);
        glFinish();  // a frame counts once the GL has drawn it, as a swap would wait for it
        progress.advance();
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return static_cast<double>(frames) / seconds.count();
}

// "TEXT_EFFECT=1 shadow, ROW_CACHE=1": a look as the rates name it.
std::string lookName(int effect, int cache) {
    const char* const effects[kTextEffects] = {"TEXT_EFFECT=0 none", "TEXT_EFFECT=1 shadow",
                                               "TEXT_EFFECT=2 outline"};
    return std::string(effects[effect]) + (cache != 0 ? ", ROW_CACHE=1" : "");
}

// `ini` with `keys` (lines) first in the CONFIG section the HUD reads, where they win over the
// file's own.
std::string withKeys(const std::string& ini, const std::string& key) {
    vantor::platform::IniIndex index;
    index.parseFile(ini, vantor::platform::profileForms());
    const auto config = index.findSection(vantor::kConfigSection);
    if (!config) return ini + "\n[" + vantor::kConfigSection + "]\n" + key;
    // After the line of its header: past the line end that closes it.
    std::size_t after = 0;
    for (int line = 0; line < config->at.line; ++line) {
        const std::size_t lineEnd = ini.find('\n', after);
        if (lineEnd == std::string::npos) return ini + "\n" + key;
        after = lineEnd + 1;
    }
    return ini.substr(0, after) + key + ini.substr(after);
}

// The HUD's rate with `effect` and `cache`: the layout in the working directory copied with the
// keys set into a folder of its own, the HUD reloaded from there, and afterwards from where it
// was; `rebuildMs` is what the first frame after the reload took, the rebuild in it. None, with
// the reason, when the copy cannot be written or entered: a rate then would be the HUD's with no
// file at all.
std::optional<double> lookFramesPerSecond(const Viewport& viewport, const HostSide& host,
                                          long frames, int effect, int cache, double& rebuildMs,
                                          Progress& progress, std::string& error) {
    std::ifstream in(kIniFile, std::ios::binary);
    const std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::error_code ec;
    const fs::path temporary = fs::temp_directory_path(ec);
    if (ec) {
        error = "the bench has no temporary folder for its copy of the layout: " + ec.message();
        return std::nullopt;
    }
    const fs::path home = fs::current_path();
    const fs::path copy =
        temporary / ("hudhost-bench-" +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(copy / kIniFile.parent_path(), ec);
    if (!ec) {
        std::ofstream out(copy / kIniFile, std::ios::binary);
        out << withKeys(ini, "TEXT_EFFECT=" + std::to_string(effect) +
                                 "\nROW_CACHE=" + std::to_string(cache) + "\n");
        out.close();
        if (!out) ec = std::make_error_code(std::errc::io_error);
    }
    const char* step = "write";
    if (!ec) {
        step = "enter";
        fs::current_path(copy, ec);
    }
    if (ec) {
        error = std::string("the bench cannot ") + step + " its copy of the layout in " +
                temporary.string() + ": " + ec.message();
        fs::remove_all(copy, ec);
        return std::nullopt;
    }
    host.execute(vantor::kReloadIniCommand);
    const auto start = std::chrono::steady_clock::now();
    viewport.frame(true);
    glFinish();
    rebuildMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double rate = framesPerSecond(viewport, true, frames, progress);
    fs::current_path(home, ec);
    host.execute(vantor::kReloadIniCommand);
    viewport.frame(true);  // the rebuild from the user's file again
    fs::remove_all(copy, ec);
    return rate;
}

}  // namespace

bool runBench(const Viewport& viewport, const HostSide& host, long frames, std::string& error) {
    Progress progress("bench", kTimedRuns * (kWarmUpFrames + frames));
    progress.watch("HUD on");
    const double on = framesPerSecond(viewport, true, frames, progress);
    double rates[kRowCaches][kTextEffects] = {};
    double rebuildMs = 0.0;  // with the glyph lists and no effect: the lists of the layout
    for (int cache = 0; cache < kRowCaches; ++cache) {
        for (int effect = 0; effect < kTextEffects; ++effect) {
            double ms = 0.0;
            progress.watch(lookName(effect, cache));
            const std::optional<double> rate =
                lookFramesPerSecond(viewport, host, frames, effect, cache, ms, progress, error);
            if (!rate) return false;
            rates[cache][effect] = *rate;
            if (cache == 0 && effect == 0) rebuildMs = ms;
        }
    }
    progress.watch("HUD off");
    const double off = framesPerSecond(viewport, false, frames, progress);
    progress.finish();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("bench: %dx%d, %ld frames each, %s\n", viewport.width(), viewport.height(), frames,
                renderer != nullptr ? renderer : "unknown renderer");
    auto rate = [](const std::string& what, double fps) {
        std::printf("bench: %-32s %9.1f fps  %7.3f ms a frame\n", what.c_str(), fps, 1000.0 / fps);
    };
    rate("HUD on", on);
    for (int cache = 0; cache < kRowCaches; ++cache) {
        for (int effect = 0; effect < kTextEffects; ++effect) {
            rate(lookName(effect, cache), rates[cache][effect]);
        }
    }
    rate("HUD off", off);
    std::printf("bench: on/off                           %9.3f\n", on / off);
    std::printf("bench: the frame of a reload, its rebuild in it (TEXT_EFFECT=0): %.1f ms\n",
                rebuildMs);
    return true;
}

}  // namespace hudhost

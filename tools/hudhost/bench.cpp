#include "bench.h"

#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

#include "pages/file_format.h"

namespace hudhost {
namespace {

namespace fs = std::filesystem;

// Frames rendered before timing, so that both runs start with warm caches and built lists.
constexpr long kWarmUpFrames = 20;
const fs::path kIniFile = fs::path(vantor::iniFolder()) / vantor::kIniName;

double framesPerSecond(const Viewport& viewport, bool withHud, long frames) {
    for (long i = 0; i < kWarmUpFrames; ++i) viewport.frame(withHud);
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < frames; ++i) {
        viewport.frame(withHud);
        glFinish();  // a frame counts once the GL has drawn it, as a swap would wait for it
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return static_cast<double>(frames) / seconds.count();
}

// `ini` with TEXT_EFFECT=`effect` as the first key of its first CONFIG section, where it wins
// over one the file holds; section names match in any letter case, as the HUD reads them.
std::string withTextEffect(const std::string& ini, int effect) {
    const std::string key = "TEXT_EFFECT=" + std::to_string(effect) + "\n";
    std::istringstream lines(ini);
    std::string line;
    std::size_t end = 0;
    while (std::getline(lines, line)) {
        end += line.size() + 1;
        std::string name;
        for (char c : line) {
            if (!std::isspace(static_cast<unsigned char>(c))) {
                name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
        }
        if (name.rfind("[CONFIG]", 0) == 0) {
            return ini.substr(0, end) + (end > ini.size() ? "\n" : "") + key +
                   ini.substr(std::min(end, ini.size()));
        }
    }
    return ini + "\n[CONFIG]\n" + key;
}

// The HUD's rate with `effect`: the layout in the working directory copied with the effect set
// into a folder of its own, the HUD reloaded from there, and afterwards from where it was. None,
// with the reason, when the copy cannot be written or entered: a rate then would be the HUD's
// with no file at all.
std::optional<double> effectFramesPerSecond(const Viewport& viewport, const HostSide& host,
                                            long frames, int effect, std::string& error) {
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
        out << withTextEffect(ini, effect);
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
    const double rate = framesPerSecond(viewport, true, frames);
    fs::current_path(home, ec);
    host.execute(vantor::kReloadIniCommand);
    viewport.frame(true);  // the rebuild from the user's file again
    fs::remove_all(copy, ec);
    return rate;
}

}  // namespace

bool runBench(const Viewport& viewport, const HostSide& host, long frames, std::string& error) {
    const double on = framesPerSecond(viewport, true, frames);
    double withEffect[3] = {};
    for (int effect = 0; effect < 3; ++effect) {
        const std::optional<double> rate =
            effectFramesPerSecond(viewport, host, frames, effect, error);
        if (!rate) return false;
        withEffect[effect] = *rate;
    }
    const double off = framesPerSecond(viewport, false, frames);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("bench: %dx%d, %ld frames each, %s\n", viewport.width(), viewport.height(), frames,
                renderer != nullptr ? renderer : "unknown renderer");
    auto rate = [](const char* what, double fps) {
        std::printf("bench: %-20s %9.1f fps  %7.3f ms a frame\n", what, fps, 1000.0 / fps);
    };
    rate("HUD on", on);
    const char* const names[] = {"TEXT_EFFECT=0 none", "TEXT_EFFECT=1 shadow",
                                 "TEXT_EFFECT=2 outline"};
    for (int effect = 0; effect < 3; ++effect) rate(names[effect], withEffect[effect]);
    rate("HUD off", off);
    std::printf("bench: on/off               %9.3f\n", on / off);
    return true;
}

}  // namespace hudhost

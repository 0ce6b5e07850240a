#include "bench.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "pages/file_format.h"
#include "platform/ini_parse.h"

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

// `ini` with TEXT_EFFECT=`effect` as the first key of the CONFIG section the HUD reads, where it
// wins over one the file holds.
std::string withTextEffect(const std::string& ini, int effect) {
    const std::string key = "TEXT_EFFECT=" + std::to_string(effect) + "\n";
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

// The HUD's rate with `effect`: the layout in the working directory copied with the effect set
// into a folder of its own, the HUD reloaded from there, and afterwards from where it was.
double effectFramesPerSecond(const Viewport& viewport, const HostSide& host, long frames,
                             int effect) {
    std::ifstream in(kIniFile, std::ios::binary);
    const std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const fs::path home = fs::current_path();
    const fs::path copy =
        fs::temp_directory_path() /
        ("hudhost-bench-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::error_code ec;
    fs::create_directories(copy / kIniFile.parent_path(), ec);
    std::ofstream(copy / kIniFile, std::ios::binary) << withTextEffect(ini, effect);
    fs::current_path(copy, ec);
    host.execute(vantor::kReloadIniCommand);
    const double rate = ec ? 0.0 : framesPerSecond(viewport, true, frames);
    fs::current_path(home, ec);
    host.execute(vantor::kReloadIniCommand);
    viewport.frame(true);  // the rebuild from the user's file again
    fs::remove_all(copy, ec);
    return rate;
}

}  // namespace

void runBench(const Viewport& viewport, const HostSide& host, long frames) {
    const double on = framesPerSecond(viewport, true, frames);
    double withEffect[3] = {};
    for (int effect = 0; effect < 3; ++effect) {
        withEffect[effect] = effectFramesPerSecond(viewport, host, frames, effect);
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
}

}  // namespace hudhost

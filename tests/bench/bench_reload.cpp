// reloadConfig on a full INI file: five pages of 28 rows of 80 characters and every CONFIG key,
// 148 INI reads a reload. Run: build/linux/bin/bench_reload
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "pages/hud_settings.h"

namespace {

std::string fullIni() {
    std::string ini = "; a full layout\n";
    for (int p = 1; p <= 5; ++p) {
        ini += "[SECTION" + std::to_string(p) + "]\n";
        for (int r = 1; r <= 28; ++r) {
            std::string text =
                "Page " + std::to_string(p) + " row " + std::to_string(r) + " *CUR_TIME* ";
            text.resize(80, '.');
            ini += "ROWDATA" + std::to_string(r) + "=" + text + "\n";
        }
    }
    ini +=
        "[CONFIG]\nHUD_POS_X=20\nHUD_POS_Y=460\nHUD_STEP_Y=16\nFONT_SIZE=14\n"
        "FONT_FACE=Liberation Mono\nCOLOR_RED=255\nCOLOR_GREEN=200\nCOLOR_BLUE=0\n";
    return ini;
}

void writeIni() {
    const std::string ini = fullIni();
    std::FILE* file = std::fopen("Plugins/Startup Plugins/VantorHUD.ini", "wb");
    std::fwrite(ini.data(), 1, ini.size(), file);
    std::fclose(file);
}

// A temporary working directory holding the full file, as the host's working directory would.
struct HostDirectory {
    std::string path = (std::filesystem::temp_directory_path() / "vantor-bench-XXXXXX").string();
    HostDirectory() {
        if (mkdtemp(path.data()) == nullptr || chdir(path.c_str()) != 0) std::abort();
        std::filesystem::create_directories("Plugins/Startup Plugins");
        writeIni();
    }
    ~HostDirectory() {
        if (chdir("/") == 0) std::filesystem::remove_all(path);
    }
};

void checkLoaded(benchmark::State& state, vantor::PageStore& store) {
    if (store.getPageCount() != 5) state.SkipWithError("the full file did not load");
}

// The usual case: the file was saved a while before the reload.
void BM_ReloadConfig(benchmark::State& state) {
    HostDirectory dir;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    auto store = std::make_unique<vantor::PageStore>();
    vantor::HudSettings settings{};
    for (auto _ : state) {
        vantor::reloadConfig(*store, settings);
        benchmark::DoNotOptimize(settings);
    }
    checkLoaded(state, *store);
}
BENCHMARK(BM_ReloadConfig)->Unit(benchmark::kMicrosecond);

// The file changed just before each reload, so every read parses it again.
void BM_ReloadConfigJustSaved(benchmark::State& state) {
    HostDirectory dir;
    auto store = std::make_unique<vantor::PageStore>();
    vantor::HudSettings settings{};
    for (auto _ : state) {
        state.PauseTiming();
        writeIni();
        state.ResumeTiming();
        vantor::reloadConfig(*store, settings);
        benchmark::DoNotOptimize(settings);
    }
    checkLoaded(state, *store);
}
BENCHMARK(BM_ReloadConfigJustSaved)->Unit(benchmark::kMicrosecond);

}  // namespace

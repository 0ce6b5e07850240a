// reloadConfig alone on the full layout file: five pages of 28 rows and every CONFIG key, 148 INI
// reads a reload. Run: build/linux/bin/bench_reload
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "hud_layout.h"
#include "pages/hud_settings.h"
#include "work_folder.h"

namespace {

void checkLoaded(benchmark::State& state, vantor::PageStore& store) {
    if (store.getPageCount() != 5) state.SkipWithError("the full file did not load");
}

// The usual case: the file was saved a while before the reload.
void BM_ReloadConfig(benchmark::State& state) {
    vantor::test::WorkFolder dir(vantor::bench::fullLayoutIni());
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
    const std::string ini = vantor::bench::fullLayoutIni();
    vantor::test::WorkFolder dir(ini);
    auto store = std::make_unique<vantor::PageStore>();
    vantor::HudSettings settings{};
    for (auto _ : state) {
        state.PauseTiming();
        dir.writeIni(ini);
        state.ResumeTiming();
        vantor::reloadConfig(*store, settings);
        benchmark::DoNotOptimize(settings);
    }
    checkLoaded(state, *store);
}
BENCHMARK(BM_ReloadConfigJustSaved)->Unit(benchmark::kMicrosecond);

}  // namespace

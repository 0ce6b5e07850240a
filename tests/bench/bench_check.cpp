// hudhost --check on the full layout file: five pages of 28 rows, every token and every CONFIG
// key, with the findings printed to nowhere. Run: build/linux/bin/bench_check
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "check/layout_check.h"
#include "hud_layout.h"
#include "pages/hud_settings.h"
#include "work_folder.h"

namespace {

void checkFullLayout(benchmark::State& state) {
    vantor::test::WorkFolder dir(vantor::bench::fullLayoutIni());
    // Saved a while before, as a layout is when checked: the reader trusts its parse of it.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::FILE* sink = std::fopen("/dev/null", "w");
    hudhost::check::CheckResult result;
    for (auto _ : state) {
        result = hudhost::check::checkLayout(vantor::kIniPath);
        hudhost::check::print(result, sink);
        benchmark::DoNotOptimize(result);
    }
    std::fclose(sink);
    if (result.exitStatus != 0) state.SkipWithError("the full layout did not check clean");
}

// The first check of a process looks up the font (fontconfig and FreeType); registered first, it
// runs once, before anything else has looked the font up.
void BM_CheckFirstInProcess(benchmark::State& state) { checkFullLayout(state); }
BENCHMARK(BM_CheckFirstInProcess)->Iterations(1)->Unit(benchmark::kMillisecond);

// Every later check, as the preview runs one on each reload.
void BM_CheckFullLayout(benchmark::State& state) { checkFullLayout(state); }
BENCHMARK(BM_CheckFullLayout)->Unit(benchmark::kMillisecond);

}  // namespace

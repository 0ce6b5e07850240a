// hudhost --check on the full layout file: five pages of 28 rows, every token and every CONFIG
// key, with the findings printed to nowhere. Run: build/linux/bin/bench_check
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "hud_layout.h"
#include "ini_workdir.h"
#include "layout_check.h"
#include "pages/hud_settings.h"

namespace {

void BM_CheckFullLayout(benchmark::State& state) {
    vantor::test::IniWorkdir dir(vantor::bench::fullLayoutIni());
    // Saved a while before, as a layout is when checked: the reader trusts its parse of it.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::FILE* sink = std::fopen("/dev/null", "w");
    int warnings = 0;
    for (auto _ : state) {
        const auto result = hudhost::check::checkLayout(vantor::kIniPath, sink);
        warnings = result.warnings;
        benchmark::DoNotOptimize(result);
    }
    std::fclose(sink);
    state.counters["warnings"] = warnings;
}
BENCHMARK(BM_CheckFullLayout)->Unit(benchmark::kMillisecond);

}  // namespace

// The soak stops before --frames only where running on would pass: a leak that the whole run
// shows keeps it running to the end, through the pages' different amounts of resident memory.
#include <gtest/gtest.h>

#include <cstdint>

#include "runs/soak_memory.h"

namespace hudhost {
namespace {

struct SoakRun {
    const char* name;
    std::uint64_t leakKiB;   // per reload
    std::size_t samples;     // those the whole run takes: --frames / 1000
    std::size_t stopsAfter;  // samples
    bool grows;              // the run's verdict
};

TEST(SoakMemory, StopsEarlyOnlyWhereRunningOnWouldPass) {
    // Resident MiB with each of the example's three pages shown, as llvmpipe holds them; the page
    // turns ten times a reload.
    const double pageMiB[] = {88.47, 90.35, 90.36};
    const SoakRun runs[] = {
        {"Flat", 0, 10, 6, false},
        {"OneMiBAReload", 1024, 10, 10, true},
        {"JustAboveWhatTenSamplesShow", 420, 10, 10, true},
        {"BelowWhatTenSamplesShow", 400, 10, 10, false},
        {"HalfTheSlackOverTheRun", 200, 10, 6, false},
        {"ATenthOfAMiBOverAHundred", 103, 100, 100, true},
        {"FlatOverAHundred", 0, 100, 6, false},
        {"ShorterThanTheFewest", 0, 5, 5, false},
    };
    for (const SoakRun& run : runs) {
        SCOPED_TRACE(run.name);
        ResidentSamples resident;
        std::size_t taken = 0;
        while (taken < run.samples) {
            for (int turn = 0; turn < 10; ++turn) {
                resident.read(static_cast<std::uint64_t>(pageMiB[turn % 3] * (1 << 20)) +
                              taken * run.leakKiB * 1024);
            }
            resident.sample();
            if (++taken < run.samples && resident.flatFor(run.samples)) break;
        }
        EXPECT_EQ(taken, run.stopsAfter);
        EXPECT_EQ(resident.growth() > kResidentSlack, run.grows);
    }
}

}  // namespace
}  // namespace hudhost

// The soak run: many frames with the user's commands on a schedule, checked for the faults that
// only show over time.
#pragma once

#include <string>

#include "host/host_side.h"
#include "render/viewport.h"

namespace hudhost {

constexpr long kSoakReloadEvery = 1000;  // frames between two Reload INI commands
constexpr long kSoakPageEvery = 100;     // frames between two Next Page commands

struct SoakResult {
    long frames = 0;      // the frames drawn: all asked for, or fewer once there was no more to see
    std::string failure;  // why a check failed, in one line; empty when all passed
};

// Renders up to `most` frames with the HUD, running Reload INI before every 1000th frame and Next
// Page before every 100th. Checks that no frame leaves a GL error, that the number of live
// display lists stays what it was after frame 1, and that resident memory, the most of each
// 1000 frames, does not grow. Stops after a reload once its checks pass and memory has been flat
// for long enough that, at its rate so far, the whole run would stay well within the slack
// (soak_memory.h). Prints the figures and why it stopped on stdout.
SoakResult runSoak(const Viewport& viewport, const HostSide& host, long most);

}  // namespace hudhost

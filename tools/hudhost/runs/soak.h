// The soak run: many frames with the user's commands on a schedule, checked for the faults that
// only show over time.
#pragma once

#include "host/host_side.h"
#include "render/viewport.h"

namespace hudhost {

constexpr long kSoakReloadEvery = 1000;  // frames between two Reload INI commands
constexpr long kSoakPageEvery = 100;     // frames between two Next Page commands

// Renders `frames` frames with the HUD, running Reload INI before every 1000th frame and Next
// Page before every 100th. Checks that no frame leaves a GL error, that the number of live
// display lists stays what it was after frame 1, and that resident memory after frame 1000 does
// not grow. Prints the figures on stdout; false, with a one-line reason, when a check failed.
bool runSoak(const Viewport& viewport, const HostSide& host, long frames, std::string& error);

}  // namespace hudhost

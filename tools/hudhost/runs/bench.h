// Frame rates with and without the HUD, and with each text effect, measured in one run on the same
// context.
#pragma once

#include <string>

#include "host/host_side.h"
#include "render/viewport.h"

namespace hudhost {

// Renders `frames` frames with the HUD's drawing calls, as many with the layout's TEXT_EFFECT set
// to shadow and to outline (the HUD reloaded from a copy of the layout in a temporary folder, then
// from the working directory again), and as many without the HUD, each frame finished (glFinish)
// before the next, and prints the rates on stdout. False, with a one-line reason and no rates, when
// the copy cannot be written or entered.
bool runBench(const Viewport& viewport, const HostSide& host, long frames, std::string& error);

}  // namespace hudhost

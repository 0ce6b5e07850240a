// Frame rates with and without the HUD, measured in one run on the same context.
#pragma once

#include "viewport.h"

namespace hudhost {

// Renders `frames` frames with the HUD's drawing calls, then as many without them, each frame
// finished (glFinish) before the next, and prints both rates and their ratio on stdout.
void runBench(const Viewport& viewport, long frames);

}  // namespace hudhost

// Why a run's frames show no HUD, told from what the HUD is given: its file, the commands, and the
// frames and flags it is called with.
#pragma once

#include <string>

#include "options.h"

namespace hudhost {

// For a picture, soak or bench run: why the frames pictured (for --bench, those timed with the
// HUD) show none of it, as one line with the fix; empty when they show a page with text. Reads the
// HUD's file in the working directory with the HUD's own reader.
std::string whyNoHud(const Options& options);

}  // namespace hudhost

// Why a run's frames show no HUD, or not what was asked of it, told from what the HUD is given: its
// file, the commands, the frames and flags it is called with, and the selection.
#pragma once

#include <string>

#include "runs/run_options.h"

namespace hudhost {

// For a picture, soak or bench run: why the frames pictured (for --bench, those timed with the
// HUD) show none of it, as one line with the fix; empty when they show a page with text. Reads the
// HUD's file in the working directory with the HUD's own reader. `frames`: the frames drawn, which
// a soak run may end before --frames.
std::string whyNoHud(const Options& options, long frames);

// For a run with the plug-in: which selected counts given the HUD shows as 0, since the selection
// mode has it count something else, as one line with the fix; empty when it shows them all.
std::string countsNotShown(const Options& options);

// For --check: where the layout is when the check was pointed one step away from it (a folder
// that holds it given as the file, a working directory without its folders), as one line with the
// fix; empty otherwise. Reads the working directory.
std::string layoutElsewhere(const Options& options);

}  // namespace hudhost

// The runs of hudhost's modes, one function each, as the mode table names them. Each prints what
// it has to say and returns the exit status. Paths in the options are as seen from where hudhost
// was started; the working directory is --workdir's already.
#pragma once

#include "runs/run_options.h"

namespace hudhost {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kBadOptions = 2;
constexpr int kCheckErrors = 2;  // --check's status for errors, a file it cannot read among them

// The HUD over the viewport offscreen, the last frame written as a PNG.
int pictureRun(const Options& options);
// The same picture with no plug-in ever loaded.
int sceneRun(const Options& options);
// The plug-in's function catalogue.
int listRun(const Options& options);
// Frames with the commands on a schedule, checked for what only shows over time.
int soakRun(const Options& options);
// Frame rates with and without the HUD and with each text effect.
int benchRun(const Options& options);
// The live preview window.
int windowRun(const Options& options);
// The layout file read as the HUD reads it, with no plug-in loaded.
int checkRun(const Options& options);

// "hudhost: REASON" on stderr; returns `status`.
int fail(int status, const std::string& reason);

}  // namespace hudhost

// A hudhost run's command line read into what it asks, and the table of modes that do it.
#pragma once

#include <cstdint>
#include <string>

#include "runs/run_options.h"

namespace hudhost {

// Fills `options` from the command line. On a bad or missing value, an unknown option, an option
// the mode has no use for, or two modes, returns false with a one-line reason in `error`. Help
// answers whatever else is asked: its run gets the defaults.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

// The --help text, made from the same tables the parser reads.
std::string usageText();

// How the mode of `options` runs: its function, and the exit status when it cannot start at all
// (its working directory cannot be entered).
struct ModeRun {
    int (*run)(const Options& options);
    int cannotStart;
};
const ModeRun& modeRun(Mode mode);

}  // namespace hudhost

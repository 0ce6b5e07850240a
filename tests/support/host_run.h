// Runs hudhost as a separate program, the way a user does, and keeps what it printed and drew.
#pragma once

#include <string>
#include <vector>

#include "picture.h"

namespace e2e {

struct HostRun {
    int status = -1;               // the exit status; a crash never reads as 0, 1 or 2
    std::vector<std::string> out;  // stdout lines, without line ends
    std::vector<std::string> err;  // stderr lines
};

// Runs hudhost with `args`. `name` names the files its output is kept in, so that it can be read
// after a failure. `environment`, when given, is set for this run only.
HostRun runHost(const std::string& name, const std::vector<std::string>& args,
                const std::string& environment = "");

// The words that start hudhost: HUDHOST, or the program the environment's VANTOR_HUDHOST names,
// run through VANTOR_HUDHOST_RUNNER when that is set too. The window tests drive the Windows
// build that way, under wine.
std::vector<std::string> hostCommand();

// Runs hudhost with `args` and --out <outputDir>/<name>.png, and loads that picture. The run's
// status and output are returned; `picture` is left empty when none could be read.
HostRun render(const std::string& name, std::vector<std::string> args, Picture& picture);

// The folder that runs and pictures are kept in, created on first use.
std::string outputDir();

// Platform parts, one file per platform.

// The command line handed to std::system, from a line in the form a POSIX shell reads.
std::string shellLine(const std::string& line);
// The exit status of the program, from what std::system returned; -1 when it did not exit.
int exitStatusOf(int systemResult);
// Whether std::system's `systemResult` means the shell or the program in it never started.
bool neverStarted(int systemResult);
// A prefix that runs a command with an environment setting; empty when the platform has none.
std::string withEnvironment(const std::string& setting);
// "linux" or "windows": which build's hudhost runs.
const char* platformName();

}  // namespace e2e

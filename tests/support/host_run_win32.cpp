#include "host_run.h"

namespace e2e {

// cmd.exe drops the first and the last quote of a line that starts with one; a pair around the
// whole line keeps the quotes around each argument.
std::string shellLine(const std::string& line) { return "\"" + line + "\""; }

int exitStatusOf(int systemResult) { return systemResult; }

// 9009 is cmd.exe's own status for a program it could not start.
bool neverStarted(int systemResult) { return systemResult == -1 || systemResult == 9009; }

std::string withEnvironment(const std::string&) { return ""; }

const char* platformName() { return "windows"; }

}  // namespace e2e

#include "host_run.h"

namespace e2e {

// cmd.exe drops the first and the last quote of a line that starts with one; a pair around the
// whole line keeps the quotes around each argument.
std::string shellLine(const std::string& line) { return "\"" + line + "\""; }

int exitStatusOf(int systemResult) { return systemResult; }

std::string withEnvironment(const std::string&) { return ""; }

const char* platformName() { return "windows"; }

}  // namespace e2e

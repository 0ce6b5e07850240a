#include <sys/wait.h>

#include "host_run.h"

namespace e2e {

std::string shellLine(const std::string& line) { return line; }

int exitStatusOf(int systemResult) {
    return WIFEXITED(systemResult) ? WEXITSTATUS(systemResult) : -1;
}

bool neverStarted(int systemResult) { return systemResult == -1; }

std::string withEnvironment(const std::string& setting) { return "env " + setting + " "; }

const char* platformName() { return "linux"; }

}  // namespace e2e

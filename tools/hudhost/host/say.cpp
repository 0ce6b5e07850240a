#include "host/say.h"

#include <cstdio>

namespace hudhost {

void say(const std::string& line) {
    if (!line.empty()) std::fprintf(stderr, "hudhost: %s\n", line.c_str());
}

}  // namespace hudhost

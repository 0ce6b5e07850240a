// Whether a stream is a terminal a person reads, for lines that only make sense there.
#pragma once

#include <cstdio>

namespace hudhost {

bool isTerminal(std::FILE* stream);

}  // namespace hudhost

#include <unistd.h>

#include "terminal.h"

namespace hudhost {

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

}  // namespace hudhost

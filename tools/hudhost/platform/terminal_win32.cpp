#include <io.h>

#include "terminal.h"

namespace hudhost {

bool isTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

}  // namespace hudhost

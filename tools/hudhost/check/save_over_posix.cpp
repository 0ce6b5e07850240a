#include <unistd.h>

#include "check/layout_text.h"

namespace hudhost::check {

bool canSaveOver(const std::string& path) { return access(path.c_str(), W_OK) == 0; }

}  // namespace hudhost::check

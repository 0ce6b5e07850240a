// Linux side of the host-only facilities. The code page that hudhost chooses is the plug-in's own
// state (posix_system_code_page.cpp), so useCodePage and its reading stay beside it.
#include "platform/slashes.h"
#include "platform/tools.h"

namespace vantor::platform {

std::string shownPath(std::string path) { return withSlashes(std::move(path)); }

}  // namespace vantor::platform

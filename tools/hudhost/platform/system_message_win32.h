// The system's words for a Windows error code, for the one-line reasons hudhost gives.
#pragma once

#include <windows.h>

#include <string>

namespace hudhost {

// The system's one-line text for `code`, without its full stop.
std::string systemMessage(DWORD code);

}  // namespace hudhost

// The table of a Windows code page, made by Windows' own conversion: the system's for the plug-in,
// any other for the layout checker.
#pragma once

#include "platform/platform.h"

namespace vantor::platform {

// The characters of code page `page` (CP_ACP for the system's) as MultiByteToWideChar reads them
// strictly.
CodePageCharacters codePageTable(unsigned int page);

}  // namespace vantor::platform

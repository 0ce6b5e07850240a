// Windows side of the host-only facilities: the real Win32 calls.
#include <windows.h>

#include <algorithm>

#include "platform/tools.h"
#include "platform/win32_code_page.h"

namespace vantor::platform {

std::string shownPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool readCodePageOf(unsigned int number, CodePageCharacters& table) {
    if (number == GetACP()) {
        readCodePage(table);
        return true;
    }
    CPINFO info{};
    if (!IsValidCodePage(number) || !GetCPInfo(number, &info)) return false;
    table = codePageTable(number);
    return true;
}

unsigned int codePageNumber() { return GetACP(); }

bool useCodePage(unsigned int number) { return number == GetACP(); }

}  // namespace vantor::platform

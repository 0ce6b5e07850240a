#include <windows.h>

#include "check/layout_text.h"

namespace hudhost::check {

// An editor saves over a file unless it is marked read-only; a file that cannot be asked about
// is left to the checks of reading it.
bool canSaveOver(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

}  // namespace hudhost::check

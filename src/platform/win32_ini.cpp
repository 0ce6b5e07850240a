// Windows side of the profile files' forms on which readers part ways: asked of the system's own
// reader, since its versions differ (wine reads past a UTF-8 byte-order mark, Windows 10 reads the
// mark as part of line 1).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/ini_parse.h"

namespace vantor::platform {
namespace {

// Whether the system's reader finds K=v in section S of a file holding `content`, written for the
// question into the temporary folder and removed after it.
bool readsValue(const char* content) {
    char folder[MAX_PATH];
    char path[MAX_PATH];
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "ini", 0, path) == 0) {
        return false;
    }
    bool found = false;
    if (std::FILE* file = std::fopen(path, "wb")) {
        std::fputs(content, file);
        std::fclose(file);
        char value[4] = {};
        GetPrivateProfileStringA("S", "K", "", value, sizeof value, path);
        found = std::strcmp(value, "v") == 0;
    }
    DeleteFileA(path);
    return found;
}

}  // namespace

// Asked once a process. Windows' reader reads files of any size.
IniForms profileForms() {
    static const IniForms forms{readsValue("\xEF\xBB\xBF[S]\r\nK=v\r\n"), readsValue("[S]\rK=v\r"),
                                std::numeric_limits<std::uint64_t>::max()};
    return forms;
}

}  // namespace vantor::platform

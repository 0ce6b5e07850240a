#include <windows.h>

#include "library.h"
#include "system_message_win32.h"

namespace hudhost {
Library openLibrary(const std::string& path, std::string& error) {
    // A file that is no DLL must fail the call, not raise a dialog box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr) error = path + ": " + systemMessage(GetLastError());
    return library;
}

// GetProcAddress hands out a generic pointer; void (*)() is the one type it converts to cleanly.
Symbol findSymbol(Library library, const char* name) {
    return reinterpret_cast<Symbol>(GetProcAddress(static_cast<HMODULE>(library), name));
}

std::string libraryBesideProgram(const char* stem) {
    char self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + stem + ".dll";
}

}  // namespace hudhost

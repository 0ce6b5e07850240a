#include <windows.h>

#include "plugin_loader.h"

namespace hudhost {
namespace {

// GetProcAddress hands out a generic pointer; void (*)() is the one type it converts to cleanly.
template <class F>
F exportAs(HMODULE library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// The system's one-line text for an error code.
std::string systemMessage(DWORD code) {
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

bool loadPlugin(const std::string& path, PluginExports& exports, std::string& error) {
    // A file that is no DLL must fail the call, not raise a dialog box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr) {
        error = "cannot load the plug-in " + path + ": " + systemMessage(GetLastError());
        return false;
    }
    exports.getPluginVersion = exportAs<int (*)()>(library, "getPluginVersion");
    exports.initializePlugin = exportAs<void (*)(vantor::HostRecord*)>(library, "initializePlugin");
    if (exports.getPluginVersion == nullptr || exports.initializePlugin == nullptr) {
        error = path + " is not a plug-in: getPluginVersion or initializePlugin is missing";
        return false;
    }
    return true;
}

std::string defaultPluginPath() {
    char self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + "VantorHUD.dll";
}

}  // namespace hudhost

#include "host/plugin_loader.h"

#include "library.h"

namespace hudhost {

bool loadPlugin(const std::string& path, PluginExports& exports, std::string& error) {
    std::string reason;
    const Library library = openLibrary(path, reason);
    if (library == nullptr) {
        error = "cannot load the plug-in: " + reason;
        return false;
    }
    exports.getPluginVersion = reinterpret_cast<int (*)()>(findSymbol(library, "getPluginVersion"));
    exports.initializePlugin =
        reinterpret_cast<void (*)(vantor::HostRecord*)>(findSymbol(library, "initializePlugin"));
    if (exports.getPluginVersion == nullptr || exports.initializePlugin == nullptr) {
        error = path + " is not a plug-in: getPluginVersion or initializePlugin is missing";
        return false;
    }
    const int version = exports.getPluginVersion();
    if (version != kPluginVersion) {
        error = path + " speaks plug-in interface version " + std::to_string(version) + ", not " +
                std::to_string(kPluginVersion);
        return false;
    }
    return true;
}

std::string defaultPluginPath() { return libraryBesideProgram("VantorHUD"); }

}  // namespace hudhost

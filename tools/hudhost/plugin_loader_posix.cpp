#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "plugin_loader.h"

namespace hudhost {

bool loadPlugin(const std::string& path, PluginExports& exports, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        error = "cannot load the plug-in: " + std::string(dlerror());
        return false;
    }
    exports.getPluginVersion = reinterpret_cast<int (*)()>(dlsym(library, "getPluginVersion"));
    exports.initializePlugin =
        reinterpret_cast<void (*)(vantor::HostRecord*)>(dlsym(library, "initializePlugin"));
    if (exports.getPluginVersion == nullptr || exports.initializePlugin == nullptr) {
        error = path + " is not a plug-in: getPluginVersion or initializePlugin is missing";
        return false;
    }
    return true;
}

std::string defaultPluginPath() {
    char self[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string("./x");
    return dir.substr(0, dir.rfind('/') + 1) + "VantorHUD.so";
}

}  // namespace hudhost

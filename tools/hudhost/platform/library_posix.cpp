#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "library.h"

namespace hudhost {

Library openLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) error = dlerror();
    return library;
}

Symbol findSymbol(Library library, const char* name) {
    return reinterpret_cast<Symbol>(dlsym(library, name));
}

std::string libraryBesideProgram(const char* stem) {
    char self[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string("./x");
    return dir.substr(0, dir.rfind('/') + 1) + stem + ".so";
}

}  // namespace hudhost

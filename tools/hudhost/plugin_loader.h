// Loads the plug-in file and finds its two exports, on either platform.
#pragma once

#include <string>

#include "abi/host_records.h"

namespace hudhost {

struct PluginExports {
    int (*getPluginVersion)() = nullptr;
    void (*initializePlugin)(vantor::HostRecord*) = nullptr;
};

// Loads the library at `path` and resolves both exports. On failure returns false and a one-line
// reason in `error`. The library stays loaded until the process ends, as in the host.
bool loadPlugin(const std::string& path, PluginExports& exports, std::string& error);

// The plug-in file name beside this program: VantorHUD.dll or VantorHUD.so.
std::string defaultPluginPath();

}  // namespace hudhost

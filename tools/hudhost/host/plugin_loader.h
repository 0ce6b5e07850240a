// Loads the plug-in file as the modeller does: its two exports, and the interface version it
// speaks.
#pragma once

#include <string>

#include "abi/host_records.h"

namespace hudhost {

// The plug-in interface version the host speaks.
constexpr int kPluginVersion = 4;

struct PluginExports {
    int (*getPluginVersion)() = nullptr;
    void (*initializePlugin)(vantor::HostRecord*) = nullptr;
};

// Loads the library at `path`, resolves both exports and checks that it speaks kPluginVersion.
// On failure returns false and a one-line reason in `error`. The library stays loaded until the
// process ends, as in the host.
bool loadPlugin(const std::string& path, PluginExports& exports, std::string& error);

// The plug-in file name beside this program: VantorHUD.dll or VantorHUD.so.
std::string defaultPluginPath();

}  // namespace hudhost

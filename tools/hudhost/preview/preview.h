// The live preview: the host's viewport in a window on the screen, worked from the keyboard as a
// user works the modeller, with the INI file reloaded whenever it changes on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abi/host_records.h"
#include "host/host_side.h"
#include "host/scene_setup.h"

namespace hudhost {

// What the window starts with.
struct PreviewSetup {
    SceneSetup scene;
    Rgb background;
    std::vector<std::int32_t> drawFlags;           // one drawing call per flag, in order
    std::vector<vantor::PluginFunction> commands;  // run after the first frame
    int width;                                     // the window's first size
    int height;
    std::string picturePath;  // where F12 writes the frame
};

// Opens a window of the size in `setup` and shows the scene with the HUD over it, at the window's
// size, until the user closes it. `host` is attached to the plug-in; its GL resources are released
// before the window goes. False, with a one-line reason, when no window can be had.
bool runPreview(const PreviewSetup& setup, HostSide& host, std::string& error);

}  // namespace hudhost

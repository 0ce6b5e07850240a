// The live preview: the host's viewport in a window on the screen, worked from the keyboard as a
// user works the modeller, with the INI file reloaded whenever it changes on disk.
#pragma once

#include <string>

#include "host/host_side.h"
#include "host/run_options.h"

namespace hudhost {

// Opens a window of the size in `options` and shows the scene with the HUD over it, at the
// window's size, until the user closes it. The commands of `options` run after the first frame.
// F12 writes the frame to `picturePath`. `host` is attached to the plug-in; its GL resources are
// released before the window goes. False, with a one-line reason, when no window can be had.
bool runPreview(const Options& options, const std::string& picturePath, HostSide& host,
                std::string& error);

// The keys of the preview window, a line each, for --help.
const char* previewKeys();

}  // namespace hudhost

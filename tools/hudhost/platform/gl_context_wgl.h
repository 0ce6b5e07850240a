// The pixel format of the modeller's viewport under WGL, for the offscreen context and the
// preview window alike.
#pragma once

#include <windows.h>

namespace hudhost {

// Gives the window of `dc` a double-buffered RGBA format with a 24-bit depth buffer. False when
// the driver has none.
bool setViewportPixelFormat(HDC dc);

}  // namespace hudhost

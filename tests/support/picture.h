// A picture hudhost wrote, read back into the frame type the GL tiers read from GL.
#pragma once

#include <string>

#include "frame_image.h"

namespace e2e {

using Picture = vantor::test::Image;

struct Rgb {
    int r, g, b;
};

// Reads an RGB PNG, bottom row first as GL and the HUD's overlay space count; false when it
// cannot, the picture then left empty.
bool loadPng(const std::string& path, Picture& picture);

// The colour at x from the left, y from the bottom.
Rgb colourAt(const Picture& picture, int x, int y);

// Whether two colours differ by at most `tolerance` in each component.
bool near(const Rgb& a, const Rgb& b, int tolerance);

}  // namespace e2e

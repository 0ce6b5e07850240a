// The picture of a frame: the colour buffer read back and written as a PNG.
#pragma once

#include <string>

namespace hudhost {

// Reads the current context's colour buffer (width x height, from the lower left corner) and
// writes it to `path` as an RGB PNG, top row first. False, with a one-line reason, on failure.
bool writeFramePng(const std::string& path, int width, int height, std::string& error);

}  // namespace hudhost

// Writes an RGBA picture, bottom row first as GL reads it, to a PNG file.
#pragma once

#include <string>

namespace vantor::test {

bool writePng(const std::string& path, int width, int height, const unsigned char* rgba);

}  // namespace vantor::test

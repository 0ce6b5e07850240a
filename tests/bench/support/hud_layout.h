// The layout every benchmark draws or reads: one INI file, as the host's working directory holds
// it, and the font it names.
#pragma once

#include <string>

namespace vantor::bench {

constexpr const char* kFace = "Arial";
constexpr int kPixelHeight = 18;
constexpr int kDrawnRows = 28;

// Five full pages and every CONFIG key. Page 1, the one drawn, has 28 rows of about 40 characters
// once substituted, every token among them, all on screen; pages 2 to 5 have 28 rows of 80
// characters each, one token a row. The font is kFace at kPixelHeight.
std::string fullLayoutIni();

}  // namespace vantor::bench

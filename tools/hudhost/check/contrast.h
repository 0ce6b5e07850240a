// How well text stands out from what is behind it, as WCAG 2 measures it: the contrast ratio of
// two colours' relative luminances, from 1:1 (the same) to 21:1 (black on white).
#pragma once

#include <cstdint>

namespace hudhost::check {

// A colour as the file writes it: three components from 0 to 255.
struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The viewport's background in the preview and the pictures, unless --background says otherwise.
inline constexpr Colour kViewportBackground{138, 144, 154};

// Under this, letters are hard to read at any size; from kReadableContrast, at the HUD's.
inline constexpr double kLeastContrast = 3.0;
inline constexpr double kReadableContrast = 4.5;

// `over` with `top` laid on it at `alpha` (0 to 1), as the HUD's blending mixes them.
Colour blended(Colour top, double alpha, Colour over);

// The contrast ratio of `a` and `b`, the lighter's relative luminance plus 0.05 over the
// darker's.
double contrastRatio(Colour a, Colour b);

}  // namespace hudhost::check

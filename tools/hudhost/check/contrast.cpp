#include "check/contrast.h"

#include <algorithm>
#include <cmath>

namespace hudhost::check {
namespace {

// A component's share of the light, undoing sRGB's curve.
double linear(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Colour c) {
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

}  // namespace

Colour blended(Colour top, double alpha, Colour over) {
    const auto mix = [&](std::uint8_t t, std::uint8_t o) {
        return static_cast<std::uint8_t>(std::lround(alpha * t + (1.0 - alpha) * o));
    };
    return {mix(top.red, over.red), mix(top.green, over.green), mix(top.blue, over.blue)};
}

double contrastRatio(Colour a, Colour b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace hudhost::check

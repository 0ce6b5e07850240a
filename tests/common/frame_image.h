// A frame read back from GL and the checks both test tiers make on it: lit areas and the row bands
// of the HUD's default layout. No GL here: each tier reads its framebuffer its own way.
#pragma once

#include <algorithm>
#include <vector>

namespace vantor::test {

constexpr int kWidth = 640;  // the overlay space, one unit per pixel
constexpr int kHeight = 480;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // bottom row first, as GL reads it

    const unsigned char* at(int x, int y) const { return &rgba[(y * width + x) * 4]; }
    // Anything but the black clear colour.
    bool lit(int x, int y) const {
        const unsigned char* p = at(x, y);
        return p[0] != 0 || p[1] != 0 || p[2] != 0;
    }
};

// The lit pixels of a rectangle [x0, x1) x [y0, y1): how many and their bounding box.
struct LitArea {
    int count = 0;
    int left = 0, bottom = 0, right = -1, top = -1;  // inclusive; right < left when none lit
    int height() const { return count == 0 ? 0 : top - bottom + 1; }
};

inline LitArea litArea(const Image& image, int x0, int y0, int x1, int y1) {
    LitArea area;
    area.left = x1;
    area.bottom = y1;
    for (int y = std::max(y0, 0); y < std::min(y1, image.height); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, image.width); ++x) {
            if (!image.lit(x, y)) continue;
            ++area.count;
            area.left = std::min(area.left, x);
            area.right = std::max(area.right, x);
            area.bottom = std::min(area.bottom, y);
            area.top = std::max(area.top, y);
        }
    }
    return area;
}

inline LitArea litArea(const Image& image) {
    return litArea(image, 0, 0, image.width, image.height);
}

// The band a page row's capitals fall in with the default position and step: row i's baseline
// lies at 65 - 15 i and its capitals reach 13 pixels above it.
constexpr int kDefaultX = 450;
constexpr int bandBottom(int row) { return 65 - 15 * row - 2; }
constexpr int bandTop(int row) { return 65 - 15 * row + 13; }  // exclusive

// The one row band holding every lit pixel: -1 when nothing is lit, -2 when more than one band
// or anything outside the bands is lit.
inline int litRowBand(const Image& image, int rows = 5) {
    const int total = litArea(image).count;
    if (total == 0) return -1;
    for (int row = 0; row < rows; ++row) {
        if (litArea(image, 0, bandBottom(row), image.width, bandTop(row)).count == total) {
            return row;
        }
    }
    return -2;
}

// Pixels of row band `row` to the right of the default position and elsewhere in that band.
struct BandCheck {
    int atRowStart = 0;  // lit at x >= kDefaultX
    int beforeRowStart = 0;
};

inline BandCheck checkBand(const Image& image, int row) {
    BandCheck check;
    check.atRowStart = litArea(image, kDefaultX, bandBottom(row), image.width, bandTop(row)).count;
    check.beforeRowStart = litArea(image, 0, bandBottom(row), kDefaultX, bandTop(row)).count;
    return check;
}

}  // namespace vantor::test

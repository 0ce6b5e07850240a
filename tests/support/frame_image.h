// A frame read back from GL and the checks the GL and Windows tiers make on it: lit areas and the
// row bands of the HUD's default layout.
#pragma once

#include <algorithm>
#include <string>
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
    bool operator==(const Image& other) const {
        return width == other.width && height == other.height && rgba == other.rgba;
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

// Empty when each row band holds a glyph at the default position exactly where `drawn` says and
// nothing is lit anywhere else; otherwise what differs. For pages of one capital a row.
inline std::string checkRowBands(const Image& image, const std::vector<bool>& drawn) {
    int inBands = 0;
    for (int row = 0; row < static_cast<int>(drawn.size()); ++row) {
        const LitArea band = litArea(image, 0, bandBottom(row), image.width, bandTop(row));
        inBands += band.count;
        const std::string name = "row " + std::to_string(row);
        if ((band.count > 0) != drawn[row]) return name + (drawn[row] ? " drew nothing" : " drew");
        if (band.count > 0 && (band.left < kDefaultX || band.right >= kDefaultX + 18)) {
            return name + ": no single glyph at the row start";
        }
    }
    return litArea(image).count == inBands ? "" : "pixels lit outside the rows' bands";
}

}  // namespace vantor::test

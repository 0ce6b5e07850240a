// Where a row stands, by the settings alone: the arithmetic the page layout places its rows by.
#pragma once

#include "pages/hud_settings.h"

namespace vantor {

// Row `row`'s baseline in the overlay space: row 0 at posY, each next one stepY lower. A row whose
// baseline is below 0 has no valid raster position and is never drawn.
inline float rowBaseline(const HudSettings& settings, int row) {
    return static_cast<float>(static_cast<double>(settings.posY) -
                              static_cast<double>(row) * settings.stepY);
}

// Where the point (x, y) of the overlay space lands in the window pixels of a viewport `width` x
// `height`: the HUD's projection stretches the overlay space over the viewport, while the glyphs
// keep their own pixels.
struct WindowPoint {
    double x, y;
};
inline WindowPoint stretchedPoint(double x, double y, int width, int height) {
    return {x * width / kOverlayWidth, y * height / kOverlayHeight};
}

// Whether the anchored rows are placed by their drawn width: ending at a right corner, or centred.
inline bool placedByWidth(std::int32_t anchor) {
    return anchor == kTopRight || anchor == kBottomRight || anchor == kTopCentre ||
           anchor == kBottomCentre;
}

// Where a row starts and its baseline, in the pixels of a viewport `width` x `height` that the
// anchored layout `settings` holds its `rows` rows (BLANK ones counted) to: HUD_POS_X in from the
// left or right edge, the right corners' rows ending there, or a centred row's middle HUD_POS_X -
// kCentredPosX right of the viewport's (whole pixels, so that the glyphs stay sharp); HUD_POS_Y
// below the top to the first baseline, or above the bottom to the last. `textWidth` is the row's
// drawn width.
struct RowOrigin {
    float x, y;
};
inline RowOrigin anchoredOrigin(const HudSettings& settings, int row, int rows, int textWidth,
                                int width, int height) {
    const bool right = settings.anchor == kTopRight || settings.anchor == kBottomRight;
    const bool centred = settings.anchor == kTopCentre || settings.anchor == kBottomCentre;
    const bool top = settings.anchor == kTopLeft || settings.anchor == kTopRight ||
                     settings.anchor == kTopCentre;
    const double shift = static_cast<double>(settings.posX) - kCentredPosX;
    const double x = right     ? width - static_cast<double>(settings.posX) - textWidth
                     : centred ? (width - textWidth) / 2 + shift
                               : settings.posX;
    const double step = settings.stepY;
    const double y = top ? height - static_cast<double>(settings.posY) - row * step
                         : static_cast<double>(settings.posY) + (rows - 1 - row) * step;
    return {static_cast<float>(x), static_cast<float>(y)};
}

}  // namespace vantor

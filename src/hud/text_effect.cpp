#include <GL/gl.h>

#include <iterator>

#include "hud/hud_plugin.h"

namespace vantor {
namespace {

constexpr RowCache::Offset kShadowOffsets[] = {{1, -1}};
constexpr RowCache::Offset kOutlineOffsets[] = {{-1, 1}, {0, 1},   {1, 1},  {-1, 0},
                                                {1, 0},  {-1, -1}, {0, -1}, {1, -1}};

}  // namespace

HudPlugin::Offsets HudPlugin::effectOffsets() const {
    switch (settings_.textEffect) {
        case kShadow:
            return {kShadowOffsets, static_cast<int>(std::size(kShadowOffsets))};
        case kOutline:
            return {kOutlineOffsets, static_cast<int>(std::size(kOutlineOffsets))};
        default:
            return {nullptr, 0};
    }
}

void HudPlugin::drawTextEffect(const ReadyLine& line) {
    const float x = line.row->x;
    const float y = line.row->y;
    // A bitmap takes the colour current when the raster position was set, and a line leaves the
    // position at its end, so each pass sets both again. A zero-size bitmap moves the position
    // by whole window pixels and draws nothing, so the effect keeps its size whatever the
    // viewport's. A row whose position is outside the stretched overlay stays invalid through
    // the moves and draws no pass, as it draws no text; held to a corner, it is cut as its text is.
    // A cached row draws every pass at once, from its own position.
    glColor3f(settings_.effectRed, settings_.effectGreen, settings_.effectBlue);
    const Offsets offsets = effectOffsets();
    for (int i = 0; i < offsets.count; ++i) {
        setRasterPosition(x, y);
        if (line.composed) {
            glCallList(rowCache_.effectList(line.index));
            break;
        }
        glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(offsets.at[i].x),
                 static_cast<GLfloat>(offsets.at[i].y), &platform::kNoPixels);
        drawLine(line);
    }
    glColor3f(rowColour_[0], rowColour_[1], rowColour_[2]);
    setRasterPosition(x, y);
}

}  // namespace vantor

#include <GL/gl.h>

#include <iterator>

#include "hud/hud_plugin.h"

namespace vantor {
namespace {

struct PixelOffset {
    GLfloat x, y;  // window pixels, y up
};

constexpr PixelOffset kShadowOffsets[] = {{1, -1}};
constexpr PixelOffset kOutlineOffsets[] = {{-1, 1}, {0, 1},   {1, 1},  {-1, 0},
                                           {1, 0},  {-1, -1}, {0, -1}, {1, -1}};

}  // namespace

void HudPlugin::drawTextEffect(float x, float y) {
    const bool outline = settings_.textEffect == kOutline;
    const PixelOffset* offsets = outline ? kOutlineOffsets : kShadowOffsets;
    const PixelOffset* end = offsets + (outline ? std::size(kOutlineOffsets) : 1);

    // A bitmap takes the colour current when the raster position was set, and a line leaves the
    // position at its end, so each pass sets both again. A zero-size bitmap moves the position
    // by whole window pixels and draws nothing, so the effect keeps its size whatever the
    // viewport's. A row whose position is outside the stretched overlay stays invalid through
    // the moves and draws no pass, as it draws no text; held to a corner, it is cut as its text is.
    static const GLubyte kNoPixels = 0;
    glColor3f(settings_.effectRed, settings_.effectGreen, settings_.effectBlue);
    for (; offsets != end; ++offsets) {
        setRasterPosition(x, y);
        glBitmap(0, 0, 0.0f, 0.0f, offsets->x, offsets->y, &kNoPixels);
        drawLine();
    }
    glColor3f(settings_.red, settings_.green, settings_.blue);
    setRasterPosition(x, y);
}

}  // namespace vantor

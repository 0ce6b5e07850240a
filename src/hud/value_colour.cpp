// The tokens' values in a colour of their own (VALUE_RED, VALUE_GREEN, VALUE_BLUE): drawn again
// over their row, glyph for glyph where the row drew them, so that the frame has the very pixels
// of the single-colour one, the values' in their colour.
#include <GL/gl.h>

#include "hud/hud_plugin.h"

namespace vantor {
namespace {

// Moves the raster position `x` window pixels along the row, drawing nothing.
void moveAlong(int x) {
    if (x != 0) {
        glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(x), 0.0f, &platform::kNoPixels);
    }
}

}  // namespace

void HudPlugin::prepareValues(ReadyLine& line) {
    const LaidRow& row = *line.row;
    line.valueList = rowCache_.findValues(line.index, row.values);
    if (line.valueList != 0) return;
    if (line.listCount < 0) listLine(line);
    line.valueList = rowCache_.composeValues(line.index, row.values, line.lists, line.listCount,
                                             line.valueBounds);
}

void HudPlugin::drawValues(const ReadyLine& line) {
    if (fontListBase_ == 0) return;
    const LaidRow& row = *line.row;
    const HudSettings& s = settings_;
    const auto part = [](std::int32_t value, float own) {
        return value != kRowsOwnPart ? static_cast<float>(value) * kInverse255 : own;
    };
    glColor3f(part(s.valueRed, rowColour_[0]), part(s.valueGreen, rowColour_[1]),
              part(s.valueBlue, rowColour_[2]));
    setRasterPosition(row.x, row.y);
    if (line.composed) {
        glCallList(line.valueList);  // from the row's origin to its end, as the row list
        return;
    }
    int pen = 0;
    if (line.listCount >= 0) {
        glPushAttrib(GL_LIST_BIT);
        glListBase(0);
    }
    for (int k = 0; k < row.values.count; ++k) {
        moveAlong(row.reach[k].left - pen);
        if (line.listCount < 0) {
            drawBytes(row.text + row.values.at[k].begin, row.text + row.values.at[k].end);
        } else {
            const int first = line.valueBounds[2 * k];
            const int end = line.valueBounds[2 * k + 1];
            glCallLists(end - first, GL_UNSIGNED_INT, line.lists + first);
        }
        pen = row.reach[k].right;
    }
    if (line.listCount >= 0) glPopAttrib();
    moveAlong(row.width - pen);
}

}  // namespace vantor

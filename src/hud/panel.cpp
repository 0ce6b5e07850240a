// The panel behind the rows (PANEL_ALPHA above 0): a quieter ground for the whole block over a busy
// scene. Where each row lands is asked of GL, as its raster position, so the panel covers exactly
// the pixels the rows' letters can reach in any space and corner.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "hud/hud_plugin.h"

namespace vantor {

void HudPlugin::drawPanel(int rows) {
    bool any = false;
    int left = 0, right = 0, bottom = 0, top = 0;
    for (int i = 0; i < rows; ++i) {
        if (!readyRow(i)) continue;
        const RowOrigin origin = rowOrigin(i, rows);
        setRasterPosition(origin.x, origin.y);
        GLint valid = GL_FALSE;
        glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
        if (valid == GL_FALSE) continue;  // outside the stretched space: the row draws nothing
        GLfloat at[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, at);
        // A bitmap's pixels start at the floor of the raster position.
        const int x = static_cast<int>(std::floor(at[0]));
        const int baseline = static_cast<int>(std::floor(at[1]));
        const int width = lineWidth();
        left = any ? std::min(left, x) : x;
        right = any ? std::max(right, x + width) : x + width;
        bottom = any ? std::min(bottom, baseline - panelDescent_) : baseline - panelDescent_;
        top = any ? std::max(top, baseline + panelAscent_) : baseline + panelAscent_;
        any = true;
    }
    if (!any) return;
    const int margin = settings_.panelMargin;

    // In window pixels over the viewport, filled, blended, with no texture or culling of the
    // host's; the attributes and the projection go back as they were.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_POLYGON_BIT);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(settings_.panelRed, settings_.panelGreen, settings_.panelBlue, settings_.panelAlpha);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1.0,
            1.0);
    glMatrixMode(GL_MODELVIEW);
    glRecti(left - margin, bottom - margin, right + margin, top + margin);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

}  // namespace vantor

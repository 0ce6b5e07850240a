// The panel behind the rows (PANEL_ALPHA above 0): a quieter ground for the whole block over a busy
// scene. It covers the window pixels the laid-out rows' letters can reach, in any space and corner.
#include <GL/gl.h>

#include <algorithm>

#include "hud/hud_plugin.h"

namespace vantor {

void HudPlugin::drawPanel(const Viewport& viewport) {
    bool any = false;
    int left = 0, right = 0, bottom = 0, top = 0;
    for (int i = 0; i < layout_.count; ++i) {
        const LaidRow& row = layout_.rows[i];
        if (!row.drawn) continue;
        left = any ? std::min(left, row.left) : row.left;
        right = any ? std::max(right, row.left + row.width) : row.left + row.width;
        bottom = any ? std::min(bottom, row.bottom) : row.bottom;
        top = any ? std::max(top, row.top) : row.top;
        any = true;
    }
    if (!any) return;
    const int margin = settings_.panelMargin;

    // In window pixels over the viewport, filled, blended, with no texture or culling of the
    // host's; the attributes and the projection go back as they were.
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
    glOrtho(viewport.x, viewport.x + viewport.width, viewport.y, viewport.y + viewport.height, -1.0,
            1.0);
    glMatrixMode(GL_MODELVIEW);
    glRecti(left - margin, bottom - margin, right + margin, top + margin);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

}  // namespace vantor

#include <GL/gl.h>

#include <cstring>

#include "hud/hud_plugin.h"

namespace vantor {

bool HudPlugin::draw(Arg flag) {
    if (flag != 0) return true;

    if (deviceContext_ == nullptr) {
        ensureGlResources();
        if (deviceContext_ == nullptr) return true;
    }
    // Hidden frames count too, so that the rate is right the moment the HUD is shown.
    const std::uint32_t now = platform::tickCount();
    frameRate_.countFrame(now);

    // Save: the only host state the HUD restores by hand is lighting; the matrices are pushed.
    const GLboolean lighting = glIsEnabled(GL_LIGHTING);
    glDisable(GL_LIGHTING);
    if (!visible_) {
        if (lighting) glEnable(GL_LIGHTING);
        return true;
    }

    // Set up the 640 x 480 overlay space over whatever viewport the host has.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    updateTokenValues(
        tokens_, cachedCamera_,
        {scene_, services_, startTick_, now, platform::calendarTime(), frameRate_.perSecond},
        clock_);

    glDisable(GL_DEPTH_TEST);
    glColor3f(settings_.red, settings_.green, settings_.blue);

    // Draw the rows of the current page; an empty ("BLANK") row keeps its line.
    if (store_.getPageCount() > 0 && currentPage_ >= 0 && currentPage_ < store_.getPageCount()) {
        store_.selectPage(currentPage_);
        for (int i = 0; i < store_.getRowCount(); ++i) {
            store_.selectRow(i);
            const char* text = store_.getRowText();
            if (text == nullptr || text[0] == '\0') continue;
            const float y = static_cast<float>(static_cast<double>(settings_.posY) -
                                               static_cast<double>(i) * settings_.stepY);
            glRasterPos2f(settings_.posX, y);
            std::memcpy(line_, text, std::strlen(text) + 1);
            applyTokens(store_, tokens_, line_);
            if (settings_.textEffect != kNoEffect) drawTextEffect(settings_.posX, y);
            drawText(line_);
        }
    }

    // Restore. Depth testing ends enabled and the projection matrix selected whatever the host
    // had (the contract in hud_plugin.h); lighting and both matrices go back as they were.
    glEnable(GL_DEPTH_TEST);
    if (lighting) glEnable(GL_LIGHTING);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    return true;
}

}  // namespace vantor

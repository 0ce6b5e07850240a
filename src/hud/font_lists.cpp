#include <GL/gl.h>

#include "hud/hud_plugin.h"

namespace vantor {

void HudPlugin::ensureGlResources() {
    deviceContext_ = platform::currentDeviceContext();
    if (deviceContext_ == nullptr) return;  // no context yet: try again on the next frame

    platform::refreshTimeZone();
    startTick_ = platform::tickCount();
    frameRate_.restart(startTick_);
    reloadConfig(store_, settings_);

    if (fontListBase_ != 0) glDeleteLists(fontListBase_, kGlyphCount);
    fontListBase_ = glGenLists(kGlyphCount);
    if (fontListBase_ == 0) return;  // no lists: nothing is drawn until a rebuild succeeds
    platform::buildGlyphLists(deviceContext_, settings_.fontFace, settings_.fontSize,
                              fontListBase_);
}

void HudPlugin::drawText(const char* text) {
    if (text == nullptr || fontListBase_ == 0) return;

    // Only bytes 32..127 have a glyph list; any other byte would name a list that may be the
    // host's, so a line is sent in runs of glyph bytes and other bytes draw nothing.
    glPushAttrib(GL_LIST_BIT);
    glListBase(fontListBase_ - kFirstGlyph);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0) {
        const unsigned char* run = bytes;
        while (*bytes >= kFirstGlyph && *bytes < kFirstGlyph + kGlyphCount) ++bytes;
        if (bytes != run) glCallLists(static_cast<GLsizei>(bytes - run), GL_UNSIGNED_BYTE, run);
        while (*bytes != 0 && (*bytes < kFirstGlyph || *bytes >= kFirstGlyph + kGlyphCount)) {
            ++bytes;
        }
    }
    glPopAttrib();
}

}  // namespace vantor

// The font's advances as the HUD draws with them: its lists, made by its own platform functions
// and read back by its own reading. The system's metrics can say otherwise (under wine,
// GetCharWidth32A and the lists disagree on a fifth of Arial's codes), and a row aligned to a
// right corner ends where the lists end it.
#include <GL/gl.h>

#include <memory>
#include <string>
#include <vector>

#include "check/layout.h"
#include "hud/list_advances.h"
#include "platform/gl_context.h"

namespace hudhost::check {

void readDrawnAdvances(const std::string& face, const vantor::HudSettings& settings,
                       vantor::CharacterLists& lists, vantor::platform::FontMeasure& measure) {
    namespace platform = vantor::platform;
    // A context of the host's own (the preview's, a picture's) is used as it is, and left as it
    // was; without one, a tiny one of its own is made for the reading.
    std::unique_ptr<GlContext> own;
    if (platform::currentDeviceContext() == nullptr) {
        std::string error;
        own = GlContext::create(16, 16, error);
        if (!own) return;
    }
    const platform::DeviceContext dc = platform::currentDeviceContext();
    const GLuint glyphs = glGenLists(platform::kGlyphCount);
    if (glyphs == 0) return;
    platform::buildGlyphLists(dc, face.c_str(), settings.fontSize, glyphs, settings.fontWeight);
    lists.build(dc, face.c_str(), settings.fontSize, settings.fontWeight);
    std::vector<int> characters(static_cast<std::size_t>(lists.count()));
    vantor::readListAdvances({glyphs, platform::kGlyphCount, measure.advances},
                             {lists.base(), lists.count(), characters.data()});
    // Characters whose lists could not be made keep the measured advances.
    const bool built = lists.base() != 0;
    lists.release();
    glDeleteLists(glyphs, platform::kGlyphCount);
    for (std::size_t i = 0; built && i < characters.size() && i < measure.characters.size(); ++i) {
        measure.characters[i].advance = characters[i];
    }
}

}  // namespace hudhost::check

// The HUD's GL resources and what is read with them: the configuration, the elapsed timer's start
// and the font lists, all rebuilt together.
#include <GL/gl.h>

#include "hud/hud_plugin.h"

namespace vantor {

void HudPlugin::rebuildGlResources() {
    const platform::DeviceContext deviceContext = platform::currentDeviceContext();
    if (deviceContext == nullptr) return;  // no context yet: try again on the next frame
    rebuildNeeded_ = false;

    platform::refreshTimeZone();
    startTick_ = platform::tickCount();
    reloadConfig(store_, settings_);

    if (fontListBase_ != 0) glDeleteLists(fontListBase_, platform::kGlyphCount);
    fontListBase_ = glGenLists(platform::kGlyphCount);
    if (fontListBase_ == 0) return;  // no lists: nothing is drawn until a rebuild succeeds
    platform::buildGlyphLists(deviceContext, settings_.fontFace, settings_.fontSize, fontListBase_);
}

}  // namespace vantor

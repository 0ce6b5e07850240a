// The CONFIG settings of the HUD and the one operation that reads the INI file.
#pragma once

#include <cstdint>

#include "pages/page_store.h"

namespace vantor {

// Relative to the host's working directory.
inline constexpr const char* kIniPath = "Plugins\\Startup Plugins\\VantorHUD.ini";

// TEXT_EFFECT: what is drawn under each line, in the effect colour, one window pixel from it.
enum TextEffect : std::int32_t { kNoEffect = 0, kShadow = 1, kOutline = 2 };

struct HudSettings {
    float posX;  // where every row starts, in the 640 x 480 overlay space
    float posY;  // row 0's baseline; row i sits at posY - i * stepY
    float stepY;
    std::int32_t fontSize;  // character height in pixels
    char fontFace[kTextSize];
    float red;  // colour components, 0 to 1
    float green;
    float blue;
    std::int32_t textEffect;  // a TextEffect
    float effectRed;          // the effect's colour, 0 to 1
    float effectGreen;
    float effectBlue;
};

// Empties the store, points it at `path` (the HUD's own file unless a layout checker names
// another), loads its pages and reads the CONFIG section into `settings`. Every setting that is
// absent, empty or out of range takes its default.
void reloadConfig(PageStore& store, HudSettings& settings, const char* path = kIniPath);

}  // namespace vantor

// The CONFIG settings of the HUD, the table of the keys they are read from, and the one operation
// that reads the INI file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "pages/file_format.h"
#include "pages/page_store.h"
#include "platform/platform.h"

namespace vantor {

// TEXT_EFFECT: what is drawn under each line, in the effect colour, one window pixel from it.
enum TextEffect : std::int32_t { kNoEffect = 0, kShadow = 1, kOutline = 2 };

// HUD_ANCHOR: the stretched overlay space, or a corner or the middle of an edge of the viewport
// that the rows are held to, positioned in the viewport's own pixels.
enum HudAnchor : std::int32_t {
    kStretched = 0,
    kTopLeft = 1,
    kTopRight = 2,
    kBottomLeft = 3,
    kBottomRight = 4,
    kTopCentre = 5,
    kBottomCentre = 6
};

// The HUD_POS_X of a centred row that stands exactly on the viewport's middle: the overlay's own
// middle, since the key takes no 0 or negative value. Each pixel more moves it one to the right.
inline constexpr std::int32_t kCentredPosX = 320;

// A part of the value colour that is the row's own.
inline constexpr std::int32_t kRowsOwnPart = -1;

struct HudSettings {
    float posX;  // where every row starts, in the overlay space (anchored: see layout/placement.h)
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
    std::int32_t anchor;    // a HudAnchor
    std::int32_t rowCache;  // 1: each row drawn as one bitmap, composed when its text changes
    float panelAlpha;       // the panel behind the rows, 0 (none) to 1, and its colour, 0 to 1
    float panelRed;
    float panelGreen;
    float panelBlue;
    std::int32_t panelMargin;    // window pixels around the rows' letters
    std::int32_t autoReload;     // 1: the file is read again, within a second, when it changes
    char dateFormat[kTextSize];  // how *CUR_DATE* and *CUR_TIME* read (tokens/clock_format.h)
    char timeFormat[kTextSize];
    std::int32_t fontWeight;    // 100 to 900, as platform::buildGlyphLists takes it
    std::int32_t startVisible;  // 1: shown from the first frame
    // The colour of the tokens' values, each part 0 to 255, or -1 for the part of the row's own
    // colour; all three -1: the values are in the row's colour.
    std::int32_t valueRed = kRowsOwnPart;
    std::int32_t valueGreen = kRowsOwnPart;
    std::int32_t valueBlue = kRowsOwnPart;

    bool valuesColoured() const {
        return valueRed != kRowsOwnPart || valueGreen != kRowsOwnPart || valueBlue != kRowsOwnPart;
    }
};

// One CONFIG key and the field of HudSettings it fills. A number key takes a whole number from
// low to high; a text key, any non-empty text that fits. An absent or empty key, or one out of
// range, takes the default. The HUD and the layout checker both read the keys from this table.
struct ConfigKey {
    enum ValueType {
        kWhole,   // the number as it is
        kReal,    // the number as a float
        kColour,  // the number, 0 to 255, as a float from 0 to 1
        kText,
    };

    constexpr ConfigKey(const char* key, std::int32_t lowest, std::int32_t highest,
                        std::int32_t byDefault, std::int32_t HudSettings::*field)
        : name(key), kind(kWhole), low(lowest), high(highest), fallback(byDefault), whole(field) {}
    constexpr ConfigKey(const char* key, std::int32_t lowest, std::int32_t highest,
                        std::int32_t byDefault, float HudSettings::*field, ValueType as = kReal)
        : name(key), kind(as), low(lowest), high(highest), fallback(byDefault), real(field) {}
    constexpr ConfigKey(const char* key, const char* byDefault,
                        char (HudSettings::*field)[kTextSize])
        : name(key), kind(kText), fallbackText(byDefault), text(field) {}

    // The number the HUD keeps of `value`, as PageStore::readInt gives it.
    constexpr std::int32_t kept(std::optional<std::int32_t> value) const {
        return value && *value >= low && *value <= high ? *value : fallback;
    }

    const char* name;
    ValueType kind;
    std::int32_t low = 0;  // numbers only
    std::int32_t high = 0;
    std::int32_t fallback = 0;
    const char* fallbackText = nullptr;  // text only
    std::int32_t HudSettings::*whole = nullptr;
    float HudSettings::*real = nullptr;
    char (HudSettings::*text)[kTextSize] = nullptr;
};

constexpr std::int32_t kColourTop = 255;  // a colour component at its fullest
// What a component is multiplied by to be kept from 0 to 1: 1/255 in single precision, 0x3B808081.
constexpr float kInverse255 = 0.0039215689f;

// In the order reloadConfig reads them. A new key is one more row here, and what it does.
inline constexpr ConfigKey kConfigKeys[] = {
    {"HUD_POS_X", 1, kOverlayWidth, 450, &HudSettings::posX},
    {"HUD_POS_Y", 1, kOverlayHeight, 65, &HudSettings::posY},
    {"HUD_STEP_Y", 1, kOverlayHeight, 15, &HudSettings::stepY},
    {"FONT_SIZE", 1, 64, 18, &HudSettings::fontSize},
    {"COLOR_RED", 0, kColourTop, 64, &HudSettings::red, ConfigKey::kColour},
    {"COLOR_GREEN", 0, kColourTop, 64, &HudSettings::green, ConfigKey::kColour},
    {"COLOR_BLUE", 0, kColourTop, 64, &HudSettings::blue, ConfigKey::kColour},
    {"FONT_FACE", "Arial", &HudSettings::fontFace},
    {"TEXT_EFFECT", kNoEffect, kOutline, kNoEffect, &HudSettings::textEffect},
    {"EFFECT_RED", 0, kColourTop, 0, &HudSettings::effectRed, ConfigKey::kColour},
    {"EFFECT_GREEN", 0, kColourTop, 0, &HudSettings::effectGreen, ConfigKey::kColour},
    {"EFFECT_BLUE", 0, kColourTop, 0, &HudSettings::effectBlue, ConfigKey::kColour},
    {"HUD_ANCHOR", kStretched, kBottomCentre, kStretched, &HudSettings::anchor},
    {"ROW_CACHE", 0, 1, 0, &HudSettings::rowCache},
    {"PANEL_ALPHA", 0, kColourTop, 0, &HudSettings::panelAlpha, ConfigKey::kColour},
    {"PANEL_RED", 0, kColourTop, 0, &HudSettings::panelRed, ConfigKey::kColour},
    {"PANEL_GREEN", 0, kColourTop, 0, &HudSettings::panelGreen, ConfigKey::kColour},
    {"PANEL_BLUE", 0, kColourTop, 0, &HudSettings::panelBlue, ConfigKey::kColour},
    {"PANEL_MARGIN", 0, 32, 4, &HudSettings::panelMargin},
    {"AUTO_RELOAD", 0, 1, 0, &HudSettings::autoReload},
    {"DATE_FORMAT", "%Y-%m-%d", &HudSettings::dateFormat},
    {"TIME_FORMAT", "%H:%M:%S", &HudSettings::timeFormat},
    {"FONT_WEIGHT", 100, 900, platform::kRegularFontWeight, &HudSettings::fontWeight},
    {"START_VISIBLE", 0, 1, 0, &HudSettings::startVisible},
    {"VALUE_RED", 0, kColourTop, kRowsOwnPart, &HudSettings::valueRed},
    {"VALUE_GREEN", 0, kColourTop, kRowsOwnPart, &HudSettings::valueGreen},
    {"VALUE_BLUE", 0, kColourTop, kRowsOwnPart, &HudSettings::valueBlue},
};

// The key named `name`, for a name written in the code. Take it in a constant expression
// (`constexpr`), where a name the table lacks stops the build instead of the program.
constexpr const ConfigKey& configKey(std::string_view name) {
    for (const ConfigKey& key : kConfigKeys) {
        if (name == key.name) return key;
    }
    throw "no CONFIG key of that name";
}

// Empties the store, points it at `path` (the HUD's own file unless a layout checker names
// another), loads its pages and reads the CONFIG keys into `settings`.
void reloadConfig(PageStore& store, HudSettings& settings, const char* path = kIniPath);

}  // namespace vantor

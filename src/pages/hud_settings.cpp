#include "pages/hud_settings.h"

#include <cstring>

namespace vantor {
namespace {

constexpr const char* kConfig = "CONFIG";
constexpr float kInverse255 = 0.0039215689f;  // 1/255 in single precision, 0x3B808081

// A position, step or size: accepted when read, above 0.1 and at most `upper`.
std::int32_t readBounded(PageStore& store, const char* key, std::int32_t upper,
                         std::int32_t fallback) {
    std::int32_t value = 0;
    std::int32_t ok = 0;
    store.readInt(kConfig, key, value, ok);
    const float asFloat = static_cast<float>(value);
    if (asFloat <= 0.1f || value > upper || ok <= 0) return fallback;
    return value;
}

// An integer from `lower` to `upper`, or `fallback`.
std::int32_t readRange(PageStore& store, const char* key, std::int32_t lower, std::int32_t upper,
                       std::int32_t fallback) {
    std::int32_t value = 0;
    std::int32_t ok = 0;
    store.readInt(kConfig, key, value, ok);
    return value < lower || value > upper || ok <= 0 ? fallback : value;
}

float readColour(PageStore& store, const char* key, std::int32_t fallback) {
    return static_cast<float>(readRange(store, key, 0, 255, fallback)) * kInverse255;
}

}  // namespace

void reloadConfig(PageStore& store, HudSettings& settings, const char* path) {
    store.reset();
    store.setPath(path);
    store.loadPages("SECTION", "ROWDATA");

    settings.posX = static_cast<float>(readBounded(store, "HUD_POS_X", 640, 450));
    settings.posY = static_cast<float>(readBounded(store, "HUD_POS_Y", 480, 65));
    settings.stepY = static_cast<float>(readBounded(store, "HUD_STEP_Y", 480, 15));
    settings.fontSize = readBounded(store, "FONT_SIZE", 64, 18);
    settings.red = readColour(store, "COLOR_RED", 64);
    settings.green = readColour(store, "COLOR_GREEN", 64);
    settings.blue = readColour(store, "COLOR_BLUE", 64);

    std::memset(settings.fontFace, 0, sizeof settings.fontFace);
    std::int32_t capacity = kTextSize;
    std::int32_t ok = 0;
    store.readString(kConfig, "FONT_FACE", settings.fontFace, capacity, ok);
    if (settings.fontFace[0] == '\0' || ok <= 0 || capacity == 0) {
        std::memcpy(settings.fontFace, "Arial", sizeof "Arial");
    }

    settings.textEffect = readRange(store, "TEXT_EFFECT", kNoEffect, kOutline, kNoEffect);
    settings.effectRed = readColour(store, "EFFECT_RED", 0);
    settings.effectGreen = readColour(store, "EFFECT_GREEN", 0);
    settings.effectBlue = readColour(store, "EFFECT_BLUE", 0);
}

}  // namespace vantor

#include "layout.h"

#include <cstdlib>

#include "platform/platform.h"

namespace e2e {
namespace {

constexpr int kMaxRows = 28;

std::string read(const std::string& path, const std::string& section, const std::string& key) {
    char value[260] = {};
    vantor::platform::readProfileString(section.c_str(), key.c_str(), "", value, sizeof value,
                                        path.c_str());
    return value;
}

bool readInt(const std::string& path, const char* key, int& out) {
    const std::string value = read(path, "CONFIG", key);
    out = std::atoi(value.c_str());
    return !value.empty();
}

}  // namespace

bool readLayout(const std::string& path, int page, Layout& layout) {
    const bool complete =
        readInt(path, "HUD_POS_X", layout.posX) && readInt(path, "HUD_POS_Y", layout.posY) &&
        readInt(path, "HUD_STEP_Y", layout.stepY) && readInt(path, "FONT_SIZE", layout.fontSize) &&
        readInt(path, "COLOR_RED", layout.colour.r) &&
        readInt(path, "COLOR_GREEN", layout.colour.g) &&
        readInt(path, "COLOR_BLUE", layout.colour.b);
    int effect = 0;
    readInt(path, "TEXT_EFFECT", effect);
    layout.hasEffect = effect == 1 || effect == 2;
    readInt(path, "EFFECT_RED", layout.effectColour.r);
    readInt(path, "EFFECT_GREEN", layout.effectColour.g);
    readInt(path, "EFFECT_BLUE", layout.effectColour.b);
    layout.rowHasText.clear();
    const std::string section = "SECTION" + std::to_string(page);
    for (int row = 1; row <= kMaxRows; ++row) {
        const std::string text = read(path, section, "ROWDATA" + std::to_string(row));
        if (text.empty()) break;
        layout.rowHasText.push_back(text != "BLANK");
    }
    return complete;
}

}  // namespace e2e

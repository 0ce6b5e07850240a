#include "known_names.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>

#include "layout_text.h"
#include "tokens/token_table.h"

namespace hudhost::check {
namespace {

long colour(float component) { return std::lround(component * 255.0f); }

// Letters apart, without regard to letter case (Levenshtein distance).
std::size_t distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = std::toupper(static_cast<unsigned char>(a[i - 1])) ==
                              std::toupper(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

const std::vector<ConfigKey> kConfigKeys = {
    {"HUD_POS_X", 1, 640, "450", [](const vantor::HudSettings& s) { return std::lround(s.posX); }},
    {"HUD_POS_Y", 1, 480, "65", [](const vantor::HudSettings& s) { return std::lround(s.posY); }},
    {"HUD_STEP_Y", 1, 480, "15", [](const vantor::HudSettings& s) { return std::lround(s.stepY); }},
    {"FONT_SIZE", 1, 64, "18", [](const vantor::HudSettings& s) { return long{s.fontSize}; }},
    {"COLOR_RED", 0, 255, "64", [](const vantor::HudSettings& s) { return colour(s.red); }},
    {"COLOR_GREEN", 0, 255, "64", [](const vantor::HudSettings& s) { return colour(s.green); }},
    {"COLOR_BLUE", 0, 255, "64", [](const vantor::HudSettings& s) { return colour(s.blue); }},
    {"FONT_FACE", 0, 0, "Arial", nullptr},
    {"TEXT_EFFECT", 0, 2, "0", [](const vantor::HudSettings& s) { return long{s.textEffect}; }},
    {"EFFECT_RED", 0, 255, "0", [](const vantor::HudSettings& s) { return colour(s.effectRed); }},
    {"EFFECT_GREEN", 0, 255, "0",
     [](const vantor::HudSettings& s) { return colour(s.effectGreen); }},
    {"EFFECT_BLUE", 0, 255, "0", [](const vantor::HudSettings& s) { return colour(s.effectBlue); }},
};

const ConfigKey* findConfigKey(const std::string& name) {
    const std::string wanted = upper(name);
    for (const ConfigKey& key : kConfigKeys) {
        if (wanted == key.name) return &key;
    }
    return nullptr;
}

const std::vector<std::string>& tokenKeys() {
    static const std::vector<std::string> keys(std::begin(vantor::kTokenKeys),
                                               std::end(vantor::kTokenKeys));
    return keys;
}

std::string nearest(const std::string& written, const std::vector<std::string>& candidates) {
    const std::string wanted = upper(written);
    std::string best;
    std::size_t bestDistance = 4;  // a few letters: a typo, a missing underscore or word end
    for (const std::string& candidate : candidates) {
        const std::string name = upper(candidate);
        if (name == wanted) return candidate;
        const bool prefix =
            wanted.size() >= 3 && (name.rfind(wanted, 0) == 0 || wanted.rfind(name, 0) == 0);
        const std::size_t d = prefix ? 1 : distance(wanted, name);
        if (d < bestDistance && d < name.size() / 2 + 1) {
            best = candidate;
            bestDistance = d;
        }
    }
    return best;
}

std::string didYouMean(const std::string& written, const std::vector<std::string>& candidates) {
    const std::string best = nearest(written, candidates);
    return best.empty() ? std::string() : " (did you mean " + best + "?)";
}

}  // namespace hudhost::check

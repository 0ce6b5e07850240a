// The CONFIG keys: which the HUD reads, and the value it keeps of each, read through the HUD's own
// store and table of its keys.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "check/contrast.h"
#include "check/known_names.h"
#include "check/layout.h"
#include "check/listed.h"
#include "check/section_keys.h"
#include "tokens/clock_format.h"

namespace hudhost::check {
namespace {

using vantor::ConfigKey;

std::vector<std::string> configNames() {
    std::vector<std::string> names;
    for (const ConfigKey& key : vantor::kConfigKeys) names.emplace_back(key.name);
    return names;
}

std::string fallback(const ConfigKey& key) {
    return key.kind == ConfigKey::kText ? key.fallbackText : std::to_string(key.fallback);
}

std::string range(const ConfigKey& key) {
    return "a whole number from " + std::to_string(key.low) + " to " + std::to_string(key.high);
}

// "%Y %y ... %%".
std::string clockLetters() {
    std::string letters;
    for (const char* c = vantor::kClockLetters; *c != '\0'; ++c) {
        letters += (letters.empty() ? "%" : " %") + std::string(1, *c);
    }
    return letters;
}

// Each '%' before a letter the clock does not know, which the HUD draws as written.
void checkClockLetters(const Entry& entry, const ConfigKey& key, std::string_view pattern,
                       Findings& findings) {
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (pattern[k] != '%') continue;
        const char letter = k + 1 < pattern.size() ? pattern[k + 1] : '\0';
        if (vantor::isClockLetter(letter)) {
            ++k;
            continue;
        }
        const std::string written = letter == '\0' ? "%" : std::string("%") + letter;
        findings.add(FindingKind::UnknownClockLetter, Severity::Warning, entry.line,
                     entry.valueColumn + static_cast<int>(k),
                     std::string(key.name) + " holds " + written +
                         ", which the clock does not know, so it is drawn as written; the "
                         "letters are " +
                         clockLetters());
    }
}

// The parts a colour's keys are named after, in the order of "#RRGGBB".
constexpr const char* kParts[] = {"_RED", "_GREEN", "_BLUE"};

// The key's name without its colour part ("COLOR" of COLOR_GREEN), or empty for another key.
std::string colourStem(const ConfigKey& key) {
    const std::string name = key.name;
    for (const char* part : kParts) {
        const std::size_t size = std::char_traits<char>::length(part);
        if (name.size() > size && name.compare(name.size() - size, size, part) == 0) {
            return name.substr(0, name.size() - size);
        }
    }
    return {};
}

// What the user meant by a number written in hexadecimal, "0x40" or "#FF0000", as the advice
// to write it the way the HUD reads it: in decimal, and a whole colour as its three keys. Empty
// for any other text.
std::string hexadecimalMeant(const ConfigKey& key, const std::string& text) {
    const std::size_t mark = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? 2
                             : text.rfind('#', 0) == 0                            ? 1
                                                                                  : 0;
    const std::string digits = text.substr(mark);
    if (mark == 0 || digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return {};
    }
    const long value = std::strtol(digits.c_str(), nullptr, 16);
    const std::string colour = colourStem(key);
    if (digits.size() == 6 && !colour.empty()) {
        std::vector<std::string> keys;
        for (int k = 0; k < 3; ++k) {
            const ConfigKey* part = findConfigKey(colour + kParts[k]);
            if (part == nullptr) return {};
            keys.push_back(std::string(part->name) + "=" +
                           std::to_string((value >> (16 - 8 * k)) & vantor::kColourTop));
        }
        return "a colour is three keys of decimal numbers: write " + listed(keys, " and ");
    }
    if (value < key.low || value > key.high) return {};
    return "for hexadecimal " + digits + ", write " + std::to_string(value);
}

void checkValue(const Entry& entry, const ConfigKey& key, const vantor::PageStore& store,
                Findings& findings) {
    auto warn = [&](FindingKind kind, Severity severity, int offset, const std::string& message) {
        findings.add(kind, severity, entry.line, entry.valueColumn + offset, message);
    };
    const std::optional<std::string_view> read = store.readString(vantor::kConfigSection, key.name);
    if (!read) {
        warn(FindingKind::EmptySetting, Severity::Note, 0,
             std::string(key.name) + " is empty: the HUD uses the default " + fallback(key));
        return;
    }
    if (key.text == &vantor::HudSettings::dateFormat ||
        key.text == &vantor::HudSettings::timeFormat) {
        checkClockLetters(entry, key, *read, findings);
    }
    if (key.kind == ConfigKey::kText) return;

    const std::string text(*read);
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    const int digitsEnd = static_cast<int>(end - text.c_str());
    const std::optional<std::int32_t> value = store.readInt(vantor::kConfigSection, key.name);
    const std::int32_t used = key.kept(value);
    const std::string written = std::string(key.name) + "=" + text;

    if (digitsEnd == 0) {
        const std::string meant = hexadecimalMeant(key, text);
        warn(FindingKind::NotANumber, Severity::Warning, 0,
             written + " is not a number: it reads as 0, so the HUD uses " +
                 (used == 0 ? std::string("0") : "the default " + fallback(key)) + "; " +
                 (meant.empty() ? "write " + range(key) : meant));
        return;
    }
    if (static_cast<std::size_t>(digitsEnd) < text.size()) {
        const std::string meant = hexadecimalMeant(key, text);
        warn(FindingKind::NumberWithSuffix, Severity::Warning, digitsEnd,
             written + " reads as " + std::to_string(number) +
                 ": the HUD takes the whole number at the start and drops the rest; " +
                 (meant.empty() ? "write " + std::to_string(number) : meant));
    }
    if (value && (*value < key.low || *value > key.high)) {
        warn(FindingKind::OutOfRange, Severity::Warning, 0,
             written + " is out of range: the HUD uses the default " + fallback(key) + "; write " +
                 range(key));
    }
}

}  // namespace

void checkConfig(const LayoutText& text, const vantor::PageStore& store, Findings& findings) {
    for (const Section& section : text.sections) {
        if (upper(section.name) != vantor::kConfigSection || !section.read) continue;
        const FirstEntries first = firstEntries(section);
        for (const Entry& entry : section.entries) {
            if (repeatsKey(entry, first, findings)) continue;
            const std::string name = upper(entry.name);
            const ConfigKey* key = findConfigKey(name);
            if (key == nullptr) {
                const bool row = name.rfind(vantor::kRowKeyPrefix, 0) == 0 ||
                                 name.rfind(vantor::kRowColourPrefix, 0) == 0;
                const std::string hint =
                    row ? " (rows belong in a [" + std::string(vantor::kPageSectionPrefix) + "n])"
                        : meantKey(entry.name, configNames(), first);
                findings.add(
                    FindingKind::UnknownSetting, Severity::Warning, entry.line, entry.column,
                    entry.name + " is not a setting the HUD reads, so it changes nothing" + hint);
                continue;
            }
            checkValue(entry, *key, store, findings);
        }
        return;  // a repeated [CONFIG] is never read
    }
}

namespace {

// A colour of the settings (0 to 1 a part) as the file writes it.
Colour colourOf(float red, float green, float blue) {
    const auto part = [](float c) {
        return static_cast<std::uint8_t>(std::lround(c * vantor::kColourTop));
    };
    return {part(red), part(green), part(blue)};
}

std::string colourText(Colour c) {
    return std::to_string(c.red) + ", " + std::to_string(c.green) + ", " + std::to_string(c.blue);
}

// What the panel lies over: the viewport's own background, and the darkest and lightest scene.
struct Behind {
    Colour colour;
    const char* name;
};
constexpr Behind kBehind[] = {{kViewportBackground, "the viewport's background"},
                              {{0, 0, 0}, "black"},
                              {{255, 255, 255}, "white"}};

// The lowest contrast of `text` on `panel` at `alpha`, and what the panel lies over then.
std::pair<double, const Behind*> leastContrast(Colour text, Colour panel, double alpha) {
    std::pair<double, const Behind*> least{1e9, nullptr};
    for (const Behind& behind : kBehind) {
        const double ratio = contrastRatio(text, blended(panel, alpha, behind.colour));
        if (ratio < least.first) least = {ratio, &behind};
    }
    return least;
}

// The panel colour nearest `panel` that reads at kReadableContrast over anything at `alpha`:
// the panel taken toward black or toward white by the fewest steps. None when neither gets
// there at this opacity.
std::optional<Colour> readablePanel(Colour text, Colour panel, double alpha) {
    std::optional<Colour> best;
    int fewest = vantor::kColourTop + 1;
    for (const Colour end : {Colour{0, 0, 0}, Colour{255, 255, 255}}) {
        for (int step = 1; step < fewest; ++step) {
            const Colour tried = blended(end, step / 255.0, panel);
            if (leastContrast(text, tried, alpha).first >= kReadableContrast) {
                best = tried;
                fewest = step;
            }
        }
    }
    return best;
}

// "1.4:1", cut rather than rounded so that a ratio under a bound never reads as the bound; a
// bound itself as WCAG writes it, "3:1".
std::string ratioText(double ratio) {
    char text[16];
    const bool whole = ratio == std::floor(ratio);
    std::snprintf(text, sizeof text, whole ? "%.0f:1" : "%.1f:1", std::floor(ratio * 10) / 10);
    return text;
}

// A panel whose colour is near the text's leaves the letters little to stand out from, whatever
// the scene behind it shows through.
void checkPanelColour(const Layout& layout, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    if (s.panelAlpha <= 0.0f) return;
    const Colour text = colourOf(s.red, s.green, s.blue);
    const Colour panel = colourOf(s.panelRed, s.panelGreen, s.panelBlue);
    const auto [ratio, behind] = leastContrast(text, panel, s.panelAlpha);
    if (ratio >= kLeastContrast) return;

    constexpr const char* alphaKey = vantor::configKey("PANEL_ALPHA").name;
    const std::string written = alphaKey + std::string("=") +
                                std::to_string(std::lround(s.panelAlpha * vantor::kColourTop));
    std::string mend;
    if (const std::optional<Colour> readable = readablePanel(text, panel, s.panelAlpha)) {
        mend = "a panel of " + colourText(*readable) + " reaches " + ratioText(kReadableContrast);
    } else {
        // Too thin a panel lets the scene through; a full one of black or white always reads.
        const Colour end = contrastRatio(text, {0, 0, 0}) > contrastRatio(text, {255, 255, 255})
                               ? Colour{0, 0, 0}
                               : Colour{255, 255, 255};
        int alpha = vantor::kColourTop;
        while (alpha > 1 &&
               leastContrast(text, end, (alpha - 1) / 255.0).first >= kReadableContrast) {
            --alpha;
        }
        mend = "raise " + std::string(alphaKey) + " to at least " + std::to_string(alpha) +
               " with a panel of " + colourText(end) + " to reach " + ratioText(kReadableContrast);
    }
    const Entry* alphaLine = configEntry(layout.text, alphaKey);
    findings.add(
        FindingKind::PanelHidesText, Severity::Warning, alphaLine != nullptr ? alphaLine->line : 0,
        alphaLine != nullptr ? alphaLine->column : 0,
        "the text's colour " + colourText(text) + " on the panel of " + colourText(panel) + " (" +
            written + ") has a contrast ratio of " + ratioText(ratio) + " over " + behind->name +
            ", under the " + ratioText(kLeastContrast) + " that letters need to be read; " + mend);
}

// The HUD follows the file for the edits saved to it; a file no edit can be saved to has none.
void checkFollowedFile(const Layout& layout, Findings& findings) {
    if (layout.settings.autoReload == 0 || layout.text.writable) return;
    constexpr const char* reloadKey = vantor::configKey("AUTO_RELOAD").name;
    const Entry* reload = configEntry(layout.text, reloadKey);
    findings.add(
        FindingKind::AutoReloadReadOnly, Severity::Warning, reload != nullptr ? reload->line : 0,
        reload != nullptr ? reload->column : 0,
        reloadKey + std::string("=1 has the HUD follow the file for edits, but the file is "
                                "read-only: no edit can be saved to it, so there is "
                                "nothing to follow; make the file writable, or edit a "
                                "copy that is"));
}

}  // namespace

void checkSettingsTogether(const Layout& layout, Findings& findings) {
    checkPanelColour(layout, findings);
    checkFollowedFile(layout, findings);
}

}  // namespace hudhost::check

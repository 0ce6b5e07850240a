// The CONFIG keys: which the HUD reads, and the value it keeps of each, read through the HUD's own
// store and table of its keys.
#include <cmath>
#include <cstdlib>

#include "known_names.h"
#include "layout.h"
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
        findings.add(Kind::UnknownClockLetter, Severity::Warning, entry.line,
                     entry.valueColumn + static_cast<int>(k),
                     std::string(key.name) + " holds " + written +
                         ", which the clock does not know, so it is drawn as written; the "
                         "letters are " +
                         clockLetters());
    }
}

void checkValue(const Entry& entry, const ConfigKey& key, const vantor::PageStore& store,
                Findings& findings) {
    auto warn = [&](Kind kind, Severity severity, int offset, const std::string& message) {
        findings.add(kind, severity, entry.line, entry.valueColumn + offset, message);
    };
    const std::optional<std::string_view> read = store.readString(vantor::kConfigSection, key.name);
    if (!read) {
        warn(Kind::EmptySetting, Severity::Note, 0,
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
        warn(Kind::NotANumber, Severity::Warning, 0,
             written + " is not a number: it reads as 0, so the HUD uses " +
                 (used == 0 ? std::string("0") : "the default " + fallback(key)) + "; write " +
                 range(key));
        return;
    }
    if (static_cast<std::size_t>(digitsEnd) < text.size()) {
        warn(Kind::NumberWithSuffix, Severity::Warning, digitsEnd,
             written + " reads as " + std::to_string(number) +
                 ": the HUD takes the whole number at the start and drops the rest; write " +
                 std::to_string(number));
    }
    if (value && (*value < key.low || *value > key.high)) {
        warn(Kind::OutOfRange, Severity::Warning, 0,
             written + " is out of range: the HUD uses the default " + fallback(key) + "; write " +
                 range(key));
    }
}

}  // namespace

void checkConfig(const LayoutText& text, const vantor::PageStore& store, Findings& findings) {
    for (const Section& section : text.sections) {
        if (upper(section.name) != vantor::kConfigSection || !section.read) continue;
        const std::unordered_map<std::string, const Entry*> first = firstEntries(section);
        for (const Entry& entry : section.entries) {
            const std::string name = upper(entry.name);
            const Entry* firstOfName = first.at(name);
            if (firstOfName != &entry) {
                findings.add(Kind::RepeatedKey, Severity::Warning, entry.line, entry.column,
                             entry.name + " repeats the key at line " +
                                 std::to_string(firstOfName->line) +
                                 ": the HUD reads only the first; remove one of them");
                continue;
            }
            const ConfigKey* key = findConfigKey(name);
            if (key == nullptr) {
                const bool row = name.rfind(vantor::kRowKeyPrefix, 0) == 0 ||
                                 name.rfind(vantor::kRowColourPrefix, 0) == 0;
                const std::string hint =
                    row ? " (rows belong in a [" + std::string(vantor::kPageSectionPrefix) + "n])"
                        : didYouMean(entry.name, configNames());
                findings.add(
                    Kind::UnknownSetting, Severity::Warning, entry.line, entry.column,
                    entry.name + " is not a setting the HUD reads, so it changes nothing" + hint);
                continue;
            }
            checkValue(entry, *key, store, findings);
        }
        return;  // a repeated [CONFIG] is never read
    }
}

namespace {

// A colour as the file writes it: three components from 0 to 255.
std::string colourText(float red, float green, float blue) {
    const auto part = [](float c) { return std::to_string(std::lround(c * vantor::kColourTop)); };
    return part(red) + ", " + part(green) + ", " + part(blue);
}

// A panel in the text's own colour leaves the letters nothing to stand out from.
void checkPanelColour(const Layout& layout, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    if (s.panelAlpha <= 0.0f || s.panelRed != s.red || s.panelGreen != s.green ||
        s.panelBlue != s.blue) {
        return;
    }
    const Entry* alpha = configEntry(layout.text, "PANEL_ALPHA");
    findings.add(Kind::PanelHidesText, Severity::Warning, alpha != nullptr ? alpha->line : 0,
                 alpha != nullptr ? alpha->column : 0,
                 "PANEL_ALPHA=" + std::to_string(std::lround(s.panelAlpha * vantor::kColourTop)) +
                     " lays a panel in the text's own colour behind the rows (PANEL_RED, "
                     "PANEL_GREEN and PANEL_BLUE as COLOR_RED, COLOR_GREEN and COLOR_BLUE: " +
                     colourText(s.red, s.green, s.blue) +
                     "), and the letters vanish into it; give the panel a colour far from the "
                     "text's");
}

// The HUD follows the file for the edits saved to it; a file no edit can be saved to has none.
void checkFollowedFile(const Layout& layout, Findings& findings) {
    if (layout.settings.autoReload == 0 || layout.text.writable) return;
    const Entry* reload = configEntry(layout.text, "AUTO_RELOAD");
    findings.add(Kind::AutoReloadReadOnly, Severity::Warning, reload != nullptr ? reload->line : 0,
                 reload != nullptr ? reload->column : 0,
                 "AUTO_RELOAD=1 has the HUD follow the file for edits, but the file is read-only: "
                 "no edit can be saved to it, so there is nothing to follow; make the file "
                 "writable, or edit a copy that is");
}

}  // namespace

void checkSettingsTogether(const Layout& layout, Findings& findings) {
    checkPanelColour(layout, findings);
    checkFollowedFile(layout, findings);
}

}  // namespace hudhost::check

// The CONFIG keys: which the HUD reads, and the value it keeps of each, read through the HUD's own
// store and table of its keys.
#include <cstdlib>

#include "known_names.h"
#include "layout.h"

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

void checkValue(const Entry& entry, const ConfigKey& key, vantor::PageStore& store,
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
    if (value && used != *value) {
        warn(Kind::OutOfRange, Severity::Warning, 0,
             written + " is out of range: the HUD uses the default " + fallback(key) + "; write " +
                 range(key));
    }
}

}  // namespace

void checkConfig(const LayoutText& text, vantor::PageStore& store, Findings& findings) {
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
                const bool row = name.rfind(vantor::kRowKeyPrefix, 0) == 0;
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

}  // namespace hudhost::check

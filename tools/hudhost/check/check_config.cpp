// The CONFIG keys: which the HUD reads, and the value it keeps of each, from the HUD's own table
// of its keys.
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

void checkValue(Layout& layout, const Entry& entry, const ConfigKey& key) {
    auto warn = [&](Severity severity, int offset, const std::string& message) {
        layout.findings.add(severity, entry.line, entry.valueColumn + offset, message);
    };
    char read[vantor::kTextSize];
    std::int32_t capacity = vantor::kTextSize;
    std::int32_t ok = 0;
    layout.store->readString(vantor::kConfigSection, key.name, read, capacity, ok);
    if (ok <= 0) {
        warn(Severity::Note, 0,
             std::string(key.name) + " is empty: the HUD uses the default " + fallback(key));
        return;
    }
    if (key.kind == ConfigKey::kText) return;

    const std::string text = read;
    const std::size_t shift = entry.value.find(text);  // past a quote the reader removed
    const int offset = static_cast<int>(shift == std::string::npos ? 0 : shift);
    char* end = nullptr;
    const long number = std::strtol(read, &end, 10);
    const std::size_t digitsEnd = static_cast<std::size_t>(end - read);
    std::int32_t value = 0;
    std::int32_t readOk = 0;
    layout.store->readInt(vantor::kConfigSection, key.name, value, readOk);
    const std::int32_t used = key.kept(value, readOk);
    const std::string written = std::string(key.name) + "=" + text;

    if (digitsEnd == 0) {
        warn(Severity::Warning, offset,
             written + " is not a number: it reads as 0, so the HUD uses " +
                 (used == 0 ? std::string("0") : "the default " + fallback(key)) + "; write " +
                 range(key));
        return;
    }
    if (digitsEnd < text.size()) {
        warn(Severity::Warning, offset + static_cast<int>(digitsEnd),
             written + " reads as " + std::to_string(number) +
                 ": the HUD takes the whole number at the start and drops the rest; write " +
                 std::to_string(number));
    }
    if (used != value) {
        warn(Severity::Warning, offset,
             written + " is out of range: the HUD uses the default " + fallback(key) + "; write " +
                 range(key));
    }
}

}  // namespace

void checkConfig(Layout& layout) {
    for (std::size_t s = 0; s < layout.text.sections.size(); ++s) {
        const Section& section = layout.text.sections[s];
        if (upper(section.name) != vantor::kConfigSection || !layout.sectionRead[s]) continue;
        const std::unordered_map<std::string, const Entry*> first = firstEntries(section);
        for (const Entry& entry : section.entries) {
            const std::string name = upper(entry.name);
            const Entry* firstOfName = first.at(name);
            if (firstOfName != &entry) {
                layout.findings.add(Severity::Warning, entry.line, entry.column,
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
                layout.findings.add(
                    Severity::Warning, entry.line, entry.column,
                    entry.name + " is not a setting the HUD reads, so it changes nothing" + hint);
                continue;
            }
            checkValue(layout, entry, *key);
        }
        return;  // a repeated [CONFIG] is never read
    }
}

}  // namespace hudhost::check

#include "pages/hud_settings.h"

#include <cstring>

namespace vantor {
namespace {

void readNumber(PageStore& store, const ConfigKey& key, HudSettings& settings) {
    const std::int32_t kept = key.kept(store.readInt(kConfigSection, key.name));
    switch (key.kind) {
        case ConfigKey::kWhole:
            settings.*key.whole = kept;
            break;
        case ConfigKey::kReal:
            settings.*key.real = static_cast<float>(kept);
            break;
        case ConfigKey::kColour:
            settings.*key.real = static_cast<float>(kept) * kInverse255;
            break;
        case ConfigKey::kText:
            break;
    }
}

// The field is cleared first, so that nothing of a longer text read before stays behind it.
void readText(PageStore& store, const ConfigKey& key, HudSettings& settings) {
    char* field = settings.*key.text;
    std::memset(field, 0, kTextSize);
    const std::optional<std::string_view> text = store.readString(kConfigSection, key.name);
    if (text) {
        std::memcpy(field, text->data(), text->size());
    } else {
        std::memcpy(field, key.fallbackText, std::strlen(key.fallbackText) + 1);
    }
}

}  // namespace

void reloadConfig(PageStore& store, HudSettings& settings, const char* path) {
    store.reset();
    store.setPath(path);
    store.loadPages(kPageSectionPrefix, kRowKeyPrefix);
    for (const ConfigKey& key : kConfigKeys) {
        if (key.kind == ConfigKey::kText) {
            readText(store, key, settings);
        } else {
            readNumber(store, key, settings);
        }
    }
    // After every key of the file's first form, so that a layout without colours reads those as
    // it always did, and then one listing a page.
    store.loadRowColours(kPageSectionPrefix, kRowColourPrefix);
}

}  // namespace vantor

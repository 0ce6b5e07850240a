// The HUD's GL resources and what is read with them: the configuration, the elapsed timer's start
// and the font lists, all rebuilt together.
#include <GL/gl.h>

#include "hud/hud_plugin.h"
#include "hud/list_advances.h"
#include "tokens/clock_format.h"

namespace vantor {
namespace {

// Whether some row of `store` is shaped; moves the store's cursor. Token values are plain ASCII,
// so a row's own text decides.
bool shapesSomeRow(PageStore& store, const platform::CodePageCharacters& codePage) {
    for (int page = 0; store.selectPage(page) != 0; ++page) {
        for (int row = 0; store.selectRow(row) != 0; ++row) {
            if (RowShaper::needed(store.getRowText(), store.getRowEncoding(), codePage)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void HudPlugin::rebuildGlResources() {
    const platform::DeviceContext deviceContext = platform::currentDeviceContext();
    if (deviceContext == nullptr) return;  // no context yet: try again on the next frame
    rebuildNeeded_ = false;

    platform::refreshTimeZone();
    startTick_ = platform::tickCount();
    frameRate_.restart(startTick_);
    // Taken before the read: an edit made while it reads shows as a change at the next look.
    loadedStamp_ = platform::fileStamp(kIniPath);
    lastFileCheck_ = startTick_;
    reloadConfig(store_, settings_);
    // The first read decides how the HUD started: shown, it is as if Switch had come first, so
    // a Switch run before this frame hides it. A later reload leaves it as Switch left it.
    if (!everBuilt_ && settings_.startVisible != 0) visible_ = !visible_;
    everBuilt_ = true;
    const bool named =
        needsClockNames(settings_.dateFormat) || needsClockNames(settings_.timeFormat);
    if (named) platform::readClockNames(clockNames_);

    if (fontListBase_ != 0) glDeleteLists(fontListBase_, platform::kGlyphCount);
    characterLists_.release();
    rowCache_.release();
    fontListBase_ = glGenLists(platform::kGlyphCount);
    if (fontListBase_ == 0) return;  // no lists: nothing is drawn until a rebuild succeeds
    const HudSettings& s = settings_;
    platform::readCodePage(codePage_);
    face_ = toUtf8(s.fontFace, codePage_);
    const char* face = face_.c_str();
    platform::buildGlyphLists(deviceContext, face, s.fontSize, fontListBase_, s.fontWeight);
    characterLists_.collect(store_, codePage_);
    if (named) characterLists_.gather(clockNames_);
    characterLists_.build(deviceContext, face, s.fontSize, s.fontWeight);
    shaper_.close();
    if (shapesSomeRow(store_, codePage_))
        shaper_.open(deviceContext, face, s.fontSize, s.fontWeight);
    // Shaped rows are drawn as row lists, whatever ROW_CACHE says.
    const bool composed = settings_.rowCache != 0 || shaper_.opened();
    // Values in their own colour are drawn again from where the advances put them.
    advancesMeasured_ = settings_.anchor != kStretched || composed || settings_.panelAlpha > 0.0f ||
                        settings_.valuesColoured();
    if (advancesMeasured_) {
        readListAdvances({fontListBase_, platform::kGlyphCount, advances_ + platform::kFirstGlyph},
                         {characterLists_.base(), characterLists_.count(), characterAdvances_});
    }
    ink_ = {};
    if (settings_.panelAlpha > 0.0f) {
        const std::optional<platform::FontMeasure> font =
            platform::measureFont(face, s.fontSize, nullptr, 0, s.fontWeight);
        ink_ = font ? FontInk{font->ascent, font->descent}
                    : FontInk{settings_.fontSize, settings_.fontSize / 4};
    }
    if (composed) {
        const Offsets offsets = effectOffsets();
        rowCache_.build(deviceContext, face, s.fontSize, s.fontWeight, fontListBase_,
                        advances_ + platform::kFirstGlyph, characterLists_.base(),
                        characterLists_.codes(), characterAdvances_, characterLists_.count(),
                        offsets.at, offsets.count, settings_.valuesColoured());
    }
}

// A file missing, empty or locked at the look is left for a later one, and the HUD keeps what it
// has; an editor that saves by renaming a new file over the old shows as a new stamp.
void HudPlugin::followFile() {
    constexpr std::uint32_t kLookEvery = 1000;  // ms
    const std::uint32_t now = platform::tickCount();
    if (now - lastFileCheck_ < kLookEvery) return;
    lastFileCheck_ = now;
    const std::optional<platform::FileStamp> stamp = platform::fileStamp(kIniPath);
    if (!stamp || stamp->size == 0 || stamp == loadedStamp_) return;
    if (!platform::canOpenForReading(kIniPath)) return;
    rebuildNeeded_ = true;
}

}  // namespace vantor

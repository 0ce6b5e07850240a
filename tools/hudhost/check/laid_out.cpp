// The pages as the HUD lays them out, for the checks: the layout's own settings or those a check
// tries, with the advances the HUD draws with and live values as wide as a typical frame's.
#include <cstdio>
#include <cstring>
#include <optional>

#include "check/layout.h"
#include "tokens/token_table.h"

namespace hudhost::check {
namespace {

// The longest of the names the camera token gives.
const char* longestCameraName() {
    const char* longest = vantor::kOtherCameraName;
    for (const vantor::CameraName& camera : vantor::kCameraNames) {
        if (std::strlen(camera.name) > std::strlen(longest)) longest = camera.name;
    }
    return longest;
}

// Shaped rows measured by the engine the HUD draws them with.
class MeasuredShaping final : public vantor::RowShaping {
public:
    MeasuredShaping(vantor::RowShaper& shaper, const vantor::platform::CodePageCharacters& codePage)
        : shaper_(shaper), codePage_(codePage) {}

    Shaped shape(int, const char* text, vantor::RowEncoding encoding) override {
        return {shaper_.shape(text, encoding, codePage_).notes.width, 1};
    }

private:
    vantor::RowShaper& shaper_;
    const vantor::platform::CodePageCharacters& codePage_;
};

}  // namespace

// The token values of a frame now, through the HUD's own update; the camera's, which the host
// decides, as long as it can be.
LayoutMeasure::LayoutMeasure(const RowCharacters& characters) {
    vantor::HostWord camera = 0;
    vantor::updateTokenValues(values, camera,
                              {nullptr, nullptr, 0, 0, vantor::platform::calendarTime()});
    std::snprintf(values.values[vantor::kCameraNameToken], vantor::kTextSize, "%s",
                  longestCameraName());
    advances.characters = characters.lists->gathered();
    if (characters.font == nullptr) return;
    const vantor::platform::FontMeasure& font = characters.font->measure;
    for (int k = 0; k < vantor::platform::kGlyphCount; ++k) {
        glyphs[vantor::platform::kFirstGlyph + k] = font.advances[k];
    }
    for (const vantor::platform::CharacterMeasure& c : font.characters) {
        characterAdvances.push_back(c.advance);
    }
    advances.glyphs = glyphs;
    advances.characterAdvances = characterAdvances.data();
}

std::unique_ptr<vantor::PageLayout> layOut(const Layout& layout, int page, const Trial& trial) {
    auto laid = std::make_unique<vantor::PageLayout>();
    const vantor::FontInk ink =
        layout.font != nullptr
            ? vantor::FontInk{layout.font->measure.ascent, layout.font->measure.descent}
            : vantor::FontInk{};
    vantor::RowShaper* shaper = shaperOf(trial.settings, layout.codePage);
    std::optional<MeasuredShaping> shaping;
    if (shaper != nullptr) shaping.emplace(*shaper, layout.codePage);
    vantor::layOutPage(layout.store.view(page),
                       {trial.settings,
                        layout.advances,
                        ink,
                        {0, 0, trial.width, trial.height},
                        layout.values,
                        layout.codePage,
                        shaping ? &*shaping : nullptr},
                       *laid);
    return laid;
}

vantor::LaidRow laidRow(const Layout& layout, int page, int index, const Trial& trial) {
    return layOut(layout, page, trial)->rows[index];
}

}  // namespace hudhost::check

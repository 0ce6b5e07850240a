// Characters the chosen face lacks, drawn from a face of the system that has them, and face names
// given in the face's own script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hud_gl_support.h"

namespace vantor::test {
namespace {

class FallbackFaces : public GlTest {};

// U+0378 is unassigned: no face has it, so it draws the chosen face's missing-glyph box.
constexpr const char* kNoFaceHasIt = "\xcd\xb8";

TEST_F(FallbackFaces, EastAsianCharactersDrawInkThatIsNotTheMissingGlyphBox) {
    const struct {
        const char* name;
        const char* text;
    } characters[] = {
        {"hiragana a", "\xe3\x81\x82"},  {"katakana ka", "\xe3\x82\xab"},
        {"han sen", "\xe9\x81\xb8"},     {"simplified men", "\xe4\xbb\xac"},
        {"hangul seon", "\xec\x84\xa0"}, {"hangul han", "\xed\x95\x9c"},
    };
    for (const char* mode : {"ROW_CACHE=0", "ROW_CACHE=1"}) {
        const Image box = drawRow(kNoFaceHasIt, {"FONT_FACE=Arial", mode}, "box");
        ASSERT_GT(litArea(box).count, 0) << mode;
        for (const auto& c : characters) {
            const Image& drawn = drawRow(c.text, {"FONT_FACE=Arial", mode}, c.name);
            const LitArea ink = litArea(drawn);
            EXPECT_GT(ink.count, 0) << c.name << ", " << mode;
            EXPECT_FALSE(drawn == box) << c.name << ", " << mode << ": the missing-glyph box";
            // The row stands on the chosen face's baseline: the glyph sits on it, as tall as a
            // capital or more, and hangs below it by no more than a descender.
            EXPECT_GE(ink.bottom, 65 - 5) << c.name << ", " << mode;
            EXPECT_GE(ink.top, 65 + 11) << c.name << ", " << mode;
        }
    }
}

TEST_F(FallbackFaces, ALocalizedFaceNameDrawsAsItsEnglishName) {
    const std::string row = "Abc \xe9\x81\xb8\xe6\x8a\x9e \xec\x84\xa0 45";
    for (const char* mode : {"ROW_CACHE=0", "ROW_CACHE=1"}) {
        const Image english = drawRow(row, {"FONT_FACE=WenQuanYi Micro Hei", mode}, "english");
        // Its simplified Chinese name, as fontconfig lists it beside the English one.
        const Image localized = drawRow(
            row,
            {"FONT_FACE=\xe6\x96\x87\xe6\xb3\x89\xe9\xa9\xbf\xe5\xbe\xae\xe7\xb1\xb3\xe9\xbb\x91",
             mode},
            "localized");
        const Image arial = drawRow(row, {"FONT_FACE=Arial", mode}, "arial");
        EXPECT_GT(litArea(english).count, 0) << mode;
        EXPECT_TRUE(localized == english) << mode;
        EXPECT_FALSE(arial == english) << mode << ": the name chose no face at all";
    }
}

}  // namespace
}  // namespace vantor::test

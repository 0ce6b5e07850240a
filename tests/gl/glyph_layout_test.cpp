// The glyph lists as the HUD builds them: character height, baseline, origin and advance.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hud_gl_support.h"

namespace vantor::test {
namespace {

class GlyphLayout : public GlTest {
protected:
    // The lit area of a single row drawn at the default position with `config`.
    LitArea drawnArea(const char* text, const std::vector<std::string>& config,
                      const std::string& label) {
        return litArea(drawRow(text, config, label));
    }
};

TEST_F(GlyphLayout, CapitalsStandOnTheBaselineAndGrowWithTheFontSize) {
    // A capital of a sans face is about 0.72 of the character height the font is asked for.
    const struct {
        const char* config;
        int size;
    } sizes[] = {
        {"FONT_SIZE=8", 8}, {"FONT_SIZE=", 18}, {"FONT_SIZE=36", 36}, {"FONT_SIZE=64", 64}};
    int previousHeight = 0;
    for (const auto& s : sizes) {
        const LitArea h = drawnArea("H", {s.config}, s.config);
        EXPECT_EQ(h.bottom, 65) << s.config << ": the baseline is the raster position";
        EXPECT_GE(h.left, kDefaultX) << s.config;
        EXPECT_LE(h.left, kDefaultX + s.size / 6 + 1) << s.config << ": left bearing";
        EXPECT_GE(h.height(), s.size * 60 / 100) << s.config;
        EXPECT_LE(h.height(), s.size * 80 / 100 + 1) << s.config;
        EXPECT_GT(h.height(), previousHeight) << s.config;
        previousHeight = h.height();
    }
}

TEST_F(GlyphLayout, DescendersHangBelowTheBaseline) {
    const LitArea g = drawnArea("g", {}, "g");
    EXPECT_LT(g.bottom, 65);
    EXPECT_GE(g.bottom, 65 - 6);
}

TEST_F(GlyphLayout, TheSpaceAdvancesWithoutDrawing) {
    const LitArea joined = drawnArea("II", {}, "joined");
    const LitArea spaced = drawnArea("I I", {}, "spaced");
    EXPECT_EQ(joined.count, spaced.count);
    const int space = spaced.right - joined.right;
    EXPECT_GE(space, 3);  // about 0.28 of 18 pixels
    EXPECT_LE(space, 7);
}

TEST_F(GlyphLayout, AnyFaceNameGivesGlyphs) {
    for (const char* face : {"FONT_FACE=Arial", "FONT_FACE=No Such Face: -bold",
                             "FONT_FACE=Caf\xe9 Sans", "FONT_FACE=DejaVu Serif"}) {
        const LitArea h = drawnArea("H", {face}, face);
        EXPECT_EQ(h.bottom, 65) << face;
        EXPECT_GE(h.height(), 10) << face;
        EXPECT_LE(h.height(), 15) << face;
    }
}

}  // namespace
}  // namespace vantor::test

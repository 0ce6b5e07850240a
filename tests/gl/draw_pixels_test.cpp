// What a frame puts on the screen: where the rows land, in which colour, and what draws nothing.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "hud_gl_support.h"
#include "hud_internals.h"

namespace vantor::test {
namespace {

class DrawPixels : public GlTest {};

TEST_F(DrawPixels, RowsLandInTheirBandsAndABlankRowKeepsItsLine) {
    WorkFolder dir(iniWithPage({"A", "BLANK", "C"}));
    auto hud = makeHud();
    hud->execute(kSwitchCommand);
    ASSERT_TRUE(hud->draw(0));
    EXPECT_EQ(checkRowBands(frame(), {true, false, true}), "");
}

TEST_F(DrawPixels, LitPixelsHaveTheConfiguredColourEvenOverALitScene) {
    const struct {
        const char* red;
        const char* green;
        const char* blue;
        unsigned char expected[3];
    } cases[] = {
        {"COLOR_RED=255", "COLOR_GREEN=128", "COLOR_BLUE=0", {255, 128, 0}},
        {"COLOR_RED=", "COLOR_GREEN=300", "COLOR_BLUE=-1", {64, 64, 64}},  // the defaults
    };
    for (const auto& c : cases) {
        WorkFolder dir(iniWithPage({"HUD"}, {c.red, c.green, c.blue}));
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_LIGHTING);  // would colour the raster position if the HUD left it on
        glEnable(GL_LIGHT0);
        glColor3f(0.0f, 0.0f, 1.0f);
        auto hud = makeHud();
        hud->execute(kSwitchCommand);
        hud->draw(0);
        const Image& image = frame(std::string(c.red) + c.green + c.blue);
        int lit = 0;
        int wrong = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                if (!image.lit(x, y)) continue;
                ++lit;
                const unsigned char* p = image.at(x, y);
                wrong += p[0] != c.expected[0] || p[1] != c.expected[1] || p[2] != c.expected[2];
            }
        }
        EXPECT_GT(lit, 20) << c.red;
        EXPECT_EQ(wrong, 0) << c.red << " " << c.green << " " << c.blue;
    }
}

TEST_F(DrawPixels, NothingIsDrawn) {
    const struct {
        const char* name;
        std::string ini;
        bool switchOn;
    } cases[] = {
        {"hidden", iniWithPage({"A", "B", "C"}), false},
        // Row 5 lies at y -10: its raster position is outside the overlay space.
        {"row5BelowZero", iniWithPage({"BLANK", "BLANK", "BLANK", "BLANK", "BLANK", "Wg"}), true},
        {"row1BelowZero", iniWithPage({"BLANK", "Wg"}, {"HUD_POS_Y=5"}), true},
        {"noPages", iniWithPage({}), true},
        // Control bytes, and the codes Windows-1252 leaves undefined.
        {"onlyBytesWithoutGlyphs", iniWithPage({"\x01\x1f\x81\x8d\x8f\x90\x9d"}), true},
    };
    for (const auto& c : cases) {
        WorkFolder dir(c.ini);
        glClear(GL_COLOR_BUFFER_BIT);
        auto hud = makeHud();
        if (c.switchOn) hud->execute(kSwitchCommand);
        hud->draw(0);
        EXPECT_NE(inspect(*hud).fontListBase(), 0u)
            << c.name << ": the lists are built all the same";
        EXPECT_EQ(litArea(frame(c.name)).count, 0) << c.name;
    }
}

TEST_F(DrawPixels, BytesOutsideTheGlyphRangeDrawNothingNotEvenTheHostsLists) {
    // The host's lists lie on both sides of the HUD's, where a byte that stands for no character
    // would reach: lists below are made before the HUD builds, lists above after.
    const GLuint below = glGenLists(64);
    fillWithBlocks(below, 64);
    WorkFolder dir(
        iniWithPage({"A\x01\x09\x1f\x81\x8d\x9d"
                     "C"}));
    auto hud = makeHud();
    hud->draw(0);
    ASSERT_GT(inspect(*hud).fontListBase(), below + 63);
    const GLuint above = glGenLists(256);
    fillWithBlocks(above, 256);

    hud->execute(kSwitchCommand);
    hud->draw(0);
    const Image mixed = frame("mixed");

    dir.writeIni(iniWithPage({"AC"}));
    hud->execute(kReloadIniCommand);
    glClear(GL_COLOR_BUFFER_BIT);
    hud->draw(0);
    const Image plain = frame("plain");

    EXPECT_GT(litArea(plain).count, 0);
    EXPECT_TRUE(mixed.rgba == plain.rgba)
        << "the line differs from the same line without the bytes";
}

TEST_F(DrawPixels, AStretchedLayoutAfterACornerOneIsStretchedOverTheOverlayAgain) {
    WorkFolder dir(iniWithPage({"A"}));
    glViewport(0, 0, 320, 240);  // not the overlay's size, so the two spaces differ
    auto hud = makeHud();
    hud->execute(kSwitchCommand);
    hud->draw(0);
    const Image before = frame("stretched");

    dir.writeIni(iniWithPage({"A"}, {"HUD_ANCHOR=1"}));
    hud->execute(kReloadIniCommand);
    hud->draw(0);
    dir.writeIni(iniWithPage({"A"}));
    hud->execute(kReloadIniCommand);
    glClear(GL_COLOR_BUFFER_BIT);
    hud->draw(0);
    EXPECT_TRUE(frame("stretched again").rgba == before.rgba);
}

}  // namespace
}  // namespace vantor::test

namespace vantor::test {
namespace {

// The widest rows the HUD can be given, composed by the row cache at the largest size: 259 of the
// widest glyph, and a line that tokens grow to the line buffer's end. Under AddressSanitizer this
// proves the buffers sized at load hold them; everywhere, the frame is the glyph lists'.
TEST_F(DrawPixels, TheWidestRowsComposeWithinTheirBuffersAsTheListsDrawThem) {
    const std::string widest(259, 'W');
    std::string tokens;
    while (tokens.size() + 11 < 259) tokens += "*CUR_DATE* ";
    Image frames[2];
    for (int cache = 0; cache <= 1; ++cache) {
        WorkFolder dir(iniWithPage({widest, tokens},
                                   {"FONT_SIZE=64", "TEXT_EFFECT=2", "HUD_POS_X=1", "HUD_POS_Y=400",
                                    "HUD_STEP_Y=70", "ROW_CACHE=" + std::to_string(cache)}));
        glClear(GL_COLOR_BUFFER_BIT);
        auto hud = makeHud();
        hud->execute(kSwitchCommand);
        hud->draw(0);
        frames[cache] = frame("cache" + std::to_string(cache));
    }
    EXPECT_GT(litArea(frames[0]).count, 1000);
    EXPECT_TRUE(frames[1].rgba == frames[0].rgba);
}

}  // namespace
}  // namespace vantor::test

// The host's GL state around a drawing pass: what the pass may leave changed, and nothing else.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "hud_gl_support.h"
#include "hud_internals.h"
#include "render/gl_state.h"

namespace vantor::test {
namespace {

enum class Call { kFlag1, kHidden, kVisible };

// The layouts the pass draws: each effect in the stretched space, and each corner held; rows
// drawn through the glyph lists, and from the row cache, which composes and compiles in the pass;
// a panel behind them, and the file followed; rows in colours of their own, by thresholds too;
// values in a colour of their own.
struct Look {
    const char* name;
    int effect;              // TEXT_EFFECT
    int anchor;              // HUD_ANCHOR
    const char* more = "";   // other keys
    const char* page = "";   // keys of the page beside its rows
    const char* last = "C";  // the last row, which ends about 10 pixels on
};
constexpr const char* kRowColours = "ROWCOLOR1=00FF00\nROWCOLOR3=0000FF<5,FFFF00\n";
constexpr Look kLooks[] = {
    {"", 0, 0},
    {"Shadow", 1, 0},
    {"Outline", 2, 0},
    {"TopLeftOutline", 2, 1},
    {"TopRight", 0, 2},
    {"BottomLeftShadow", 1, 3},
    {"BottomRightOutline", 2, 4},
    {"RowCacheOutline", 2, 0, "ROW_CACHE=1"},
    {"BottomRightRowCacheShadow", 1, 4, "ROW_CACHE=1"},
    {"Panel", 1, 0, "PANEL_ALPHA=128"},
    {"TopRightPanel", 2, 2, "PANEL_ALPHA=255"},
    {"AutoReload", 0, 0, "AUTO_RELOAD=1"},
    {"RowColoursShadow", 1, 0, "", kRowColours},
    {"RowCacheRowColoursOutline", 2, 0, "ROW_CACHE=1", kRowColours},
    {"TopCentreRowColoursPanel", 1, 5, "PANEL_ALPHA=128", kRowColours},
    {"ValuesOutline", 2, 0, "VALUE_BLUE=255", kRowColours, "*SEL_FACES*"},
    {"BottomRightValues", 0, 4, "VALUE_GREEN=0", "", "*SEL_FACES*"},
    {"RowCacheValuesShadow", 1, 0, "ROW_CACHE=1\nVALUE_RED=0", kRowColours, "*SEL_FACES*"}};

using StateCase = std::tuple<bool /*lighting*/, bool /*depth*/, GLenum /*mode*/, Call, Look>;

std::string caseName(const ::testing::TestParamInfo<StateCase>& info) {
    const auto [lighting, depth, mode, call, look] = info.param;
    const char* modes = mode == GL_MODELVIEW    ? "ModelView"
                        : mode == GL_PROJECTION ? "Projection"
                                                : "Texture";
    const char* calls = call == Call::kFlag1    ? "Flag1"
                        : call == Call::kHidden ? "Hidden"
                                                : "Visible";
    return std::string(lighting ? "Lit" : "Unlit") + (depth ? "Depth" : "NoDepth") + modes + calls +
           look.name;
}

using hudhost::GlState;

class DrawState : public GlTest, public ::testing::WithParamInterface<StateCase> {
protected:
    // A host set-up with nothing at its default, so that any value the HUD leaves behind shows.
    static void setUpHost(bool lighting, bool depth, GLenum mode) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-1.0, 1.5, -0.75, 1.0, 1.0, 100.0);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glScalef(2.0f, 3.0f, 1.0f);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0.25f, -0.5f, -5.0f);
        glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
        glListBase(777);
        glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
        glRasterPos3f(0.1f, 0.2f, 0.0f);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
        glBlendFunc(GL_ONE, GL_ONE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glEnable(GL_CULL_FACE);
        glEnable(GL_LIGHT0);
        if (lighting) glEnable(GL_LIGHTING);
        if (depth) glEnable(GL_DEPTH_TEST);
        glMatrixMode(mode);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
};

TEST_P(DrawState, LeavesOnlyWhatItMayAndRaisesNoError) {
    const auto [lighting, depth, mode, call, look] = GetParam();
    std::string ini = iniWithPage({"A", "BLANK", look.last},
                                  {"COLOR_RED=255", "COLOR_GREEN=0", "EFFECT_GREEN=200",
                                   "TEXT_EFFECT=" + std::to_string(look.effect),
                                   "HUD_ANCHOR=" + std::to_string(look.anchor), look.more});
    ini.insert(ini.find('\n') + 1, look.page);
    WorkFolder dir(ini);
    auto hud = makeHud();
    if (call == Call::kVisible) hud->execute(kSwitchCommand);
    setUpHost(lighting, depth, mode);
    const GlState before = GlState::read();

    // The first pass builds the lists too (except with flag 1): its state matters most.
    EXPECT_TRUE(hud->draw(call == Call::kFlag1 ? 1 : 0));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const GlState after = GlState::read();
    EXPECT_EQ(inspect(*hud).fontListBase() != 0, call != Call::kFlag1);

    // What may differ after a visible pass, and how.
    std::set<std::string> mayChange;
    if (call == Call::kVisible) {
        mayChange = {"depth test", "matrix mode", "current colour", "raster position"};
        EXPECT_EQ(after["depth test"][0], 1.0);
        EXPECT_EQ(after["matrix mode"][0], GL_PROJECTION);
        const std::vector<double>& colour = after["current colour"];
        EXPECT_EQ(colour[0], 1.0);
        EXPECT_EQ(colour[1], 0.0);
        EXPECT_FLOAT_EQ(static_cast<float>(colour[2]), 64.0f / 255.0f);
        EXPECT_EQ(colour[3], 1.0);
        // Where the last line, on row 2, ended: x, y, z, w and whether it is valid. A right
        // corner's rows end 450 pixels from the right edge; a top corner's third row is 95 below
        // the top edge; a bottom corner's last row is 65 above the bottom edge.
        const std::vector<double>& raster = after["raster position"];
        EXPECT_EQ(raster[4], 1.0);
        const bool top = look.anchor == 1 || look.anchor == 2 || look.anchor == 5;
        EXPECT_NEAR(raster[1], look.anchor == 0 ? 35.0 : top ? kHeight - 95 : 65.0, 0.01);
        if (look.anchor == 2 || look.anchor == 4) {
            EXPECT_NEAR(raster[0], kWidth - 450, 0.01);
        } else if (look.anchor != 5) {
            EXPECT_GT(raster[0], 455.0);
            EXPECT_LT(raster[0], 475.0);
        }
    }
    // Everything else is as it was, in every case.
    for (const GlState::Piece& piece : before.pieces) {
        if (mayChange.count(piece.name) == 0) {
            EXPECT_EQ(after[piece.name], piece.values) << piece.name;
        }
    }

    // The glyphs were built whatever unpacking the host had set.
    if (call == Call::kVisible && look.anchor == 0) {
        const LitArea a = litArea(frame(), 0, bandBottom(0), kWidth, bandTop(0));
        EXPECT_EQ(a.bottom, look.effect == 0 ? 65 : 64);  // an effect reaches a pixel lower
        EXPECT_GE(a.height(), 11);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllHostStates, DrawState,
    ::testing::Combine(::testing::Bool(), ::testing::Bool(),
                       ::testing::Values(GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE),
                       ::testing::Values(Call::kFlag1, Call::kHidden, Call::kVisible),
                       ::testing::ValuesIn(kLooks)),
    caseName);

}  // namespace
}  // namespace vantor::test

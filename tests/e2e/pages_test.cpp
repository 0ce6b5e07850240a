// The HUD over the host's viewport, end to end: the example's pages land in their row bands in
// the HUD colour, and the tokens show what the host's records hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "layout.h"
#include "render.h"

namespace e2e {
namespace {

const std::string kExampleIni =
    std::string(EXAMPLES_DIR) + "/Plugins/Startup Plugins/VantorHUD.ini";
constexpr int kWidth = 640;  // the overlay space at one pixel a unit
constexpr int kHeight = 480;
constexpr int kColourTolerance = 1;
constexpr int kMinPixelsPerRow = 20;  // a few glyphs' worth

// The pixel rows a text row's glyphs may cover: from below the baseline by a descender to a
// full character height above it.
bool inBand(const Layout& layout, int row, int y) {
    const int baseline = layout.posY - row * layout.stepY;
    return y >= baseline - layout.fontSize / 3 - 1 && y <= baseline + layout.fontSize + 1;
}

int textRowAt(const Layout& layout, int y) {
    for (int row = 0; row < static_cast<int>(layout.rowHasText.size()); ++row) {
        if (layout.rowHasText[row] && inBand(layout, row, y)) return row;
    }
    return -1;
}

// Every pixel the HUD changed is in its colour, right of HUD_POS_X and inside the band of a row
// with text (so BLANK rows draw nothing), and every row with text drew something.
void expectRowsInTheirBands(const Picture& hud, const Picture& scene, const Layout& layout) {
    long offColour = 0;
    long outside = 0;
    std::vector<long> perRow(layout.rowHasText.size(), 0);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb pixel = hud.at(x, y);
            if (near(pixel, scene.at(x, y), 0)) continue;
            const int row = textRowAt(layout, y);
            if (!near(pixel, layout.colour, kColourTolerance)) {
                ++offColour;
            } else if (row < 0 || x < layout.posX - 3) {
                ++outside;
            } else {
                ++perRow[row];
            }
        }
    }
    EXPECT_EQ(offColour, 0) << "pixels changed to another colour than the HUD's";
    EXPECT_EQ(outside, 0) << "HUD pixels outside the rows' bands";
    for (std::size_t row = 0; row < perRow.size(); ++row) {
        if (layout.rowHasText[row]) {
            EXPECT_GE(perRow[row], kMinPixelsPerRow) << "row " << row + 1 << " drew nothing";
        }
    }
}

struct PageCase {
    const char* name;
    std::vector<std::string> args;  // commands and drawing flags
    int page;                       // SECTION number shown; 0 for nothing
};

class ExamplePages : public ::testing::TestWithParam<PageCase> {};

TEST_P(ExamplePages, DrawTheirRowsInTheirBandsInTheHudColour) {
    const PageCase& c = GetParam();
    const std::vector<std::string> view = {"--camera", "top",     "--selection-mode",
                                           "edge",     "--edges", "12"};
    Picture scene;
    std::vector<std::string> sceneArgs = {"--no-plugin"};
    sceneArgs.insert(sceneArgs.end(), view.begin(), view.end());
    ASSERT_EQ(render(std::string("example-scene-") + c.name, sceneArgs, scene).status, 0);

    std::vector<std::string> args = {"--workdir", EXAMPLES_DIR};
    args.insert(args.end(), view.begin(), view.end());
    args.insert(args.end(), c.args.begin(), c.args.end());
    Picture hud;
    ASSERT_EQ(render(std::string("example-") + c.name, args, hud).status, 0);
    ASSERT_EQ(hud.width(), kWidth);
    ASSERT_EQ(hud.height(), kHeight);

    if (c.page == 0) {
        EXPECT_TRUE(hud == scene) << "the HUD drew while it should not";
        return;
    }
    Layout layout;
    ASSERT_TRUE(readLayout(kExampleIni, c.page, layout)) << kExampleIni;
    ASSERT_FALSE(layout.rowHasText.empty());
    expectRowsInTheirBands(hud, scene, layout);
}

INSTANTIATE_TEST_SUITE_P(
    Hudhost, ExamplePages,
    ::testing::Values(
        PageCase{"HiddenAtStart", {}, 0}, PageCase{"Switched", {"--cmd", "switch"}, 1},
        PageCase{"NextPage", {"--cmd", "switch", "--cmd", "next"}, 2},
        PageCase{"PrevFromTheFirstIsTheLast", {"--cmd", "switch", "--cmd", "prev"}, 3},
        PageCase{"NextAfterTheLastIsTheFirst",
                 {"--cmd", "switch", "--cmd", "next", "--cmd", "next", "--cmd", "next"},
                 1},
        PageCase{"PagingWhileHiddenDoesNothing", {"--cmd", "next", "--cmd", "switch"}, 1},
        PageCase{"SwitchedOffAgain", {"--cmd", "switch", "--cmd", "switch"}, 0},
        PageCase{"ReloadKeepsThePage", {"--cmd", "switch", "--cmd", "next", "--cmd", "reload"}, 2},
        PageCase{"FlagOneDrawsNothing", {"--cmd", "switch", "--draw-flag", "1"}, 0}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

struct TokenCase {
    const char* name;
    const char* camera;
    const char* cameraShown;
    const char* mode;
    const char* edges;
    const char* selectionShown;  // faces/edges/vertices
};

class Tokens : public ::testing::TestWithParam<TokenCase> {};

// Page 1 holds the tokens, page 2 the texts they must become: with the host's records read right,
// both pages give the same picture.
TEST_P(Tokens, ShowWhatTheHostsRecordsHold) {
    const TokenCase& c = GetParam();
    const std::string dir = outputDir() + "/tokens-" + c.name;
    std::filesystem::create_directories(dir + "/Plugins/Startup Plugins");
    std::ofstream(dir + "/Plugins/Startup Plugins/VantorHUD.ini")
        << "[CONFIG]\nHUD_POS_X=20\nHUD_POS_Y=400\nHUD_STEP_Y=40\nFONT_SIZE=20\n"
        << "COLOR_RED=255\nCOLOR_GREEN=255\nCOLOR_BLUE=0\n"
        << "[SECTION1]\nROWDATA1=Camera *CAMERA_NAME*\n"
        << "ROWDATA2=Selected *SEL_FACES*/*SEL_EDGES*/*SEL_VERTICES*\n"
        << "[SECTION2]\nROWDATA1=Camera " << c.cameraShown << "\n"
        << "ROWDATA2=Selected " << c.selectionShown << "\n";

    const std::vector<std::string> args = {
        "--workdir",  dir,       "--camera", c.camera,  "--selection-mode",
        c.mode,       "--faces", "7",        "--edges", c.edges,
        "--vertices", "9",       "--cmd",    "switch"};
    std::vector<std::string> literalArgs = args;
    literalArgs.insert(literalArgs.end(), {"--cmd", "next"});
    Picture tokens;
    Picture literal;
    ASSERT_EQ(render(std::string("tokens-") + c.name, args, tokens).status, 0);
    ASSERT_EQ(render(std::string("literal-") + c.name, literalArgs, literal).status, 0);

    long textPixels = 0;
    for (int y = 0; y < tokens.height(); ++y) {
        for (int x = 0; x < tokens.width(); ++x) {
            if (near(tokens.at(x, y), {255, 255, 0}, kColourTolerance)) ++textPixels;
        }
    }
    ASSERT_GT(textPixels, 2 * kMinPixelsPerRow) << "no text drawn";
    EXPECT_TRUE(tokens == literal) << "the tokens did not become: Camera " << c.cameraShown
                                   << " / Selected " << c.selectionShown;
}

INSTANTIATE_TEST_SUITE_P(
    Hudhost, Tokens,
    ::testing::Values(
        TokenCase{"MainPerspectiveFaces", "main-perspective", "Main Perspective", "face", "8",
                  "7/0/0"},
        TokenCase{"TopEdges", "top", "Top", "edge", "8", "0/8/0"},
        TokenCase{"LeftVertices", "left", "Left", "vertex", "8", "0/0/9"},
        TokenCase{"RightUnknownMode", "right", "Right", "3", "8", "0/0/0"},
        TokenCase{"FrontNegativeMode", "front", "Front", "-1", "8", "0/0/0"},
        TokenCase{"BackFaces", "back", "Back", "face", "8", "7/0/0"},
        TokenCase{"BottomManyEdges", "bottom", "Bottom", "edge", "2147483647", "0/2147483647/0"},
        TokenCase{"FreeCameraVertices", "free", "Free Ortho", "vertex", "8", "0/0/9"}),
    [](const ::testing::TestParamInfo<TokenCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

// The HUD over the host's viewport, end to end: the example's pages land in their row bands in
// the HUD colour, and the tokens show what the host's records hold.
#include <gtest/gtest.h>

#include "bands.h"
#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

struct PageCase {
    const char* name;
    std::vector<std::string> args;  // commands and drawing flags
    int page;                       // SECTION number shown; 0 for nothing
};

class ExamplePages : public ::testing::TestWithParam<PageCase> {};

TEST_P(ExamplePages, DrawTheirRowsInTheirBandsInTheHudColour) {
    const PageCase& c = GetParam();
    std::vector<std::string> args = {"--workdir", EXAMPLES_DIR};
    args.insert(args.end(), c.args.begin(), c.args.end());
    expectExamplePage(std::string("example-") + c.name, args, c.page);
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
    const vantor::test::WorkFolder dir(
        "[CONFIG]\nHUD_POS_X=20\nHUD_POS_Y=400\nHUD_STEP_Y=40\nFONT_SIZE=20\n"
        "COLOR_RED=255\nCOLOR_GREEN=255\nCOLOR_BLUE=0\n"
        "[SECTION1]\nROWDATA1=Camera *CAMERA_NAME*\n"
        "ROWDATA2=Selected *SEL_FACES*/*SEL_EDGES*/*SEL_VERTICES*\n"
        "[SECTION2]\nROWDATA1=Camera " +
            std::string(c.cameraShown) + "\nROWDATA2=Selected " + c.selectionShown + "\n",
        vantor::test::WorkFolder::kStayOutside);

    const std::vector<std::string> args = {
        "--workdir",  dir.path(), "--camera", c.camera,  "--selection-mode",
        c.mode,       "--faces",  "7",        "--edges", c.edges,
        "--vertices", "9",        "--cmd",    "switch"};
    std::vector<std::string> literalArgs = args;
    literalArgs.insert(literalArgs.end(), {"--cmd", "next"});
    Picture tokens;
    Picture literal;
    ASSERT_EQ(render(std::string("tokens-") + c.name, args, tokens).status, 0);
    ASSERT_EQ(render(std::string("literal-") + c.name, literalArgs, literal).status, 0);

    long textPixels = 0;
    for (int y = 0; y < tokens.height; ++y) {
        for (int x = 0; x < tokens.width; ++x) {
            if (near(colourAt(tokens, x, y), {255, 255, 0}, kColourTolerance)) ++textPixels;
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

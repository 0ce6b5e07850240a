// Rows styled one by one, as hudhost draws them: each row's ink in its own colour where its text
// is, thresholds that follow a count, centred rows, a bold face, a HUD shown from the start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

using vantor::test::WorkFolder;

// The pixels where the HUD's frame differs from the bare scene, with their colours.
using Ink = std::map<std::pair<int, int>, int>;  // (x, y) to 0xRRGGBB

// The scene without the HUD at a size ("640x480"), rendered once.
const Picture& sceneAt(const std::string& size) {
    static std::map<std::string, Picture> scenes;
    if (scenes.count(size) == 0) {
        EXPECT_EQ(
            render("style-scene-" + size, {"--no-plugin", "--size", size}, scenes[size]).status, 0);
    }
    return scenes[size];
}

// `args` hold the size as their last two words.
Ink inkOf(const std::string& name, const std::string& ini, std::vector<std::string> args) {
    const WorkFolder dir(ini, WorkFolder::kStayOutside);
    const Picture& scene = sceneAt(args.back());
    Picture hud;
    args.insert(args.end(), {"--workdir", dir.path()});
    EXPECT_EQ(render(name, args, hud).status, 0);
    Ink ink;
    for (int y = 0; y < hud.height && hud.height == scene.height; ++y) {
        for (int x = 0; x < hud.width; ++x) {
            const Rgb h = colourAt(hud, x, y);
            if (near(h, colourAt(scene, x, y), 0)) continue;
            ink[{x, y}] = h.r << 16 | h.g << 8 | h.b;
        }
    }
    return ink;
}

constexpr int kMagenta = 0xFF00FF;
const std::string kThreeRows =
    "[SECTION1]\nROWDATA1=ALPHA one *SEL_FACES*\nROWDATA2=BRAVO two\nROWDATA3=CHARLIE three\n";

std::string config(const std::string& keys) {
    return "[CONFIG]\nHUD_POS_X=40\nHUD_POS_Y=400\nHUD_STEP_Y=40\nFONT_SIZE=20\nCOLOR_RED=255\n"
           "COLOR_GREEN=0\nCOLOR_BLUE=255\n" +
           keys;
}

// The row a pixel of the page above belongs to: 40 pixels a row, from 12 below a baseline.
int rowAt(int y) { return (400 + 28 - y) / 40; }

class Styled : public ::testing::TestWithParam<int> {};  // ROW_CACHE

// The rows in their own colours draw the very pixels of the single-colour frame, each in the
// colour of its row (or the effect's); a threshold row in the band its count is in.
TEST_P(Styled, EachRowsInkInItsColourWhereTheSingleColourFrameHasIt) {
    const std::string cache = "ROW_CACHE=" + std::to_string(GetParam()) + "\nTEXT_EFFECT=1\n";
    const std::vector<std::string> args = {"--cmd", "switch", "--faces", "0", "--size", "640x480"};
    const struct {
        int faces;
        int firstRow;
    } counts[] = {{9, 0xB22222}, {10, 0xFDFD09}, {59, 0xFDFD09}, {60, 0x39F900}, {99, 0x39F900}};
    for (const auto& c : counts) {
        // The row cache composes what the glyph lists draw: a count below and above both limits.
        if (GetParam() == 1 && c.faces != 9 && c.faces != 60) continue;
        SCOPED_TRACE(c.faces);
        const std::string rows =
            kThreeRows + "ROWCOLOR1=B22222<10,FDFD09<60,39F900\nROWCOLOR2=00FF00\n";
        std::vector<std::string> counted = args;
        counted[3] = std::to_string(c.faces);
        // Named by mode: ctest runs the two modes side by side, each writing its own pictures.
        const std::string mode = std::to_string(GetParam());
        const Ink plainCounted =
            inkOf("style-plain-counted-" + mode, kThreeRows + config(cache), counted);
        const Ink styled = inkOf("style-rows-" + mode, rows + config(cache), counted);
        const int colours[] = {c.firstRow, 0x00FF00, kMagenta};
        std::map<int, int> seen;  // ink of each row's own colour
        ASSERT_GT(plainCounted.size(), 300u);
        ASSERT_EQ(styled.size(), plainCounted.size());
        for (const auto& [at, rgb] : styled) {
            ASSERT_EQ(plainCounted.count(at), 1u) << at.first << "," << at.second;
            const int row = rowAt(at.second);
            ASSERT_TRUE(row >= 0 && row < 3) << at.second;
            EXPECT_TRUE(rgb == colours[row] || rgb == 0) << std::hex << rgb << " in row " << row;
            if (rgb == colours[row]) ++seen[row];
        }
        for (int row = 0; row < 3; ++row) EXPECT_GT(seen[row], 50) << "row " << row;
    }
}

// Values in a colour of their own draw the very pixels of the single-colour frame: the value
// colour on the glyphs a row up to its value inks beyond the row before it, the row's colour after
// it; a row in the HUD colour after one in its own keeps the HUD colour.
TEST_P(Styled, ValuesInkInTheirColourWhereTheirGlyphsAre) {
    const std::string mode = std::to_string(GetParam());
    const std::string cache = "ROW_CACHE=" + mode + "\n";
    const std::vector<std::string> args = {"--cmd", "switch", "--faces",
                                           "123",   "--size", "640x480"};
    const auto page = [](const char* first, const char* second) {
        return std::string("[SECTION1]\nROWDATA1=") + first +
               "\nROWCOLOR1=00FF00\nROWDATA2=" + second + "\n";
    };
    const std::string rows = page("ALPHA *SEL_FACES* BRAVO", "CHARLIE *SEL_FACES*");
    const Ink plain = inkOf("values-plain-" + mode, rows + config(cache), args);
    const Ink valued =
        inkOf("values-" + mode, rows + config(cache + "VALUE_RED=255\nVALUE_GREEN=255\n"), args);
    const Ink upToValue =
        inkOf("values-up-to-" + mode, page("ALPHA 123", "CHARLIE 123") + config(cache), args);
    const Ink beforeValue =
        inkOf("values-before-" + mode, page("ALPHA", "CHARLIE") + config(cache), args);
    const int valueColours[] = {0xFFFF00, 0xFFFFFF};  // each row's with red and green at full
    const int rowColours[] = {0x00FF00, kMagenta};
    ASSERT_GT(plain.size(), 300u);
    ASSERT_EQ(valued.size(), plain.size());
    std::map<int, int> seen[2];  // by row, the pixels of each colour
    for (const auto& [at, rgb] : valued) {
        ASSERT_EQ(plain.count(at), 1u) << at.first << "," << at.second;
        const int row = rowAt(at.second);
        ASSERT_TRUE(row == 0 || row == 1) << at.second;
        ++seen[row][rgb];
        // A value's glyphs in its colour; past the value, the row's.
        const int expected = upToValue.count(at) == 0     ? rowColours[row]
                             : beforeValue.count(at) == 0 ? valueColours[row]
                                                          : rgb;
        EXPECT_EQ(rgb, expected) << std::hex << rgb << " at " << at.first << "," << at.second;
    }
    for (int row = 0; row < 2; ++row) {
        EXPECT_GT(seen[row][valueColours[row]], 40) << "row " << row;
        EXPECT_GT(seen[row][rowColours[row]], 80) << "row " << row;
        EXPECT_EQ(seen[row].size(), 2u) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Hudhost, Styled, ::testing::Values(0, 1));

// Centred rows stand on the viewport's middle at every size, and a row wider than the viewport
// is cut at both edges.
TEST(Centred, RowsOnTheViewportsMiddleAtThreeSizes) {
    const std::string ini =
        "[SECTION1]\nROWDATA1=MIDDLE\nROWDATA2=MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM\n"
        "[CONFIG]\nHUD_POS_X=320\nHUD_POS_Y=30\nHUD_STEP_Y=30\nFONT_SIZE=16\n";
    for (const char* anchor : {"5", "6"}) {
        for (const auto& [width, height] : {std::pair{1280, 720}, {640, 480}, {160, 120}}) {
            const std::string size = std::to_string(width) + "x" + std::to_string(height);
            SCOPED_TRACE(std::string("HUD_ANCHOR=") + anchor + " at " + size);
            const Ink ink = inkOf("centred-" + size, ini + "HUD_ANCHOR=" + anchor + "\n",
                                  {"--cmd", "switch", "--size", size});
            // Rows are 30 pixels apart, the first the upper one.
            const int split = anchor[0] == '5' ? height - 30 - 15 : 30 + 15;
            int left[2] = {width, width}, right[2] = {-1, -1};
            for (const auto& [at, rgb] : ink) {
                const int row = at.second < split ? 1 : 0;
                left[row] = std::min(left[row], at.first);
                right[row] = std::max(right[row], at.first);
            }
            ASSERT_GE(right[0], 0);
            // The glyphs' bearings, and the half pixel a whole-pixel origin drops.
            EXPECT_LE(std::abs(left[0] - (width - 1 - right[0])), 3) << left[0] << " " << right[0];
            if (width == 160) {
                EXPECT_LE(left[1], 2);
                EXPECT_GE(right[1], width - 3);
            }
        }
    }
}

// START_VISIBLE=1 draws on the first frame without Switch, and Switch hides it; FONT_WEIGHT=700
// draws the bold face, with more ink than the regular.
TEST(StartAndWeight, ShownFromTheFirstFrameAndBold) {
    const std::string page = "[SECTION1]\nROWDATA1=Weight and start\n[CONFIG]\nFONT_SIZE=20\n";
    const std::vector<std::string> shown = {"--size", "640x480"};
    const std::vector<std::string> switched = {"--cmd", "switch", "--size", "640x480"};
    EXPECT_TRUE(inkOf("start-hidden", page, shown).empty());
    const Ink started = inkOf("start-shown", page + "START_VISIBLE=1\n", shown);
    EXPECT_EQ(started.size(), inkOf("start-switched", page, switched).size());
    EXPECT_GT(started.size(), 100u);
    EXPECT_TRUE(inkOf("start-shown-switched", page + "START_VISIBLE=1\n", switched).empty());
    const std::size_t regular = inkOf("weight-400", page + "FONT_WEIGHT=400\n", switched).size();
    const std::size_t bold = inkOf("weight-700", page + "FONT_WEIGHT=700\n", switched).size();
    EXPECT_GT(bold, regular + regular / 5) << regular;
}

}  // namespace
}  // namespace e2e

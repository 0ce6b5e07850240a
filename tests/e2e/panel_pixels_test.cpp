// PANEL_ALPHA: one rectangle behind the rows, the scene blended to the panel's colour inside it,
// the letters on top unchanged, reaching from the font's tallest letter to its lowest descender
// with the margin around, in the stretched space and held to corners, at two sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

using vantor::test::WorkFolder;

constexpr int kMargin = 5;
constexpr int kAlpha = 128;
constexpr Rgb kPanel{0, 0, 255};

struct Box {
    int left = 1 << 20, bottom = 1 << 20, right = -1, top = -1;  // inclusive
    void add(int x, int y) {
        left = std::min(left, x), right = std::max(right, x);
        bottom = std::min(bottom, y), top = std::max(top, y);
    }
};

TEST(Panel, BlendsTheSceneBehindTheRowsAndLeavesTheLetters) {
    // Every glyph of the font in the first and last rows, so the letters reach as far up and down
    // as the font's metrics say.
    std::string glyphs;
    for (char c = '!'; c < 127; ++c) glyphs += c == '*' ? ' ' : c;
    const struct {
        const char* size;
        const char* place;
    } cases[] = {{"640x480", "HUD_POS_X=200\nHUD_POS_Y=300\n"},
                 {"960x600", "HUD_POS_X=200\nHUD_POS_Y=300\n"},
                 {"640x480", "HUD_ANCHOR=1\nHUD_POS_X=30\nHUD_POS_Y=40\n"},
                 {"320x240", "HUD_ANCHOR=4\nHUD_POS_X=30\nHUD_POS_Y=40\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.size) + " " + c.place);
        Picture pictures[3];  // the scene, the rows, the rows over a panel
        for (int k = 0; k < 3; ++k) {
            const std::string ini = "[SECTION1]\nROWDATA1=" + glyphs.substr(0, 47) +
                                    "\nROWDATA2=BLANK\nROWDATA3=" + glyphs.substr(47) +
                                    "\n[CONFIG]\nFONT_SIZE=16\nHUD_STEP_Y=20\n" + c.place +
                                    "PANEL_BLUE=255\nPANEL_MARGIN=" + std::to_string(kMargin) +
                                    "\nPANEL_ALPHA=" + (k == 2 ? std::to_string(kAlpha) : "0") +
                                    "\n";
            const WorkFolder dir(ini, WorkFolder::kStayOutside);
            std::vector<std::string> args = {"--workdir", dir.path(), "--size", c.size};
            if (k > 0) args.insert(args.end(), {"--cmd", "switch"});
            ASSERT_EQ(render("panel-" + std::to_string(k), args, pictures[k]).status, 0);
        }
        const Picture& scene = pictures[0];
        Box ink, panel;
        for (int y = 0; y < scene.height; ++y) {
            for (int x = 0; x < scene.width; ++x) {
                const Rgb s = colourAt(scene, x, y);
                if (!near(colourAt(pictures[1], x, y), s, 0)) ink.add(x, y);
                if (!near(colourAt(pictures[2], x, y), s, 0)) panel.add(x, y);
            }
        }
        ASSERT_GE(ink.right, 0) << "the rows drew";
        // Cut at the viewport's edges; else the margin beyond the letters' reach. A row cut at a
        // side may have lost its tallest letters there: the panel then reaches at least as far.
        const bool cutAcross = ink.left == 0 || ink.right == scene.width - 1;
        if (panel.top < scene.height - 1) {
            EXPECT_TRUE(cutAcross ? panel.top >= ink.top + kMargin : panel.top == ink.top + kMargin)
                << panel.top << " " << ink.top;
        }
        if (panel.bottom > 0) {
            EXPECT_TRUE(cutAcross ? panel.bottom <= ink.bottom - kMargin
                                  : panel.bottom == ink.bottom - kMargin)
                << panel.bottom << " " << ink.bottom;
        }
        if (panel.left > 0) {
            EXPECT_NEAR(panel.left, ink.left - kMargin, 2);
        }
        if (panel.right < scene.width - 1) {
            EXPECT_NEAR(panel.right, ink.right + kMargin, 3);
        }
        int wrong = 0;
        for (int y = panel.bottom; y <= panel.top; ++y) {
            for (int x = panel.left; x <= panel.right; ++x) {
                const Rgb s = colourAt(scene, x, y);
                const Rgb text = colourAt(pictures[1], x, y);
                const auto blend = [](int from, int to) {
                    return (from * (255 - kAlpha) + to * kAlpha) / 255;
                };
                const Rgb expected =
                    near(text, s, 0)
                        ? Rgb{blend(s.r, kPanel.r), blend(s.g, kPanel.g), blend(s.b, kPanel.b)}
                        : text;
                wrong += !near(colourAt(pictures[2], x, y), expected, 1);
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace e2e

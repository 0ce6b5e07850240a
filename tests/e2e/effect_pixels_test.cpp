// Shadow and outline over the host's viewport: the effect colour exactly at the stated window-pixel
// offsets from the glyphs' own pixels, whatever the viewport's size, and the text on top.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "render.h"

namespace e2e {
namespace {

constexpr Rgb kText{255, 0, 255};
constexpr Rgb kEffect{0, 255, 0};

struct Offset {
    int x, y;  // window pixels, y up
};

struct EffectCase {
    const char* name;
    int effect;
    std::vector<Offset> offsets;
};

// A folder holding the layout with TEXT_EFFECT `effect` (none: the key absent). Its third row
// lies below the overlay and is drawn neither as text nor as effect.
std::string layoutDir(const std::string& name, int effect) {
    const std::string dir = outputDir() + "/effect-" + name;
    std::filesystem::create_directories(dir + "/Plugins/Startup Plugins");
    std::ofstream ini(dir + "/Plugins/Startup Plugins/VantorHUD.ini");
    ini << "[CONFIG]\nHUD_POS_X=200\nHUD_POS_Y=240\nHUD_STEP_Y=130\nFONT_SIZE=18\n"
        << "COLOR_RED=255\nCOLOR_GREEN=0\nCOLOR_BLUE=255\n";
    if (effect >= 0) ini << "TEXT_EFFECT=" << effect << "\nEFFECT_GREEN=255\n";
    ini << "[SECTION1]\nROWDATA1=Shadow and outline: *SEL_FACES* faces\nROWDATA2=Wg|\n"
        << "ROWDATA3=below the bottom edge\n";
    return dir;
}

class TextEffect : public ::testing::TestWithParam<EffectCase> {};

TEST_P(TextEffect, LiesAtItsOffsetsUnderTheText) {
    const EffectCase& c = GetParam();
    for (const char* size : {"640x480", "1000x700"}) {
        SCOPED_TRACE(size);
        const std::string name = std::string(c.name) + "-" + size;
        Picture scene;
        Picture plain;
        Picture drawn;
        const std::vector<std::string> host = {"--cmd", "switch", "--faces", "3", "--size", size};
        auto args = [&](const std::string& dir) {
            std::vector<std::string> a = {"--workdir", dir};
            a.insert(a.end(), host.begin(), host.end());
            return a;
        };
        ASSERT_EQ(render("effect-scene-" + name, {"--no-plugin", "--size", size}, scene).status, 0);
        ASSERT_EQ(render("effect-plain-" + name, args(layoutDir("plain", -1)), plain).status, 0);
        ASSERT_EQ(render("effect-" + name, args(layoutDir(c.name, c.effect)), drawn).status, 0);

        // Expected: the scene, the effect at each offset of a text pixel, the text over both.
        const int w = plain.width();
        const int h = plain.height();
        std::vector<int> kind(static_cast<std::size_t>(w) * h, 0);  // 0 scene, 1 effect, 2 text
        long textPixels = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (near(plain.at(x, y), scene.at(x, y), 0)) continue;
                ASSERT_TRUE(near(plain.at(x, y), kText, 0));
                ++textPixels;
                kind[static_cast<std::size_t>(y) * w + x] = 2;
                for (const Offset& o : c.offsets) {
                    const int ex = x + o.x;
                    const int ey = y + o.y;
                    if (ex < 0 || ey < 0 || ex >= w || ey >= h) continue;
                    int& k = kind[static_cast<std::size_t>(ey) * w + ex];
                    if (k == 0) k = 1;
                }
            }
        }
        ASSERT_GT(textPixels, 500);
        long wrong = 0;
        long effectPixels = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int k = kind[static_cast<std::size_t>(y) * w + x];
                const Rgb expected = k == 2 ? kText : k == 1 ? kEffect : scene.at(x, y);
                if (!near(drawn.at(x, y), expected, 0)) ++wrong;
                if (k == 1) ++effectPixels;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(effectPixels > 0, !c.offsets.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hudhost, TextEffect,
    ::testing::Values(
        EffectCase{"None", 0, {}}, EffectCase{"OutOfRangeIsNone", 3, {}},
        EffectCase{"Shadow", 1, {{1, -1}}},
        EffectCase{
            "Outline", 2, {{-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {1, 0}, {-1, -1}, {0, -1}, {1, -1}}}),
    [](const ::testing::TestParamInfo<EffectCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

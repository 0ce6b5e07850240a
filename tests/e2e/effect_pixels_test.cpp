// Shadow and outline over the host's viewport: the effect colour exactly at the stated window-pixel
// offsets from the glyphs' own pixels, whatever the viewport's size, and the text on top.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

using vantor::test::iniWithPage;
using vantor::test::WorkFolder;

constexpr Rgb kText{255, 0, 255};
constexpr Rgb kEffect{0, 255, 0};

struct Offset {
    int x, y;  // window pixels, y up
};

struct EffectCase {
    const char* name;
    const char* key;  // the TEXT_EFFECT line, or nothing
    std::vector<Offset> offsets;
};

// Row 3 lies below the overlay and is drawn neither as text nor as effect.
std::string layout(const char* effect) {
    return iniWithPage({"Shadow and outline: *SEL_FACES* faces", "Wg|", "below the bottom edge"},
                       {"HUD_POS_X=200", "HUD_POS_Y=240", "HUD_STEP_Y=130", "COLOR_RED=255",
                        "COLOR_GREEN=0", "COLOR_BLUE=255", "EFFECT_GREEN=255", effect});
}

class TextEffect : public ::testing::TestWithParam<EffectCase> {};

TEST_P(TextEffect, LiesAtItsOffsetsUnderTheText) {
    const EffectCase& c = GetParam();
    const WorkFolder plainDir(layout(""), WorkFolder::kStayOutside);
    const WorkFolder effectDir(layout(c.key), WorkFolder::kStayOutside);
    for (const std::string size : {"640x480", "1000x700"}) {
        SCOPED_TRACE(size);
        const std::string name = std::string(c.name) + "-" + size;
        const std::vector<std::string> host = {"--cmd", "switch", "--faces", "3", "--size", size};
        auto with = [&](const WorkFolder& dir) {
            std::vector<std::string> args = {"--workdir", dir.path()};
            args.insert(args.end(), host.begin(), host.end());
            return args;
        };
        Picture scene, plain, drawn;
        ASSERT_EQ(render("effect-scene-" + name, {"--no-plugin", "--size", size}, scene).status, 0);
        ASSERT_EQ(render("effect-plain-" + name, with(plainDir), plain).status, 0);
        ASSERT_EQ(render("effect-" + name, with(effectDir), drawn).status, 0);

        // Expected: the scene, the effect at each offset of a text pixel, the text over both.
        Picture expected = scene;
        auto set = [&](int x, int y, const Rgb& colour) {
            if (x < 0 || y < 0 || x >= expected.width || y >= expected.height) return;
            unsigned char* p =
                &expected.rgba[(static_cast<std::size_t>(y) * expected.width + x) * 4];
            p[0] = static_cast<unsigned char>(colour.r);
            p[1] = static_cast<unsigned char>(colour.g);
            p[2] = static_cast<unsigned char>(colour.b);
        };
        long textPixels = 0;
        for (int pass = 0; pass < 2; ++pass) {
            for (int y = 0; y < plain.height; ++y) {
                for (int x = 0; x < plain.width; ++x) {
                    if (near(colourAt(plain, x, y), colourAt(scene, x, y), 0)) continue;
                    ASSERT_TRUE(near(colourAt(plain, x, y), kText, 0));
                    if (pass == 1) {
                        set(x, y, kText);
                        ++textPixels;
                    } else {
                        for (const Offset& o : c.offsets) set(x + o.x, y + o.y, kEffect);
                    }
                }
            }
        }
        ASSERT_GT(textPixels, 500);
        EXPECT_TRUE(drawn == expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hudhost, TextEffect,
    ::testing::Values(EffectCase{"None", "TEXT_EFFECT=0", {}},
                      EffectCase{"Shadow", "TEXT_EFFECT=1", {{1, -1}}},
                      EffectCase{
                          "Outline",
                          "TEXT_EFFECT=2",
                          {{-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {1, 0}, {-1, -1}, {0, -1}, {1, -1}}}),
    [](const ::testing::TestParamInfo<EffectCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

// ROW_CACHE=1 draws the frame ROW_CACHE=0 draws, pixel for pixel: every glyph the HUD has, beyond
// ASCII too, with each effect, stretched and held to each corner, at three viewport sizes.
#include <gtest/gtest.h>

#include <string>

#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

using vantor::test::WorkFolder;

std::string layout(int effect, int anchor, int cache) {
    std::string ini = "[SECTION1]\n";
    std::string ascii;
    for (int c = 32; c < 127; ++c) ascii += static_cast<char>(c == '*' ? ' ' : c);
    const std::string rows[] = {
        ascii.substr(0, 48), ascii.substr(48),
        "Gr\xc3\xb6\xc3\x9f"
        "e 45\xc2\xb0 \xe2\x86\x92 \xd0\x92\xd1\x8b\xd0"
        "\xb1\xd1\x80\xd0\xb0\xd0\xbd\xd0\xbe *SEL_FACES* \xce\x94x \xe2\x82"
        "\xac \xc2\xb1",
        "BLANK", "\xc4\xd6\xdc \x80 \xb0 *CAMERA_NAME* gypsy"};
    for (int r = 0; r < 5; ++r) ini += "ROWDATA" + std::to_string(r + 1) + "=" + rows[r] + "\n";
    return ini + "[CONFIG]\nHUD_POS_X=" + (anchor == 0 ? "40" : "6") +
           "\nHUD_POS_Y=" + (anchor == 0 ? "420" : "20") +
           "\nHUD_STEP_Y=22\nFONT_SIZE=17\nEFFECT_BLUE=255\n" +
           "TEXT_EFFECT=" + std::to_string(effect) + "\nHUD_ANCHOR=" + std::to_string(anchor) +
           "\nROW_CACHE=" + std::to_string(cache) + "\n";
}

TEST(RowCache, DrawsTheFrameOfTheGlyphLists) {
    for (const char* size : {"640x480", "1280x720", "200x95"}) {
        for (int anchor = 0; anchor <= 4; ++anchor) {
            for (int effect = 0; effect <= 2; ++effect) {
                // Every effect at one size; the outline, which reaches furthest, at the others.
                if (std::string(size) != "640x480" && effect != 2) continue;
                const std::string name = std::string("cache-") + size + "-" +
                                         std::to_string(anchor) + "-" + std::to_string(effect);
                SCOPED_TRACE(name);
                Picture pictures[2];
                for (int cache = 0; cache <= 1; ++cache) {
                    const WorkFolder dir(layout(effect, anchor, cache), WorkFolder::kStayOutside);
                    ASSERT_EQ(render(name + "-" + std::to_string(cache),
                                     {"--workdir", dir.path(), "--cmd", "switch", "--faces", "4",
                                      "--size", size},
                                     pictures[cache])
                                  .status,
                              0);
                }
                EXPECT_FALSE(pictures[0].rgba.empty());
                EXPECT_TRUE(pictures[1] == pictures[0]);
            }
        }
    }
}

}  // namespace
}  // namespace e2e

// Rows held to a corner of the viewport: the same pixels at the same distance from that corner
// whatever the viewport's size (cut where the viewport ends), right corners' rows ending at one
// column, and the last baseline where HUD_POS_Y puts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "bands.h"
#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

using vantor::test::iniWithPage;
using vantor::test::WorkFolder;

constexpr int kPosX = 12;
constexpr int kPosY = 30;
constexpr int kStep = 20;
constexpr int kRows = 4;     // the BLANK row counted
constexpr int kBearing = 2;  // the widest right bearing of the rows' last glyphs
constexpr int kBelow = 5;    // a row's pixels reach this far below its baseline
constexpr int kHitRow = 3;   // all capitals, standing on the baseline

// Offsets from the anchored corner: pixels inward from its side and from its top or bottom.
using Offsets = std::set<std::pair<int, int>>;

struct Viewport {
    int width, height;
    bool cuts;  // too small for the first row, or for the page's height
    std::string size() const { return std::to_string(width) + "x" + std::to_string(height); }
};

bool rightCorner(int anchor) { return anchor == 2 || anchor == 4; }
bool topCorner(int anchor) { return anchor <= 2; }

int baseline(int anchor, int row, const Viewport& v) {
    return topCorner(anchor) ? v.height - kPosY - row * kStep : kPosY + (kRows - 1 - row) * kStep;
}

class Anchor : public ::testing::TestWithParam<int> {};

TEST_P(Anchor, KeepsTheTextItsDistanceFromTheCorner) {
    const int anchor = GetParam();
    const WorkFolder dir(
        // The middle row's letters beyond ASCII count their own advances when it is held right.
        iniWithPage({"A WIDE LINE, CUT AT THE EDGE *SEL_FACES*", "BLANK",
                     "\xd0\x92\xd1\x8b\xd0\xb1\xd0\xbe\xd1\x80 \xce\x94\xce\xbb MID", "HIT"},
                    {"HUD_ANCHOR=" + std::to_string(anchor), "HUD_POS_X=" + std::to_string(kPosX),
                     "HUD_POS_Y=" + std::to_string(kPosY), "HUD_STEP_Y=" + std::to_string(kStep),
                     "COLOR_RED=255", "COLOR_GREEN=0", "COLOR_BLUE=255", "TEXT_EFFECT=1"}),
        WorkFolder::kStayOutside);
    Offsets first;
    Viewport firstView{};
    // The largest first: the smaller ones show what of it fits.
    for (const Viewport v :
         {Viewport{1280, 720, false}, Viewport{640, 480, false}, Viewport{200, 95, true}}) {
        SCOPED_TRACE(v.size());
        const std::string name = "anchor-" + std::to_string(anchor) + "-" + v.size();
        Picture scene, hud;
        ASSERT_EQ(render(name + "-scene", {"--no-plugin", "--size", v.size()}, scene).status, 0);
        ASSERT_EQ(
            render(name,
                   {"--workdir", dir.path(), "--cmd", "switch", "--faces", "3", "--size", v.size()},
                   hud)
                .status,
            0);
        const Offsets drawn = drawnFromCorner(hud, scene, rightCorner(anchor), topCorner(anchor));
        int rowEnd[kRows] = {-1, -1, -1, -1};  // the rightmost pixel of each row
        int hitBottom = v.height;
        for (auto [x, y] : drawn) {
            if (rightCorner(anchor)) x = v.width - 1 - x;
            if (topCorner(anchor)) y = v.height - 1 - y;
            for (int row = 0; row < kRows; ++row) {
                const int base = baseline(anchor, row, v);
                if (y < base - kBelow || y >= base + kStep - kBelow) continue;
                rowEnd[row] = std::max(rowEnd[row], x);
                if (row == kHitRow) hitBottom = std::min(hitBottom, y);
            }
        }
        // The shadow reaches one pixel lower than the text.
        EXPECT_EQ(hitBottom, baseline(anchor, kHitRow, v) - 1);
        if (rightCorner(anchor)) {
            for (int row : {0, 2, 3}) {
                EXPECT_LE(rowEnd[row], v.width - kPosX) << "row " << row;
                EXPECT_GE(rowEnd[row], v.width - kPosX - kBearing) << "row " << row;
            }
        }
        if (first.empty()) {
            first = drawn;
            firstView = v;
            ASSERT_GT(drawn.size(), 300u);
            continue;
        }
        Offsets fitting;
        for (const auto& [across, up] : first) {
            if (across < v.width && up < v.height) fitting.emplace(across, up);
        }
        EXPECT_TRUE(drawn == fitting) << drawn.size() << " pixels drawn, " << fitting.size()
                                      << " of " << firstView.size() << "'s fit";
        if (v.cuts) {
            EXPECT_LT(fitting.size(), first.size());
        }
    }
}

std::string cornerName(const ::testing::TestParamInfo<int>& info) {
    static const char* const kNames[] = {"", "TopLeft", "TopRight", "BottomLeft", "BottomRight"};
    return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Hudhost, Anchor, ::testing::Values(1, 2, 3, 4), cornerName);

}  // namespace
}  // namespace e2e

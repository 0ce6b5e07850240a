// Rows of scripts that join or run right to left draw as the world writes them: each row in
// logical order draws the pixels of the same text that FriBidi's command put into visual order
// with Arabic presentation forms, held left to right by LRO...PDF. In every corner, cut at the
// edges, with and without the row cache, in the HUD colour or a row's own.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

using vantor::test::WorkFolder;

const char* const kLro = "\xe2\x80\xad";
const char* const kPdf = "\xe2\x80\xac";

// The rows in logical order, and as the oracle gives them (data/shaping/make-oracle).
std::vector<std::string> oracleColumn(int column) {
    std::ifstream file(std::string(E2E_DATA_DIR) + "/shaping/oracle.txt", std::ios::binary);
    std::vector<std::string> rows;
    for (std::string line; std::getline(file, line);) {
        const std::size_t tab = line.find('\t');
        rows.push_back(column == 0 ? line.substr(0, tab) : kLro + line.substr(tab + 1) + kPdf);
    }
    return rows;
}

struct Corner {
    int anchor;  // HUD_ANCHOR
    const char* size;
    int cache;   // ROW_CACHE
    int effect;  // TEXT_EFFECT
    bool right;  // rows end at the right edge
    bool red;    // the first row in a colour of its own
};

// The small sizes cut the long rows at the edge they run over.
constexpr Corner kCorners[] = {
    {0, "640x480", 0, 0, false, true}, {1, "640x480", 1, 2, false, false},
    {2, "640x480", 0, 1, true, false}, {3, "260x240", 1, 0, false, true},
    {4, "260x240", 0, 2, true, false},
};
constexpr int kPosX = 6;

std::string layout(const std::vector<std::string>& rows, const Corner& corner) {
    std::string ini = std::string("[SECTION1]\n") + (corner.red ? "ROWCOLOR1=FF0000\n" : "");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ini += "ROWDATA" + std::to_string(r + 1) + "=" + rows[r] + "\n";
    }
    return ini +
           "[CONFIG]\nFONT_FACE=DejaVu Sans\nFONT_SIZE=24\nHUD_POS_X=" + std::to_string(kPosX) +
           "\nHUD_POS_Y=" + (corner.anchor == 0 ? "440" : "20") +
           "\nHUD_STEP_Y=34\nEFFECT_BLUE=255\nHUD_ANCHOR=" + std::to_string(corner.anchor) +
           "\nROW_CACHE=" + std::to_string(corner.cache) +
           "\nTEXT_EFFECT=" + std::to_string(corner.effect) + "\n";
}

bool holdsRed(const Picture& picture) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (near(colourAt(picture, x, y), {255, 0, 0}, 0)) return true;
        }
    }
    return false;
}

// The rightmost column in which the two pictures differ; -1 when none.
int rightmostChange(const Picture& a, const Picture& b) {
    for (int x = a.width - 1; x >= 0; --x) {
        for (int y = 0; y < a.height; ++y) {
            if (!near(colourAt(a, x, y), colourAt(b, x, y), 0)) return x;
        }
    }
    return -1;
}

TEST(ShapedRows, DrawTheOraclesVisualOrderInEveryCorner) {
    const std::vector<std::string> columns[] = {oracleColumn(0), oracleColumn(1)};
    ASSERT_EQ(columns[0].size(), 5u);
    for (const Corner& corner : kCorners) {
        const std::string name = "shaped-" + std::to_string(corner.anchor);
        SCOPED_TRACE(name);
        Picture pictures[2];
        for (int c = 0; c < 2; ++c) {
            const WorkFolder dir(layout(columns[c], corner), WorkFolder::kStayOutside);
            ASSERT_EQ(render(name + "-" + std::to_string(c),
                             {"--workdir", dir.path(), "--cmd", "switch", "--faces", "4", "--size",
                              corner.size},
                             pictures[c])
                          .status,
                      0);
        }
        Picture scene;
        ASSERT_EQ(render(name + "-scene", {"--no-plugin", "--size", corner.size}, scene).status, 0);
        ASSERT_FALSE(pictures[0].rgba.empty());
        EXPECT_TRUE(pictures[0] == pictures[1]);
        EXPECT_EQ(holdsRed(pictures[0]), corner.red);
        // Held to a right corner, the shaped rows end at the edge, less the offset and what the
        // last glyph leaves blank; cut rows run out of the picture's left.
        const int right = rightmostChange(pictures[0], scene);
        const int edge = pictures[0].width - 1 - kPosX + (corner.effect == 2 ? 1 : 0);
        EXPECT_GE(right, 0);
        if (corner.right) {
            EXPECT_LE(right, edge);
            EXPECT_GE(right, edge - 4);
        }
    }
}

}  // namespace
}  // namespace e2e

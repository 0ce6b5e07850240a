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

// The pixels that differ from the scene's.
int inkOf(const Picture& picture, const Picture& scene) {
    int ink = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            ink += near(colourAt(picture, x, y), colourAt(scene, x, y), 0) ? 0 : 1;
        }
    }
    return ink;
}

// A run of a script the face lacks is shaped whole with a face that has it; the weight is the
// face's. Each row is drawn as written and as it should come out.
struct FaceCase {
    const char* row;
    const char* face[2];
    int weight[2];
    bool same;  // the two draw the same pixels; else the first draws more ink
};
constexpr FaceCase kFaceCases[] = {
    {"\xe0\xa4\x9a\xe0\xa4\xaf\xe0\xa4\xa8\xe0\xa4\xbf\xe0\xa4\xa4",  // चयनित
     {"DejaVu Sans", "Lohit Devanagari"},
     {400, 400},
     true},
    {"\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85 12",  // سلام 12
     {"DejaVu Sans", "DejaVu Sans"},
     {700, 400},
     false},
};

TEST(ShapedRows, TakeAFaceThatHasTheScriptAndTheWeight) {
    Picture scene;
    ASSERT_EQ(render("faces-scene", {"--no-plugin"}, scene).status, 0);
    for (const FaceCase& c : kFaceCases) {
        SCOPED_TRACE(std::string(c.face[0]) + " " + std::to_string(c.weight[0]));
        Picture pictures[2];
        for (int k = 0; k < 2; ++k) {
            const WorkFolder dir(
                std::string("[SECTION1]\nROWDATA1=") + c.row +
                    "\n[CONFIG]\nFONT_SIZE=30\nHUD_POS_Y=60\nFONT_FACE=" + c.face[k] +
                    "\nFONT_WEIGHT=" + std::to_string(c.weight[k]) + "\n",
                WorkFolder::kStayOutside);
            ASSERT_EQ(render("faces-" + std::to_string(k),
                             {"--workdir", dir.path(), "--cmd", "switch"}, pictures[k])
                          .status,
                      0);
        }
        const int ink[2] = {inkOf(pictures[0], scene), inkOf(pictures[1], scene)};
        EXPECT_GT(ink[1], 0);
        if (c.same) {
            EXPECT_TRUE(pictures[0] == pictures[1]);
        } else {
            EXPECT_GT(ink[0], ink[1]);
        }
    }
}

}  // namespace
}  // namespace e2e

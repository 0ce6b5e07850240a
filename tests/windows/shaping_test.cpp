// Uniscribe's Devanagari glyphs, as the HUD shapes a row with them, against HarfBuzz's for the same
// face (data/shaping/devanagari.txt, from hb-shape on the Linux side).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "shaping/row_shaper.h"

namespace {

TEST(Shaping, UniscribeGivesHarfBuzzsDevanagariGlyphs) {
    std::ifstream file(std::string(VANTOR_TEST_DATA) + "/shaping/devanagari.txt", std::ios::binary);
    vantor::RowShaper shaper;
    ASSERT_TRUE(shaper.open(nullptr, "Lohit Devanagari", 30));
    const vantor::platform::CodePageCharacters none = {};
    int rows = 0;
    for (std::string line; std::getline(file, line); ++rows) {
        const std::size_t tab = line.find('\t');
        const std::string text = line.substr(0, tab);
        SCOPED_TRACE(text);
        const vantor::ShapedRun run = shaper.shape(text.c_str(), vantor::RowEncoding::kUtf8, none);
        std::ostringstream ours;
        for (int g = 0; g < run.count; ++g) ours << (g > 0 ? " " : "") << run.glyphs[g].index;
        EXPECT_EQ(ours.str(), line.substr(tab + 1));
    }
    EXPECT_EQ(rows, 3);
}

}  // namespace

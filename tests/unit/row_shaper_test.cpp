// The shaping stage: which rows it takes, what it tells of them, and Devanagari glyphs and
// positions as hb-shape, HarfBuzz's own command, gives them over the same hinted face.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shaping/row_shaper.h"

namespace {

using vantor::RowEncoding;
using vantor::RowShaper;

const vantor::platform::CodePageCharacters kNoCodePage = {};

TEST(RowShaper, TakesRowsThatJoinReorderOrRunRightToLeft) {
    const struct {
        const char* text;
        bool shaped;
    } cases[] = {
        {"Faces: 12", false},
        {"Caf\xc3\xa9 \xce\x94x \xd0\x92\xd1\x8b \xe6\x97\xa5\xe6\x9c\xac \xe2\x86\x92", false},
        {"Faces \xd8\xb3\xd9\x84\xd8\xa7\xd9\x85", true},  // one Arabic word
        {"\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d", true},
        {"\xe0\xa4\x9a\xe0\xa4\xaf\xe0\xa4\xa8\xe0\xa4\xbf\xe0\xa4\xa4", true},
        {"a\xe2\x80\xad"
         "b",
         true},  // an override
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(RowShaper::needed(c.text, vantor::detectEncoding(c.text), kNoCodePage), c.shaped);
    }
}

TEST(RowShaper, NamesUnclosedControlsAndMissingCharacters) {
    const struct {
        const char* text;
        bool unclosed;
        char32_t missing;
    } cases[] = {
        {"\xe2\x80\xaa"
         "abc",
         true, 0},  // LRE without PDF
        {"\xe2\x80\xaa"
         "abc\xe2\x80\xac",
         false, 0},                                      // closed
        {"\xe2\x81\xa7\xd7\xa9\xe2\x81\xa9", false, 0},  // RLI ... PDI
        {"\xd7\xa9 \xe0\xa4\x9a", false, 0},             // Devanagari from a face that has it
        {"\xd7\xa9 \xf0\x9e\xa4\x80", false, 0x1E900},   // Adlam, in no face of the system
    };
    RowShaper shaper;
    ASSERT_TRUE(shaper.open(nullptr, "DejaVu Sans", 20));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const vantor::ShapedRun run = shaper.shape(c.text, RowEncoding::kUtf8, kNoCodePage);
        EXPECT_EQ(run.notes.unclosedControl, c.unclosed);
        EXPECT_EQ(run.missing, c.missing);
    }
}

// hb-shape's glyphs as (index, x, y) in whole pixels, its 26.6 positions summed and rounded.
std::string hbShape(const char* font, const char* text) {
    const std::string command = std::string("hb-shape --font-funcs=ft --ft-load-flags=131072 ") +
                                "--font-size=1920 --font-ppem=30 --no-glyph-names " + font + " '" +
                                text + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return "";
    std::string out;
    int pen = 0;
    unsigned int index = 0, cluster = 0;
    int advance = 0, dx = 0, dy = 0;
    std::fgetc(pipe);  // '['
    for (int c = 0; c != EOF && c != ']';) {
        dx = dy = 0;
        if (std::fscanf(pipe, "%u=%u", &index, &cluster) != 2) break;
        c = std::fgetc(pipe);
        if (c == '@' && std::fscanf(pipe, "%d,%d", &dx, &dy) == 2) c = std::fgetc(pipe);
        if (c == '+' && std::fscanf(pipe, "%d", &advance) == 1) c = std::fgetc(pipe);
        out += std::to_string(index) + "@" + std::to_string((pen + dx + 32) >> 6) + "," +
               std::to_string((dy + 32) >> 6) + " ";
        pen += advance;
    }
    pclose(pipe);
    return out;
}

TEST(RowShaper, GivesHarfBuzzsDevanagariGlyphsAndPositions) {
    const char* font = "/usr/share/fonts/truetype/lohit-devanagari/Lohit-Devanagari.ttf";
    RowShaper shaper;
    ASSERT_TRUE(shaper.open(nullptr, "Lohit Devanagari", 30));
    for (const char* text : {"\xe0\xa4\x9a\xe0\xa4\xaf\xe0\xa4\xa8\xe0\xa4\xbf\xe0\xa4\xa4",
                             "\xe0\xa4\x95\xe0\xa5\x8d\xe0\xa4\xb7\xe0\xa5\x87\xe0\xa4\xa4\xe0\xa5"
                             "\x8d\xe0\xa4\xb0 \xe0\xa4\xb9\xe0\xa4\xbf\xe0\xa4\x82\xe0\xa4\xa6"
                             "\xe0\xa5\x80"}) {
        SCOPED_TRACE(text);
        const vantor::ShapedRun run = shaper.shape(text, RowEncoding::kUtf8, kNoCodePage);
        std::string ours;
        for (int g = 0; g < run.count; ++g) {
            ours += std::to_string(run.glyphs[g].index) + "@" + std::to_string(run.glyphs[g].x) +
                    "," + std::to_string(run.glyphs[g].y) + " ";
        }
        const std::string theirs = hbShape(font, text);
        EXPECT_FALSE(theirs.empty());
        EXPECT_EQ(ours, theirs);
    }
}

}  // namespace

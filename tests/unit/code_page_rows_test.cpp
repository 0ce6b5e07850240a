// Rows read from a real INI file in the system code page, double-byte ones included, decoded as the
// HUD decodes them after its tokens are replaced.
#include <gtest/gtest.h>

#include <string>

#include "pages/page_store.h"
#include "platform/platform.h"
#include "platform/tools.h"
#include "tokens/replace_token.h"
#include "work_folder.h"

namespace vantor {
namespace {

struct CodePageRow {
    unsigned int codePage;
    std::string row;       // the value's bytes as saved
    std::u32string drawn;  // its characters after *FPS* is replaced by "60"
};

// `row` loaded by the page store in `codePage`, *FPS* replaced, and decoded.
std::u32string loadedCharacters(const std::string& row) {
    test::WorkFolder folder("[SECTION1]\r\nROWDATA1=" + row + "\r\n");
    PageStore store;
    EXPECT_TRUE(test::loadFirstPage(store));
    char line[kWorkSize];
    replaceToken(line, store.getRowText(), "*FPS*", "60", sizeof line);
    platform::CodePageCharacters page;
    platform::readCodePage(page);
    std::u32string out;
    for (const char* at = line; *at != '\0';) {
        const char32_t c = nextCharacter(at, store.getRowEncoding(), page);
        out += c != 0 ? c : U'\uFFFD';
    }
    return out;
}

TEST(CodePageRows, DecodeWholeWithTrailBytesAndTokensKept) {
    const CodePageRow rows[] = {
        // Shift-JIS: 選択 (91 49, 91 F0), then 表示, whose 表 is 95 5C: no stray backslash.
        {932, "\x91\x49\x91\xF0: *FPS* \x95\x5C\x8E\xA6", U"選択: 60 表示"},
        // A token right after a character whose trail byte is a letter ('I').
        {932, "\x91\x49*FPS*", U"選60"},
        // A lone lead byte before '*': it stands for nothing, and the token is still replaced.
        {932, "a\x81*FPS*", U"a\uFFFD60"},
        // A lead byte cut off at the end of the row.
        {932, "x\x91", U"x\uFFFD"},
        // GBK, UHC and Big5.
        {936, "\xD1\xA1\xD4\xF1 *FPS*", U"选择 60"},
        {949, "\xBC\xB1\xC5\xC3 *FPS*", U"선택 60"},
        {950, "\xBF\xEF\xBE\xDC *FPS*", U"選擇 60"},
        // UTF-8 in a double-byte code page stays UTF-8.
        {932, "\xE9\x81\xB8\xE6\x8A\x9E *FPS*", U"選択 60"},
        // Western text in 1252 as ever, one byte a character.
        {1252,
         "Gr\xF6\xDF"
         "e \x80 *FPS*",
         U"Größe € 60"},
    };
    for (const CodePageRow& r : rows) {
        SCOPED_TRACE(r.codePage);
        SCOPED_TRACE(r.row);
        // The Windows build reads in the system's own code page only.
        if (!platform::useCodePage(r.codePage)) continue;
        EXPECT_EQ(loadedCharacters(r.row), r.drawn);
    }
    platform::useCodePage(1252);
}

// A row longer than the reader keeps, cut inside a UTF-8 character, keeps its whole characters
// and stays UTF-8; one cut between characters keeps all it was given.
TEST(CodePageRows, ACutRowKeepsItsWholeUtf8Characters) {
    const std::string zhe = "\xD0\x96";  // Ж
    struct Cut {
        std::string row;
        std::size_t kept;
    };
    std::string between = "x";
    std::string inside;
    for (int i = 0; i < 130; ++i) {
        between += zhe;
        inside += zhe;
    }
    const Cut cuts[] = {{between, 259}, {inside, 258}};
    for (const Cut& c : cuts) {
        SCOPED_TRACE(c.kept);
        test::WorkFolder folder("[SECTION1]\r\nROWDATA1=" + c.row + "\r\n");
        PageStore store;
        ASSERT_TRUE(test::loadFirstPage(store));
        EXPECT_EQ(std::string(store.getRowText()), c.row.substr(0, c.kept));
        EXPECT_EQ(store.getRowEncoding(), RowEncoding::kUtf8);
    }
}

}  // namespace
}  // namespace vantor

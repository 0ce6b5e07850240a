// Letters beyond ASCII as the host draws them: the same characters give the same pixels whichever
// way the file was saved, a token beside them is still replaced, and each letter draws its own
// glyph rather than the font's mark for a missing one.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bands.h"
#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

using vantor::test::WorkFolder;

const std::string kConfig =
    "[CONFIG]\r\nHUD_ANCHOR=1\r\nHUD_POS_X=8\r\nHUD_POS_Y=24\r\nHUD_STEP_Y=26\r\n";

// The characters Windows-1252 gives bytes 0x80 to 0x9F, 0 where it gives none; from 0xA0 each
// byte is the character of its own number.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string utf8(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c < 0x800) return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
}

// A file of `rows` as the three ways an editor saves it; the rows are given as characters.
enum class Saved { kCodePage, kUtf8, kUtf16 };

std::string file(const std::vector<std::u32string>& rows, Saved saved) {
    std::string text = kConfig + "[SECTION1]\r\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        text += "ROWDATA" + std::to_string(r + 1) + "=";
        for (char32_t c : rows[r]) {
            if (saved == Saved::kUtf8) {
                text += utf8(c);
                continue;
            }
            char byte = static_cast<char>(c);  // from 0xA0, or ASCII
            for (int k = 0; k < 32; ++k) {
                if (kHighControls[k] == c) byte = static_cast<char>(0x80 + k);
            }
            text += byte;
        }
        text += "\r\n";
    }
    if (saved != Saved::kUtf16) return text;
    // Latin-1 and ASCII bytes are their own UTF-16 units; the 1252 bytes 0x80..0x9F are not.
    std::string wide = "\xFF\xFE";
    for (const char byte : text) {
        const auto b = static_cast<unsigned char>(byte);
        const char32_t c = b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b;
        wide += static_cast<char>(c & 0xFF);
        wide += static_cast<char>(c >> 8);
    }
    return wide;
}

Picture draw(const std::string& name, const std::string& ini) {
    const WorkFolder dir(WorkFolder::kStayOutside);
    dir.writeIni(ini);
    Picture picture;
    EXPECT_EQ(
        render(name, {"--workdir", dir.path(), "--cmd", "switch", "--faces", "7"}, picture).status,
        0);
    return picture;
}

TEST(TextBeyondAscii, TheSameCharactersDrawTheSamePixelsHoweverTheFileWasSaved) {
    // Every character Windows-1252 defines above ASCII, in rows of 32.
    std::vector<std::u32string> rows(1);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char32_t c = byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<char32_t>(byte);
        if (c == 0) continue;
        if (rows.back().size() == 32) rows.emplace_back();
        rows.back() += c;
    }
    rows.push_back(U"Gr\u00f6\u00dfe 7\u00b0");
    const Picture utf8 = draw("latin-utf8", file(rows, Saved::kUtf8));
    ASSERT_FALSE(utf8.rgba.empty());
    EXPECT_TRUE(draw("latin-1252", file(rows, Saved::kCodePage)) == utf8);
    EXPECT_TRUE(draw("latin-utf16", file(rows, Saved::kUtf16)) == utf8);
    rows.back() = U"Gr\u00f6\u00dfe *SEL_FACES*\u00b0";
    EXPECT_TRUE(draw("latin-token", file(rows, Saved::kUtf8)) == utf8)
        << "the token beside the letters is replaced";
    // Each row drew: a page of only its first row differs.
    rows.resize(1);
    EXPECT_FALSE(draw("latin-first-row", file(rows, Saved::kUtf8)) == utf8);
}

TEST(TextBeyondAscii, EachGreekAndCyrillicLetterDrawsItsOwnGlyph) {
    const std::u32string letters = U"?\u0394\u03bb\u03a9\u0416\u044b\u042f\u0434";
    std::vector<std::u32string> rows;
    for (char32_t c : letters) rows.push_back(std::u32string(1, c));
    const Picture scene = draw("letters-scene", kConfig);
    const Picture hud = draw("letters", file(rows, Saved::kUtf8));
    std::vector<std::set<std::pair<int, int>>> glyphs(rows.size());
    for (const auto& [x, y] : drawnFromCorner(hud, scene, false, true)) {
        const int row = (y - 24 + 26 - 6) / 26;  // bands from 20 above a baseline to 6 below
        if (row >= 0 && row < static_cast<int>(rows.size())) glyphs[row].emplace(x, y - row * 26);
    }
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_GT(glyphs[i].size(), 10u) << "letter " << i << " has ink";
        EXPECT_NE(glyphs[i], glyphs[0]) << "letter " << i << " is not the missing mark";
    }
}

}  // namespace
}  // namespace e2e

// The page store over real INI files: which pages and rows load, the cursor, and the reads.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "pages/hud_settings.h"
#include "pages/page_store.h"
#include "work_folder.h"

namespace vantor {
namespace {

using Pages = std::vector<std::vector<std::string>>;

// `count` rows "<prefix>1".."<prefix><count>" holding "r<n>".
std::string rows(int count, int first = 1) {
    std::string text;
    for (int r = first; r < first + count; ++r) {
        text += "ROWDATA" + std::to_string(r) + "=r" + std::to_string(r) + "\n";
    }
    return text;
}

std::vector<std::string> rowTexts(int count) {
    std::vector<std::string> texts;
    for (int r = 1; r <= count; ++r) texts.push_back("r" + std::to_string(r));
    return texts;
}

// Every page and row reached through the cursor, after checking that each row of each page is
// as a load leaves it.
Pages loadedPages(PageStore& store) {
    Pages pages;
    for (int p = 0; p < store.getPageCount(); ++p) {
        EXPECT_EQ(store.selectPage(p), 1);
        pages.emplace_back();
        for (int r = 0; r < store.getRowCount(); ++r) {
            EXPECT_EQ(store.selectRow(r), 1);
            EXPECT_EQ(store.getTokenHits(), -1);
            pages.back().push_back(store.getRowText());
        }
    }
    return pages;
}

struct PageCase {
    const char* what;
    std::string ini;  // empty: no file at all
    Pages expected;
};

const std::string k300(300, 'z');

const PageCase kPageCases[] = {
    {"no INI file", "", {}},
    {"three rows and one row",
     "[SECTION1]\n" + rows(3) + "[SECTION2]\n" + rows(1),
     {{"r1", "r2", "r3"}, {"r1"}}},
    {"a gap ends the page", "[SECTION1]\n" + rows(2) + rows(1, 4), {{"r1", "r2"}}},
    {"an empty row ends the page", "[SECTION1]\nROWDATA1=a\nROWDATA2=\nROWDATA3=c\n", {{"a"}}},
    {"BLANK keeps its line empty",
     "[SECTION1]\nROWDATA1=a\nROWDATA2=BLANK\nROWDATA3=c\n",
     {{"a", "", "c"}}},
    {"blank, BLANKS and Blank are text",
     "[SECTION1]\nROWDATA1=blank\nROWDATA2=BLANKS\nROWDATA3=Blank\n",
     {{"blank", "BLANKS", "Blank"}}},
    {"BLANK with blanks and quotes around is BLANK",
     "[SECTION1]\nROWDATA1=  BLANK  \nROWDATA2=\"BLANK\"\nROWDATA3=\" BLANK\"\n",
     {{"", "", " BLANK"}}},
    {"no SECTION1", "[SECTION2]\n" + rows(3), {}},
    {"SECTION1 without ROWDATA1", "[SECTION1]\n" + rows(2, 2), {}},
    {"a page without rows ends the list",
     "[SECTION1]\n" + rows(1) + "[SECTION2]\nOTHER=x\n[SECTION3]\n" + rows(1),
     {{"r1"}}},
    {"six full sections give five pages of 28",
     [] {
         std::string ini;
         for (int p = 1; p <= 6; ++p) ini += "[SECTION" + std::to_string(p) + "]\n" + rows(28);
         return ini;
     }(),
     Pages(5, rowTexts(28))},
    {"30 rows give 28", "[SECTION1]\n" + rows(30), {rowTexts(28)}},
    {"a 300-character row keeps 259",
     "[SECTION1]\nROWDATA1=" + k300 + "\n",
     {{std::string(259, 'z')}}},
    {"section and key names in any case",
     "[section1]\nrowdata1=lower\nRowData2=mixed\n",
     {{"lower", "mixed"}}},
    {"CONFIG alone gives no pages", "[CONFIG]\nHUD_POS_X=100\n", {}},
};

TEST(PageStoreLoad, PagesAndRowsAsTheFileHoldsThem) {
    for (const PageCase& c : kPageCases) {
        SCOPED_TRACE(c.what);
        test::WorkFolder dir;
        if (!c.ini.empty()) test::writeFile(test::kIniFile, c.ini);
        PageStore store;
        HudSettings settings{};
        reloadConfig(store, settings);
        EXPECT_EQ(loadedPages(store), c.expected);
    }
}

TEST(PageStoreLoad, BadArgumentsLoadNoPages) {
    test::WorkFolder dir;
    test::writeFile(test::kIniFile, "[SECTION1]\n" + rows(2) + "[S1]\nR1=x\n");
    PageStore store;
    EXPECT_EQ(store.loadPages("SECTION", "ROWDATA"), 0) << "no path set yet";
    EXPECT_EQ(store.setPath(nullptr), 0);
    EXPECT_EQ(store.setPath(""), 0);
    ASSERT_EQ(store.setPath(kIniPath), 1);
    EXPECT_EQ(store.setPath(""), 0) << "leaves the path";
    for (auto [section, row] : {std::pair<const char*, const char*>{nullptr, "ROWDATA"},
                                {"SECTION", nullptr},
                                {"", "ROWDATA"},
                                {"SECTION", ""}}) {
        EXPECT_EQ(store.loadPages(section, row), 0);
        EXPECT_EQ(store.getPageCount(), 0);
    }
    EXPECT_EQ(store.loadPages("S", "R"), 1) << "other prefixes";
    EXPECT_EQ(store.loadPages("SECTION", "ROWDATA"), 1);
}

TEST(PageStoreLoad, ReloadStartsFromEmptyRows) {
    test::WorkFolder dir;
    PageStore store;
    HudSettings settings{};
    test::writeFile(test::kIniFile, "[SECTION1]\n" + rows(3) + "[SECTION2]\n" + rows(2));
    reloadConfig(store, settings);
    store.selectPage(0);
    store.selectRow(1);
    store.setTokenHits(4);

    test::writeFile(test::kIniFile, "[SECTION1]\nROWDATA1=new\nROWDATA2=BLANK\n");
    reloadConfig(store, settings);
    EXPECT_EQ(loadedPages(store), (Pages{{"new", ""}})) << "the old row 2 is gone, hits are -1";
}

// A store with pages of 6, 2 and 1 rows, page 0 and row 5 selected.
class PageStoreCursor : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(test::kIniFile, "[SECTION1]\n" + rows(6) + "[SECTION2]\n" + rows(2) +
                                            "[SECTION3]\n" + rows(1));
        HudSettings settings{};
        reloadConfig(store, settings);
        ASSERT_EQ(store.getPageCount(), 3);
        ASSERT_EQ(store.selectPage(0), 1);
        ASSERT_EQ(store.selectRow(5), 1);
    }
    test::WorkFolder dir;
    PageStore store;
};

TEST_F(PageStoreCursor, OutOfRangeIndexesLeaveTheCursor) {
    for (int n : {3, -1, INT_MAX, INT_MIN}) EXPECT_EQ(store.selectPage(n), 0) << n;
    for (int n : {6, -1, INT_MAX, INT_MIN}) EXPECT_EQ(store.selectRow(n), 0) << n;
    EXPECT_EQ(store.getRowCount(), 6);
    EXPECT_STREQ(store.getRowText(), "r6");
}

TEST_F(PageStoreCursor, AnotherPageKeepsTheRowCursorUntilARowIsSelected) {
    ASSERT_EQ(store.selectPage(1), 1);
    EXPECT_EQ(store.getRowCount(), 2);
    EXPECT_EQ(store.getRowText(), nullptr);
    store.setTokenHits(7);  // through an invalid cursor: nothing
    EXPECT_EQ(store.selectRow(1), 1);
    EXPECT_STREQ(store.getRowText(), "r2");
    EXPECT_EQ(store.getTokenHits(), -1);
    store.selectPage(0);
    store.selectRow(5);
    EXPECT_EQ(store.getTokenHits(), -1) << "the invalid write reached no row";
}

TEST_F(PageStoreCursor, TokenHitsBelongToTheirRow) {
    store.setTokenHits(3);
    store.selectRow(4);
    store.setTokenHits(0);
    store.selectRow(5);
    EXPECT_EQ(store.getTokenHits(), 3);
    store.selectRow(4);
    EXPECT_EQ(store.getTokenHits(), 0);
}

TEST_F(PageStoreCursor, ResetEmptiesTheStore) {
    store.setTokenHits(3);
    store.reset();
    EXPECT_EQ(store.selectRow(0), 0);
    EXPECT_EQ(store.getPageCount(), 0);
    EXPECT_EQ(store.getRowCount(), 0);
    EXPECT_EQ(store.getRowText(), nullptr);
    EXPECT_EQ(store.selectPage(0), 0);
}

struct IntCase {
    const char* value;  // null: no such key
    std::optional<std::int32_t> expected;
};

const IntCase kIntCases[] = {
    {"abc", 0},
    {"42xyz", 42},
    {"-5", -5},
    {nullptr, std::nullopt},
    {"", std::nullopt},
    {"12.9", 12},
    {"+9", 9},
    {"\"  7\"", 7},
    {"- 5", 0},
    {"2147483647", INT_MAX},
    {"2147483648", INT_MAX},
    {"-99999999999", INT_MIN},
};

TEST(PageStoreRead, IntegersAsAtolReadsThem) {
    test::WorkFolder dir;
    PageStore store;
    ASSERT_EQ(store.setPath(kIniPath), 1);
    for (const IntCase& c : kIntCases) {
        SCOPED_TRACE(c.value ? c.value : "(absent)");
        test::writeFile(test::kIniFile,
                        c.value ? std::string("[CONFIG]\nN=") + c.value + "\n" : "[CONFIG]\n");
        EXPECT_EQ(store.readInt("CONFIG", "N"), c.expected);
    }
}

struct StringCase {
    const char* what;
    std::string ini;  // empty: no file
    std::optional<std::string> expected;
};

const StringCase kStringCases[] = {
    {"a value", "[CONFIG]\nS=hello\n", "hello"},
    {"the longest kept whole", "[CONFIG]\nS=" + std::string(kMaxTextChars, 'x'),
     std::string(kMaxTextChars, 'x')},
    {"a longer one cut", "[CONFIG]\nS=" + std::string(kTextSize, 'x'),
     std::string(kMaxTextChars, 'x')},
    {"no file", "", std::nullopt},
    {"no such key", "[CONFIG]\nOTHER=1\n", std::nullopt},
    {"an empty value", "[CONFIG]\nS=\n", std::nullopt},
    {"the key in another section", "[OTHER]\nS=x\n", std::nullopt},
};

TEST(PageStoreRead, StringsUpToTheTextSize) {
    for (const StringCase& c : kStringCases) {
        SCOPED_TRACE(c.what);
        test::WorkFolder dir;
        if (!c.ini.empty()) dir.writeIni(c.ini);
        PageStore store;
        ASSERT_EQ(store.setPath(kIniPath), 1);
        const std::optional<std::string_view> read = store.readString("CONFIG", "S");
        EXPECT_EQ(read, c.expected);
        if (read) {
            EXPECT_EQ(read->data()[read->size()], '\0');
        }
    }
}

}  // namespace
}  // namespace vantor

namespace vantor {
namespace {

// ROWCOLOR<n> beside its row, through the reload: a colour, thresholds, a faulty value (the HUD
// colour), a key without its row, ROWCOLOR01, and pages after one with many keys.
TEST(RowColours, EachRowItsWrittenColoursOrNone) {
    test::WorkFolder dir;
    std::string many;  // more key names than one listing holds: every row's key is read instead
    for (int k = 0; k < 300; ++k) many += "NOTE_WITH_A_LONG_NAME_" + std::to_string(k) + "=x\n";
    test::writeFile(test::kIniFile,
                    "[SECTION1]\nROWDATA1=a\nrowcolor1=FF0000\nROWDATA2=b *SEL_FACES*\n"
                    "ROWCOLOR2 = B22222<30, FDFD09<60 ,39F900\nROWDATA3=c\nROWCOLOR3=12345\n"
                    "ROWCOLOR4=00FF00\nROWDATA4=BLANK\nROWCOLOR05=0000FF\n"
                    "[SECTION2]\n" +
                        many + "ROWDATA1=d\nROWCOLOR1=0000ff\n");
    PageStore store;
    HudSettings settings{};
    reloadConfig(store, settings);
    const struct {
        int page, row;
        std::vector<std::uint32_t> rgb;
        std::vector<std::int32_t> limits;
    } expected[] = {{0, 0, {0xFF0000}, {}},
                    {0, 1, {0xB22222, 0xFDFD09, 0x39F900}, {30, 60}},
                    {0, 2, {}, {}},
                    {0, 3, {0x00FF00}, {}},
                    {1, 0, {0x0000FF}, {}}};
    for (const auto& e : expected) {
        SCOPED_TRACE(std::to_string(e.page) + ":" + std::to_string(e.row));
        const PageView page = store.view(e.page);
        ASSERT_LT(e.row, page.count);
        const RowColour* colour = &page.rows[e.row]->colour;
        ASSERT_EQ(colour->count, static_cast<int>(e.rgb.size()));
        for (std::size_t k = 0; k < e.rgb.size(); ++k) EXPECT_EQ(colour->rgb[k], e.rgb[k]);
        for (std::size_t k = 0; k < e.limits.size(); ++k) EXPECT_EQ(colour->limits[k], e.limits[k]);
    }
}

// Below, at and above each limit; and what a faulty value is told as.
TEST(RowColours, ThresholdsAndFaults) {
    RowColour colour;
    ASSERT_EQ(parseRowColour("B22222<30,FDFD09<60,39F900", colour).kind, RowColourFault::kNone);
    const std::pair<std::int64_t, std::uint32_t> bands[] = {
        {-5, 0xB22222}, {29, 0xB22222}, {30, 0xFDFD09}, {59, 0xFDFD09}, {60, 0x39F900}};
    for (const auto& [value, rgb] : bands) EXPECT_EQ(colour.colourFor(value), rgb) << value;
    const std::pair<const char*, RowColourFault::Kind> faults[] = {
        {"", RowColourFault::kNotAColour},
        {"#FF0000", RowColourFault::kNotAColour},
        {"FF00001", RowColourFault::kNotAColour},
        {"FF0000<", RowColourFault::kNotALimit},
        {"FF0000<9999999999,00FF00", RowColourFault::kNotALimit},
        {"FF0000<30", RowColourFault::kNoLastColour},
        {"FF0000<30,", RowColourFault::kNoLastColour},
        {"0<1,0<2,0<3,0<4,0<5,0<6,0<7,0<8,0", RowColourFault::kNotAColour},
        {"000000<1,000000<2,000000<3,000000<4,000000<5,000000<6,000000<7,000000<8,000000",
         RowColourFault::kTooManyColours},
    };
    for (const auto& [text, kind] : faults) {
        EXPECT_EQ(parseRowColour(text, colour).kind, kind) << text;
        EXPECT_EQ(colour.count, 0) << text;
    }
}

}  // namespace
}  // namespace vantor

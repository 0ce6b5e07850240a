// The page laid out as the HUD draws it and the checker walks it: one page of four rows (text,
// BLANK, a token, text) in the stretched space and held to each corner, over viewports of three
// sizes, with rows below the overlay and rows cut at a corner's edges.
#include <gtest/gtest.h>

#include <memory>

#include "layout/page_layout.h"
#include "pages/page_store.h"
#include "work_folder.h"

namespace vantor {
namespace {

struct Expected {
    bool drawn;
    float x, y;
    int left, baseline;
};

struct Case {
    const char* name;
    HudAnchor anchor;
    float posY;
    Viewport viewport;
    Expected rows[4];
};

// Advances: A 10, B 7, C 5, '1' 3, '2' 4; the token gives "12". Rows 17, -, 7 and 5 wide.
constexpr int kWidths[4] = {17, 0, 7, 5};

const Case kCases[] = {
    {"StretchedOverTheOverlay",
     kStretched,
     40,
     {0, 0, 640, 480},
     {{true, 100, 40, 100, 40},
      {false, 100, 25, 100, 25},
      {true, 100, 10, 100, 10},
      {false, 100, -5, 100, -5}}},
    {"StretchedOverTwiceItsSize",
     kStretched,
     40,
     {0, 0, 1280, 960},
     {{true, 100, 40, 200, 80},
      {false, 100, 25, 200, 50},
      {true, 100, 10, 200, 20},
      {false, 100, -5, 200, -10}}},
    {"StretchedOverHalfItsSizeMovedIn",
     kStretched,
     40,
     {10, 20, 320, 240},
     {{true, 100, 40, 60, 40},
      {false, 100, 25, 60, 32},
      {true, 100, 10, 60, 25},
      {false, 100, -5, 60, 17}}},
    {"TopLeft",
     kTopLeft,
     40,
     {0, 0, 800, 600},
     {{true, 100, 560, 100, 560},
      {false, 100, 545, 100, 545},
      {true, 100, 530, 100, 530},
      {true, 100, 515, 100, 515}}},
    {"TopRightEndsEachRowAtTheSameColumn",
     kTopRight,
     40,
     {0, 0, 800, 600},
     {{true, 683, 560, 683, 560},
      {false, 700, 545, 700, 545},
      {true, 693, 530, 693, 530},
      {true, 695, 515, 695, 515}}},
    {"BottomLeftStandsTheLastRowOnTheEdge",
     kBottomLeft,
     40,
     {0, 0, 320, 240},
     {{true, 100, 85, 100, 85},
      {false, 100, 70, 100, 70},
      {true, 100, 55, 100, 55},
      {true, 100, 40, 100, 40}}},
    {"BottomRightMovedIn",
     kBottomRight,
     40,
     {10, 20, 320, 240},
     {{true, 203, 85, 213, 105},
      {false, 220, 70, 230, 90},
      {true, 213, 55, 223, 75},
      {true, 215, 40, 225, 60}}},
    {"TopRightCutAtTheBottom",
     kTopRight,
     200,
     {0, 0, 320, 240},
     {{true, 203, 40, 203, 40},
      {false, 220, 25, 220, 25},
      {true, 213, 10, 213, 10},
      {true, 215, -5, 215, -5}}},
};

class PageLayoutTest : public ::testing::TestWithParam<Case> {};

TEST_P(PageLayoutTest, PlacesEachRowAsTheHudDrawsIt) {
    const Case& c = GetParam();
    const test::WorkFolder dir(test::iniWithPage({"AB", "BLANK", "*SEL_FACES*", "C"}));
    const auto store = std::make_unique<PageStore>();
    ASSERT_TRUE(test::loadFirstPage(*store));
    HudSettings settings{};
    settings.posX = 100;
    settings.posY = c.posY;
    settings.stepY = 15;
    settings.anchor = c.anchor;
    ByteAdvances glyphs = {};
    glyphs['A'] = 10, glyphs['B'] = 7, glyphs['C'] = 5, glyphs['1'] = 3, glyphs['2'] = 4;
    const FontAdvances advances{glyphs, {}, nullptr};
    TokenTable tokens;
    std::snprintf(tokens.values[kSelFacesToken], kTextSize, "12");
    const platform::CodePageCharacters codePage = {};
    const auto laid = std::make_unique<PageLayout>();

    layOutPage(store->view(0), {settings, advances, {12, 3}, c.viewport, tokens, codePage}, *laid);

    ASSERT_EQ(laid->count, 4);
    const char* texts[] = {"AB", "", "12", "C"};
    int drawn = 0;
    for (int i = 0; i < 4; ++i) {
        const LaidRow& row = laid->rows[i];
        const Expected& want = c.rows[i];
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_STREQ(row.text, texts[i]);
        EXPECT_EQ(row.drawn, want.drawn);
        EXPECT_EQ(row.x, want.x);
        EXPECT_EQ(row.y, want.y);
        EXPECT_EQ(row.left, want.left);
        EXPECT_EQ(row.baseline, want.baseline);
        EXPECT_EQ(row.width, kWidths[i]);
        EXPECT_EQ(row.top, want.baseline + 12);
        EXPECT_EQ(row.bottom, want.baseline - 3);
        drawn += want.drawn ? 1 : 0;
    }
    EXPECT_EQ(laid->drawnCount(), drawn);
    // The token row keeps its count of them, for the next frame; the others found none.
    EXPECT_EQ(store->view(0).rows[2]->tokenHits, 1);
    EXPECT_EQ(store->view(0).rows[0]->tokenHits, 0);
}

INSTANTIATE_TEST_SUITE_P(Anchors, PageLayoutTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantor

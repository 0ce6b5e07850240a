// Paging through pages read from the INI file: which page is current and which one shows.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hud_gl_support.h"
#include "hud_internals.h"

namespace vantor::test {
namespace {

// Page p holds p blank rows and then an X, so the row band of the X tells the page shown.
std::string pagesIni(int pages) {
    std::string ini;
    for (int p = 1; p <= pages; ++p) {
        ini += "[SECTION" + std::to_string(p) + "]\n";
        for (int r = 1; r < p; ++r) ini += "ROWDATA" + std::to_string(r) + "=BLANK\n";
        ini += "ROWDATA" + std::to_string(p) + "=X\n";
    }
    return ini + "[CONFIG]\n";
}

// The HUD's function numbers, and steps of the test's own that reload another file.
enum Op : int {
    kSwitch = kSwitchCommand,
    kNext = kNextPageCommand,
    kPrev = kPrevPageCommand,
    kReloadOne = 101,
    kReloadNone,
    kReloadThree
};

struct Step {
    Op op;
    int page;   // current page after the step
    int shown;  // row band lit by the next frame, -1 for nothing
};

struct PagingCase {
    const char* name;
    int pages;  // in the file at the first frame
    std::vector<Step> steps;
};

const PagingCase kCases[] = {
    {"NextWrapsFromTheLastPage", 3, {{kSwitch, 0, 0}, {kNext, 1, 1}, {kNext, 2, 2}, {kNext, 0, 0}}},
    {"PrevWrapsFromTheFirstPage", 3, {{kSwitch, 0, 0}, {kPrev, 2, 2}, {kPrev, 1, 1}}},
    {"HiddenPagingKeepsThePage",
     3,
     {{kNext, 0, -1},
      {kPrev, 0, -1},
      {kSwitch, 0, 0},
      {kNext, 1, 1},
      {kSwitch, 1, -1},
      {kNext, 1, -1},
      {kPrev, 1, -1},
      {kSwitch, 1, 1}}},
    {"ReloadToOnePageThenNext",
     3,
     {{kSwitch, 0, 0}, {kPrev, 2, 2}, {kReloadOne, 2, -1}, {kNext, 0, 0}}},
    {"ReloadToOnePageThenPrevTwice",
     3,
     {{kSwitch, 0, 0}, {kPrev, 2, 2}, {kReloadOne, 2, -1}, {kPrev, 1, -1}, {kPrev, 0, 0}}},
    {"ReloadBringsPagesBack",
     3,
     {{kSwitch, 0, 0}, {kPrev, 2, 2}, {kReloadOne, 2, -1}, {kReloadThree, 2, 2}}},
    // With no pages, Prev Page leaves -1 and Next Page has nothing to move to.
    {"NoPages",
     0,
     {{kSwitch, 0, -1},
      {kPrev, -1, -1},
      {kNext, -1, -1},
      {kPrev, -1, -1},
      {kReloadThree, -1, -1},
      {kNext, 0, 0}}},
    {"NoPagesNextKeepsPageZero", 0, {{kSwitch, 0, -1}, {kNext, 0, -1}, {kReloadOne, 0, 0}}},
    {"NoPagesHiddenPrevKeepsMinusOne",
     0,
     {{kSwitch, 0, -1}, {kPrev, -1, -1}, {kSwitch, -1, -1}, {kPrev, -1, -1}, {kReloadOne, -1, -1}}},
    // Function numbers the catalogue does not list change nothing.
    {"UnknownNumbers",
     1,
     {{kSwitch, 0, 0}, {Op(0), 0, 0}, {Op(5), 0, 0}, {Op(-1), 0, 0}, {Op(99), 0, 0}}},
    // A reload while hidden still rebuilds on the next frame.
    {"ReloadWhileHidden", 1, {{kReloadNone, 0, -1}, {kSwitch, 0, -1}, {kReloadOne, 0, 0}}},
};

class Paging : public GlTest, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(Paging, CurrentPageAndWhatShows) {
    const PagingCase& c = GetParam();
    WorkFolder dir(pagesIni(c.pages));
    auto hud = makeHud();
    hud->draw(0);  // the first frame reads the file, even while hidden
    ASSERT_EQ(inspect(*hud).store().getPageCount(), c.pages);

    int n = 0;
    for (const Step& step : c.steps) {
        ++n;
        switch (step.op) {
            case kReloadOne:
            case kReloadNone:
            case kReloadThree:
                dir.writeIni(pagesIni(step.op == kReloadOne ? 1 : step.op == kReloadNone ? 0 : 3));
                EXPECT_TRUE(hud->execute(kReloadIniCommand));
                EXPECT_TRUE(inspect(*hud).rebuildNeeded());
                break;
            default:
                EXPECT_TRUE(hud->execute(step.op));
        }
        EXPECT_EQ(inspect(*hud).currentPage(), step.page) << "step " << n;
        glClear(GL_COLOR_BUFFER_BIT);
        hud->draw(0);
        EXPECT_EQ(inspect(*hud).currentPage(), step.page)
            << "step " << n << ": a frame never pages";
        EXPECT_EQ(litRowBand(frame("step" + std::to_string(n))), step.shown) << "step " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, Paging, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantor::test

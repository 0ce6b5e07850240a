// The live preview, end to end on an X display: keys pressed as a user presses them run the HUD's
// commands and change the scene, the window shows what the offscreen host draws for the same
// state at the window's size, and an INI file saved on disk shows on the next frame. The same
// cases drive the Windows build's window under wine (tests/windows), through e2e::hostCommand.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

#include "bands.h"
#include "host_run.h"
#include "preview_session.h"
#include "work_folder.h"

namespace preview {
namespace {

namespace fs = std::filesystem;
using e2e::Layout;
using e2e::Picture;
using vantor::test::WorkFolder;
using Page = std::vector<std::string>;

// The INI text of `config`'s CONFIG section and `pages`.
std::string iniText(const Layout& config, const std::vector<Page>& pages) {
    std::string ini = config.config();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        ini += "[SECTION" + std::to_string(p + 1) + "]\n";
        for (std::size_t r = 0; r < pages[p].size(); ++r) {
            ini += "ROWDATA" + std::to_string(r + 1) + "=" + pages[p][r] + "\n";
        }
    }
    return ini;
}

// `config` drawing `page`.
Layout layoutOf(Layout config, const Page& page) {
    for (const std::string& row : page) config.rowHasText.push_back(row != "BLANK");
    return config;
}

// Three pages told apart by which rows hold text: 1 and 2, 2 and 4, 1 and 5.
const Layout kPaging{40, 440, 30, 18, {255, 220, 0}, {}};
const std::vector<Page> kThreePages = {{"Page one", "second row"},
                                       {"BLANK", "Page two", "BLANK", "fourth row"},
                                       {"Page three", "BLANK", "BLANK", "BLANK", "fifth row"}};

// Blank-separated words, as a list of arguments.
std::vector<std::string> words(const char* text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// One step in a window, and what the offscreen host is told to draw the same frame.
struct Step {
    const char* keys;  // pressed first, blank-separated X names; "" for none
    const char* host;  // blank-separated, besides --workdir (and --size, for a size)
    int width = 0;     // the window resized to width x height first
    int height = 0;
    bool idle = false;            // then left idle past the clock's redraw
    const char* title = "";       // what the title then says, in part
    const char* saved = nullptr;  // a layout saved first, as sed -i does: the old file moved
                                  // aside, and for a moment none, then the new one renamed in
};

struct WindowCase {
    const char* name;
    std::string ini;
    const char* start;  // the window's own options
    std::vector<Step> steps;
    std::vector<const char*> says = {};  // lines the window prints on stderr
    const char* neverSays = nullptr;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

// The HUD shown at page 1, 2 or 3 of three by the fewest commands; hidden with none.
const char* kPage1 = "--cmd switch";
const char* kPage2 = "--cmd switch --cmd next";
const char* kPage3 = "--cmd switch --cmd prev";

const WindowCase kWindowCases[] = {
    {"Keys",
     iniText(kPaging, kThreePages),
     "",
     {{"s", kPage1, 0, 0, false, "page 1 of 3"},          // Switch shows the first page
      {"n", kPage2},                                      // Next Page
      {"Next", kPage3},                                   // Page Down
      {"n", kPage1},                                      // after the last, the first
      {"p", kPage3},                                      // Prev Page: before the first, the last
      {"Prior", kPage2},                                  // Page Up
      {"s", "", 0, 0, false, "HUD hidden (S shows it)"},  // Switch hides it
      {"n Next p", ""},                                   // paging while hidden changes nothing
      {"s", kPage2},                                      // ... as the page shown again tells
      {"r", kPage2}}},                                    // Reload INI keeps the page
    // Every camera key and every selection key: the viewport's camera and the tokens follow them.
    {"SceneKeys",
     iniText({20, 440, 30, 20, {255, 255, 255}, {}},
             {{"Camera *CAMERA_NAME*", "Selected *SEL_FACES*/*SEL_EDGES*/*SEL_VERTICES*"}}),
     "",
     {{"s", "--camera main-perspective --selection-mode face --cmd switch"},
      {"2 e plus plus", "--camera top --selection-mode edge --edges 2 --cmd switch"},
      {"3 v plus", "--camera left --selection-mode vertex --edges 2 --vertices 1 --cmd switch"},
      {"4 f plus plus plus minus",
       "--camera right --selection-mode face --faces 2 --edges 2 --vertices 1 --cmd switch"},
      {"5 e", "--camera front --selection-mode edge --faces 2 --edges 2 --vertices 1 --cmd switch"},
      {"6 minus",
       "--camera back --selection-mode edge --faces 2 --edges 1 --vertices 1 --cmd switch"},
      {"7 KP_Add",
       "--camera bottom --selection-mode edge --faces 2 --edges 2 --vertices 1 --cmd switch"},
      {"8 v KP_Subtract KP_Subtract",
       "--camera free --selection-mode vertex --faces 2 --edges 2 --cmd switch"},
      {"1 f", "--camera main-perspective --selection-mode face --faces 2 --edges 2 --cmd switch"}},
     {"hudhost: 0 edges selected", "hudhost: 1 edge selected", "hudhost: 1 vertex selected"}},
    // Idle, the window redraws for the clock over the scene it kept: 1 keeps the camera it started
    // with, and with it the kept scene; 2 changes both.
    {"Idle",
     iniText(kPaging, kThreePages),
     kPage1,
     {{"1", "--camera main-perspective --cmd switch", 0, 0, true},
      {"2", "--camera top --cmd switch", 0, 0, true}}},
    // The page shown is saved away: the title says so, and the save by rename is no error.
    {"SavedWithoutItsPage",
     iniText(kPaging, kThreePages),
     kPage3,
     {{"", "", 0, 0, false,
       "page 3 of 2: past the last, nothing shows; N or P turns to one that exists",
       "[SECTION1]\nROWDATA1=Page one\n[SECTION2]\nROWDATA1=Page two\n"},
      {"n", "--cmd switch --cmd next", 0, 0, false, "page 2 of 2"}},
     {"hudhost: VantorHUD.ini changed: Vantor HUD Reload INI; page 3 of 2: past the last"},
     "no such file"},
    // A layout that starts shown is on its first page before any key, and Switch hides it.
    {"StartVisible",
     "[CONFIG]\nSTART_VISIBLE=1\n[SECTION1]\nROWDATA1=Page one\n[SECTION2]\nROWDATA1=Page two\n",
     "",
     {{"", "", 0, 0, false, "page 1 of 2"},
      {"s", "--cmd switch", 0, 0, false, "HUD hidden (S shows it)"}}},
    // The 640 x 480 space is stretched over the window whatever its size.
    {"Resized", iniText(kPaging, kThreePages), kPage1, {{"", kPage1, 960, 720}}},
    // A first layout with no CONFIG section, in the HUD's default colour over the default
    // background, or another asked for.
    {"DefaultColour", "[SECTION1]\nROWDATA1=Default colour text\n", "", {{"s", kPage1}}},
    {"AskedBackground",
     "[SECTION1]\nROWDATA1=Default colour text\n",
     "--background 2A2b33",
     {{"s", "--background 2A2b33 --cmd switch"}}},
};

class WindowSteps : public ::testing::TestWithParam<WindowCase> {};

// After each step the window shows, pixel for pixel, what the offscreen host draws for the same
// state at the window's size: the keys ran the HUD's commands and reached the scene, and the kept
// scene of an idle window is the one the camera shows.
TEST_P(WindowSteps, ShowWhatTheOffscreenHostDraws) {
    const WindowCase& c = GetParam();
    const WorkFolder dir(c.ini, WorkFolder::kStayOutside);
    PreviewSession window;
    ASSERT_TRUE(window.start(c.name, dir.path(), words(c.start))) << window.error();
    int index = 0;
    for (const Step& step : c.steps) {
        const std::string name = std::string(c.name) + "-step" + std::to_string(++index);
        SCOPED_TRACE(name + ", after the keys " + step.keys);
        std::vector<std::string> host = {"--workdir", dir.path()};
        if (step.width > 0) {
            ASSERT_TRUE(window.resize(step.width, step.height)) << window.error();
            host.insert(host.end(),
                        {"--size", std::to_string(step.width) + "x" + std::to_string(step.height)});
        }
        if (step.saved != nullptr) {
            const std::string ini = dir.iniPath();
            vantor::test::writeFile(ini + ".new", step.saved);
            std::filesystem::rename(ini, ini + ".bak");
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::filesystem::rename(ini + ".new", ini);
        }
        if (step.keys[0] != '\0') {
            ASSERT_TRUE(window.press(step.keys)) << window.error();
        }
        if (step.idle) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        Picture shown, expected;
        ASSERT_TRUE(window.picture(name, shown)) << window.error();
        for (const std::string& word : words(step.host)) host.push_back(word);
        ASSERT_EQ(e2e::render(name + "-offscreen", host, expected).status, 0);
        EXPECT_TRUE(shown == expected) << "the window differs from the offscreen picture";
        std::string title = window.title();
        for (int tries = 0; tries < 40 && title.find(step.title) == std::string::npos; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the window sets it
            title = window.title();
        }
        EXPECT_NE(title.find(step.title), std::string::npos) << title;
    }
    EXPECT_EQ(window.close(), 0) << window.log();
    for (const char* said : c.says) EXPECT_NE(window.log().find(said), std::string::npos) << said;
    if (c.neverSays != nullptr) {
        EXPECT_EQ(window.log().find(c.neverSays), std::string::npos) << window.log();
    }
}

INSTANTIATE_TEST_SUITE_P(PreviewWindow, WindowSteps, ::testing::ValuesIn(kWindowCases),
                         [](const auto& info) { return std::string(info.param.name); });

const Layout kBefore{20, 440, 30, 18, {255, 220, 0}, {}};
const Page kBeforePage = {"Before the edit", "second row"};
const Layout kAfter{200, 300, 25, 18, {0, 255, 255}, {}};
const Page kAfterPage = {"After the edit", "BLANK", "third row"};

struct SaveCase {
    const char* name;
    void (*save)(const std::string& path, const std::string& ini);
    bool found;             // whether the HUD then finds a file, kAfter's, or keeps kBefore
    const char* says = "";  // a line the window prints on stderr
};

void saveByRename(const std::string& path, const std::string& ini) {
    std::ofstream(path + ".new") << ini;
    fs::rename(path + ".new", path);
}

void saveInPlace(const std::string& path, const std::string& ini) {
    std::ofstream(path, std::ios::trunc) << ini;
}

void deleteFile(const std::string& path, const std::string&) { fs::remove(path); }

// As a checkout or a restore from a backup does: the folders go, come back, and the file with
// them.
void makeFoldersAgain(const std::string& path, const std::string& ini) {
    const fs::path plugins = fs::path(path).parent_path().parent_path();
    fs::remove_all(plugins);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << ini;
}

class AutoReload : public ::testing::TestWithParam<SaveCase> {};

// No key is pressed between a save and the picture: the window reloads by itself, and goes on
// doing so for the edit after it, whatever the first save did to the file or its folder.
TEST_P(AutoReload, ShowsTheSavedFileOnTheNextFrame) {
    const SaveCase& c = GetParam();
    const std::string name = std::string("reload-") + c.name;
    const WorkFolder dir(iniText(kBefore, {kBeforePage}), WorkFolder::kStayOutside);
    PreviewSession window;
    ASSERT_TRUE(window.start(name, dir.path(), {})) << window.error();
    Picture scene;
    ASSERT_TRUE(window.picture("scene", scene)) << window.error();
    ASSERT_TRUE(window.press("s")) << window.error();
    Picture before;
    ASSERT_TRUE(window.picture("before", before)) << window.error();
    {
        SCOPED_TRACE("before the edit");
        e2e::expectRowsInTheirBands(before, scene, layoutOf(kBefore, kBeforePage));
    }

    c.save(dir.iniPath(), iniText(kAfter, {kAfterPage}));
    Picture after;
    ASSERT_TRUE(window.picture("after", after)) << window.error();
    if (!c.found) {
        // Kept while the file is missing; R then reads nothing, as the modeller's Reload INI.
        SCOPED_TRACE("with the file gone");
        e2e::expectRowsInTheirBands(after, scene, layoutOf(kBefore, kBeforePage));
        ASSERT_TRUE(window.press("r")) << window.error();
        Picture reloaded;
        ASSERT_TRUE(window.picture("reloaded", reloaded)) << window.error();
        EXPECT_TRUE(reloaded == scene) << "the HUD still draws after Reload INI found no file";
    } else {
        SCOPED_TRACE("after the edit");
        e2e::expectRowsInTheirBands(after, scene, layoutOf(kAfter, kAfterPage));
    }

    saveInPlace(dir.iniPath(), iniText(kBefore, {kBeforePage}));
    Picture again;
    ASSERT_TRUE(window.picture("again", again)) << window.error();
    SCOPED_TRACE("after the next edit");
    e2e::expectRowsInTheirBands(again, scene, layoutOf(kBefore, kBeforePage));
    EXPECT_EQ(window.close(), 0) << window.log();
    EXPECT_NE(window.log().find(c.says), std::string::npos) << window.log();
}

INSTANTIATE_TEST_SUITE_P(
    PreviewWindow, AutoReload,
    ::testing::Values(SaveCase{"SavedByRename", saveByRename, true},
                      SaveCase{"SavedInPlace", saveInPlace, true},
                      SaveCase{"Deleted", deleteFile, false,
                               "hudhost: VantorHUD.ini is missing: the last layout is kept"},
                      SaveCase{"FoldersMadeAgain", makeFoldersAgain, true,
                               "hudhost: watching Plugins/Startup Plugins again"}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

// WCAG 2 contrast of two colours, 1 to 21.
double contrast(e2e::Rgb a, e2e::Rgb b) {
    const auto luminance = [](e2e::Rgb c) {
        const auto linear = [](int part) {
            const double v = part / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The HUD's default colour must read on the default background: the row's pixels against what is
// behind them, the most frequent colour of each. The backgrounds are the default and one asked for.
TEST(PreviewWindow, DefaultTextReadsOnTheBackground) {
    const WorkFolder dir("[SECTION1]\nROWDATA1=Default colour text\n", WorkFolder::kStayOutside);
    Picture hud, scene, asked;
    ASSERT_EQ(
        e2e::render("background-hud", {"--workdir", dir.path(), "--cmd", "switch"}, hud).status, 0);
    ASSERT_EQ(e2e::render("background-scene", {"--no-plugin"}, scene).status, 0);
    ASSERT_EQ(
        e2e::render("background-asked", {"--no-plugin", "--background", "2A2b33"}, asked).status,
        0);
    EXPECT_TRUE(e2e::near(e2e::colourAt(scene, 0, 0), {0x8a, 0x90, 0x9a}, 0));
    EXPECT_TRUE(e2e::near(e2e::colourAt(asked, 0, 0), {0x2a, 0x2b, 0x33}, 0));
    std::map<std::tuple<int, int, int>, int> text;
    std::map<std::tuple<int, int, int>, int> behind;
    for (int y = 0; y < hud.height; ++y) {
        for (int x = 0; x < hud.width; ++x) {
            const e2e::Rgb h = e2e::colourAt(hud, x, y);
            const e2e::Rgb s = e2e::colourAt(scene, x, y);
            if (e2e::near(h, s, 0)) continue;
            ++text[{h.r, h.g, h.b}];
            ++behind[{s.r, s.g, s.b}];
        }
    }
    ASSERT_GE(text.size(), 1u) << "the row drew nothing";
    const auto mostFrequent = [](const std::map<std::tuple<int, int, int>, int>& counts) {
        const auto top = std::max_element(counts.begin(), counts.end(),
                                          [](auto& a, auto& b) { return a.second < b.second; });
        return e2e::Rgb{std::get<0>(top->first), std::get<1>(top->first), std::get<2>(top->first)};
    };
    EXPECT_GE(contrast(mostFrequent(text), mostFrequent(behind)), 3.0);
}

// Held to a corner, the block stays there when the window is resized: the same pixels at the same
// distance from the bottom right corner.
TEST(PreviewWindow, KeepsAHeldBlockAtItsCornerWhenResized) {
    const WorkFolder dir(
        vantor::test::iniWithPage({"Held to the corner", "BLANK", "*SEL_FACES*"},
                                  {"HUD_ANCHOR=4", "HUD_POS_X=15", "HUD_POS_Y=25"}),
        WorkFolder::kStayOutside);
    PreviewSession window;
    ASSERT_TRUE(window.start("held", dir.path(), {"--cmd", "switch"})) << window.error();
    std::set<std::pair<int, int>> first;
    for (const auto& [width, height] : {std::pair{640, 480}, std::pair{960, 720}}) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        ASSERT_TRUE(window.resize(width, height)) << window.error();
        Picture shown, scene;
        ASSERT_TRUE(window.picture("held-" + size, shown)) << window.error();
        ASSERT_EQ(e2e::render("held-scene-" + size, {"--no-plugin", "--size", size}, scene).status,
                  0);
        const auto drawn = e2e::drawnFromCorner(shown, scene, true, false);
        ASSERT_GT(drawn.size(), 100u) << size;
        if (first.empty()) first = drawn;
        EXPECT_TRUE(drawn == first) << size;
    }
    EXPECT_EQ(window.close(), 0) << window.log();
}

struct RefusalCase {
    const char* name;
    const char* args;  // blank-separated
    int status;
    const char* says;  // the start of the one line on stderr
    const char* environment = "";
};

class WindowRefused : public ::testing::TestWithParam<RefusalCase> {};

// --window with no display ends at once with one line; its refusals of an offscreen run's options
// are read in-process (tests/unit).
TEST_P(WindowRefused, WithOneLine) {
    const RefusalCase& c = GetParam();
    std::vector<std::string> args = {"--window", "--workdir", EXAMPLES_DIR};
    for (const std::string& word : words(c.args)) args.push_back(word);
    const e2e::HostRun run = e2e::runHost(std::string("refused-") + c.name, args, c.environment);
    EXPECT_EQ(run.status, c.status);
    ASSERT_EQ(run.err.size(), 1u);
    EXPECT_EQ(run.err[0].rfind(c.says, 0), 0u) << run.err[0];
}

INSTANTIATE_TEST_SUITE_P(
    PreviewWindow, WindowRefused,
    ::testing::Values(RefusalCase{"WithoutDisplay", "", 1,
                                  "hudhost: cannot open a window: ", "DISPLAY="}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace preview

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
#include <map>
#include <memory>
#include <set>
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

// A working folder for hudhost with that text as its INI file.
std::unique_ptr<WorkFolder> workFolder(const Layout& config, const std::vector<Page>& pages) {
    return std::make_unique<WorkFolder>(iniText(config, pages), WorkFolder::kStayOutside);
}

// The window's picture `shown` equals, pixel for pixel, what the offscreen host draws given `args`.
void expectOffscreenPicture(const Picture& shown, const std::string& name,
                            const std::vector<std::string>& args) {
    Picture expected;
    ASSERT_EQ(e2e::render(name + "-offscreen", args, expected).status, 0);
    EXPECT_TRUE(shown == expected) << "the window differs from the offscreen picture";
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

struct Step {
    const char* keys;
    int page;  // the SECTION shown after the keys; 0 for none
};

// One window, the keys pressed one step after another: each step's picture shows its page.
TEST(PreviewWindow, KeysRunTheCommandsAsTheUserPicksThem) {
    const Step steps[] = {
        {"s", 1},         // Switch shows the first page
        {"n", 2},         // Next Page
        {"Next", 3},      // Page Down
        {"n", 1},         // after the last, the first
        {"p", 3},         // Prev Page: before the first, the last
        {"Prior", 2},     // Page Up
        {"s", 0},         // Switch hides it
        {"n Next p", 0},  // paging while hidden changes nothing
        {"s", 2},         // ... as the page shown again tells
        {"r", 2},         // Reload INI keeps the page
    };
    const auto dir = workFolder(kPaging, kThreePages);
    PreviewSession window;
    ASSERT_TRUE(window.start("keys", dir->path(), {})) << window.error();
    Picture scene;
    ASSERT_TRUE(window.picture("scene", scene)) << window.error();  // the HUD starts hidden

    int index = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string("after the keys ") + step.keys);
        ASSERT_TRUE(window.press(step.keys)) << window.error();
        Picture shown;
        ASSERT_TRUE(window.picture("step" + std::to_string(++index), shown)) << window.error();
        if (step.page == 0) {
            EXPECT_TRUE(shown == scene) << "the HUD drew while hidden";
        } else {
            e2e::expectRowsInTheirBands(shown, scene,
                                        layoutOf(kPaging, kThreePages[step.page - 1]));
        }
    }
    EXPECT_EQ(window.close(), 0) << window.log();
}

struct SceneStep {
    const char* keys;
    // What the offscreen host is told for the same frame.
    const char* camera;
    const char* mode;
    int faces;
    int edges;
    int vertices;
};

// Every camera key and every selection key, one step after another in one window: each picture
// equals, pixel for pixel, the offscreen host's picture of the same scene and selection, so both
// the viewport's camera and the tokens followed the keys.
TEST(PreviewWindow, CameraAndSelectionKeysReachTheScene) {
    const SceneStep steps[] = {
        {"s", "main-perspective", "face", 0, 0, 0},
        {"2 e plus plus", "top", "edge", 0, 2, 0},
        {"3 v plus", "left", "vertex", 0, 2, 1},
        {"4 f plus plus plus minus", "right", "face", 2, 2, 1},
        {"5 e", "front", "edge", 2, 2, 1},
        {"6 minus", "back", "edge", 2, 1, 1},
        {"7 KP_Add", "bottom", "edge", 2, 2, 1},
        {"8 v KP_Subtract KP_Subtract", "free", "vertex", 2, 2, 0},
        {"1 f", "main-perspective", "face", 2, 2, 0},
    };
    const auto dir =
        workFolder({20, 440, 30, 20, {255, 255, 255}, {}},
                   {{"Camera *CAMERA_NAME*", "Selected *SEL_FACES*/*SEL_EDGES*/*SEL_VERTICES*"}});
    PreviewSession window;
    ASSERT_TRUE(window.start("scene", dir->path(), {})) << window.error();

    int index = 0;
    for (const SceneStep& step : steps) {
        SCOPED_TRACE(std::string("after the keys ") + step.keys);
        ASSERT_TRUE(window.press(step.keys)) << window.error();
        const std::string name = "scene-step" + std::to_string(++index);
        Picture shown;
        ASSERT_TRUE(window.picture(name, shown)) << window.error();
        expectOffscreenPicture(
            shown, name,
            {"--workdir", dir->path(), "--camera", step.camera, "--selection-mode", step.mode,
             "--faces", std::to_string(step.faces), "--edges", std::to_string(step.edges),
             "--vertices", std::to_string(step.vertices), "--cmd", "switch"});
    }
    EXPECT_EQ(window.close(), 0) << window.log();
    for (const char* said : {"0 edges selected", "1 edge selected", "1 vertex selected"})
        EXPECT_NE(window.log().find(std::string("hudhost: ") + said), std::string::npos) << said;
}

const Layout kBefore{20, 440, 30, 18, {255, 220, 0}, {}};
const Page kBeforePage = {"Before the edit", "second row"};
const Layout kAfter{200, 300, 25, 18, {0, 255, 255}, {}};
const Page kAfterPage = {"After the edit", "BLANK", "third row"};

struct SaveCase {
    const char* name;
    void (*save)(const std::string& path, const std::string& ini);
    bool found;             // whether the HUD then finds a file: kAfter's
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
    const auto dir = workFolder(kBefore, {kBeforePage});
    PreviewSession window;
    ASSERT_TRUE(window.start(name, dir->path(), {})) << window.error();
    Picture scene;
    ASSERT_TRUE(window.picture("scene", scene)) << window.error();
    ASSERT_TRUE(window.press("s")) << window.error();
    Picture before;
    ASSERT_TRUE(window.picture("before", before)) << window.error();
    {
        SCOPED_TRACE("before the edit");
        e2e::expectRowsInTheirBands(before, scene, layoutOf(kBefore, kBeforePage));
    }

    c.save(dir->iniPath(), iniText(kAfter, {kAfterPage}));
    Picture after;
    ASSERT_TRUE(window.picture("after", after)) << window.error();
    if (!c.found) {
        EXPECT_TRUE(after == scene) << "the HUD still draws with its file gone";
    } else {
        SCOPED_TRACE("after the edit");
        e2e::expectRowsInTheirBands(after, scene, layoutOf(kAfter, kAfterPage));
    }

    saveInPlace(dir->iniPath(), iniText(kBefore, {kBeforePage}));
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
                      SaveCase{"Deleted", deleteFile, false},
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

struct BackgroundCase {
    const char* name;
    std::vector<std::string> args;
    e2e::Rgb background;
};

// A first layout with no CONFIG section draws in the HUD's default colour, which must read on the
// default background; --background gives another, in the window as offscreen.
TEST(PreviewWindow, DefaultTextReadsOnTheBackground) {
    const BackgroundCase cases[] = {{"default", {}, {0x8a, 0x90, 0x9a}},
                                    {"asked", {"--background", "2A2b33"}, {0x2a, 0x2b, 0x33}}};
    const WorkFolder dir("[SECTION1]\nROWDATA1=Default colour text\n", WorkFolder::kStayOutside);
    for (const BackgroundCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = std::string("background-") + c.name;
        PreviewSession window;
        ASSERT_TRUE(window.start(name, dir.path(), c.args)) << window.error();
        ASSERT_TRUE(window.press("s")) << window.error();
        Picture shown;
        ASSERT_TRUE(window.picture("shown", shown)) << window.error();
        EXPECT_EQ(window.close(), 0) << window.log();
        EXPECT_TRUE(e2e::near(e2e::colourAt(shown, 0, 0), c.background, 0));

        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--workdir", dir.path(), "--cmd", "switch"});
        expectOffscreenPicture(shown, name, args);
    }

    // The row's pixels against what is behind them: the most frequent colour of each.
    Picture hud;
    Picture scene;
    ASSERT_EQ(
        e2e::render("background-hud", {"--workdir", dir.path(), "--cmd", "switch"}, hud).status, 0);
    ASSERT_EQ(e2e::render("background-scene", {"--no-plugin"}, scene).status, 0);
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

// The HUD's 640 x 480 space is stretched over the window whatever its size: after a resize the
// window shows what the offscreen host draws at that size, rows one and a half times as far apart.
TEST(PreviewWindow, StretchesTheLayoutSpaceOverTheResizedWindow) {
    const auto dir = workFolder(kPaging, kThreePages);
    PreviewSession window;
    ASSERT_TRUE(window.start("resize", dir->path(), {"--cmd", "switch"})) << window.error();
    ASSERT_TRUE(window.resize(960, 720)) << window.error();
    Picture shown;
    ASSERT_TRUE(window.picture("shown", shown)) << window.error();
    ASSERT_EQ(shown.width, 960);
    ASSERT_EQ(shown.height, 720);

    expectOffscreenPicture(shown, "resize",
                           {"--workdir", dir->path(), "--size", "960x720", "--cmd", "switch"});
    Picture scene;
    ASSERT_EQ(e2e::render("resize-scene", {"--no-plugin", "--size", "960x720"}, scene).status, 0);
    e2e::expectRowsInTheirBands(shown, scene, layoutOf(kPaging, kThreePages[0]).scaled(3, 2));
    EXPECT_EQ(window.close(), 0) << window.log();
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

// An idle window redraws for the clock over the scene it kept from its last render: after such a
// redraw it shows what the offscreen host renders whole, and after a camera key the new camera.
TEST(PreviewWindow, RedrawsItsKeptSceneWhenIdle) {
    const auto dir = workFolder(kPaging, kThreePages);
    PreviewSession window;
    ASSERT_TRUE(window.start("idle", dir->path(), {"--cmd", "switch"})) << window.error();
    // 1 keeps the camera the window started with, and with it the kept scene; 2 changes both.
    for (const auto& [key, camera] : {std::pair{"1", "main-perspective"}, std::pair{"2", "top"}}) {
        SCOPED_TRACE(camera);
        ASSERT_TRUE(window.press(key)) << window.error();
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // past the clock's redraw
        Picture shown;
        ASSERT_TRUE(window.picture(std::string("idle-") + camera, shown)) << window.error();
        expectOffscreenPicture(shown, std::string("idle-") + camera,
                               {"--workdir", dir->path(), "--camera", camera, "--cmd", "switch"});
    }
    EXPECT_EQ(window.close(), 0) << window.log();
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;
    std::string environment;
    int status;
    const char* says;  // the start of the one line on stderr
};

class WindowRefused : public ::testing::TestWithParam<RefusalCase> {};

// --window with no display ends at once with one line; its refusals of an offscreen run's options
// are read in-process (tests/unit).
TEST_P(WindowRefused, WithOneLine) {
    const RefusalCase& c = GetParam();
    std::vector<std::string> args = {"--window", "--workdir", EXAMPLES_DIR};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const e2e::HostRun run = e2e::runHost(std::string("refused-") + c.name, args, c.environment);
    EXPECT_EQ(run.status, c.status);
    ASSERT_EQ(run.err.size(), 1u);
    EXPECT_EQ(run.err[0].rfind(c.says, 0), 0u) << run.err[0];
}

INSTANTIATE_TEST_SUITE_P(
    PreviewWindow, WindowRefused,
    ::testing::Values(RefusalCase{
        "WithoutDisplay", {}, "DISPLAY=", 1, "hudhost: cannot open a window: "}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace preview

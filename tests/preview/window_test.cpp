// The live preview, end to end on an X display: keys pressed as a user presses them run the HUD's
// commands and change the scene, the window shows what the offscreen host draws for the same
// state at the window's size, and an INI file saved on disk shows on the next frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

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
        Picture expected;
        const auto run = e2e::render(
            name + "-offscreen",
            {"--workdir", dir->path(), "--camera", step.camera, "--selection-mode", step.mode,
             "--faces", std::to_string(step.faces), "--edges", std::to_string(step.edges),
             "--vertices", std::to_string(step.vertices), "--cmd", "switch"},
            expected);
        ASSERT_EQ(run.status, 0);
        EXPECT_TRUE(shown == expected) << "the window differs from the offscreen picture";
    }
    EXPECT_EQ(window.close(), 0) << window.log();
}

const Layout kBefore{20, 440, 30, 18, {255, 220, 0}, {}};
const Page kBeforePage = {"Before the edit", "second row"};
const Layout kAfter{200, 300, 25, 18, {0, 255, 255}, {}};
const Page kAfterPage = {"After the edit", "BLANK", "third row"};

struct SaveCase {
    const char* name;
    void (*save)(const std::string& path, const std::string& ini);
    bool found;  // whether the HUD then finds a file: kAfter's
};

void saveByRename(const std::string& path, const std::string& ini) {
    std::ofstream(path + ".new") << ini;
    fs::rename(path + ".new", path);
}

void saveInPlace(const std::string& path, const std::string& ini) {
    std::ofstream(path, std::ios::trunc) << ini;
}

void deleteFile(const std::string& path, const std::string&) { fs::remove(path); }

class AutoReload : public ::testing::TestWithParam<SaveCase> {};

// No key is pressed between the save and the picture: the window reloads by itself.
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
    EXPECT_EQ(window.close(), 0) << window.log();
}

INSTANTIATE_TEST_SUITE_P(PreviewWindow, AutoReload,
                         ::testing::Values(SaveCase{"SavedByRename", saveByRename, true},
                                           SaveCase{"SavedInPlace", saveInPlace, true},
                                           SaveCase{"Deleted", deleteFile, false}),
                         [](const ::testing::TestParamInfo<SaveCase>& info) {
                             return std::string(info.param.name);
                         });

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

    Picture expected;
    ASSERT_EQ(
        e2e::render("resize-offscreen",
                    {"--workdir", dir->path(), "--size", "960x720", "--cmd", "switch"}, expected)
            .status,
        0);
    EXPECT_TRUE(shown == expected) << "the window differs from the offscreen picture";
    Picture scene;
    ASSERT_EQ(e2e::render("resize-scene", {"--no-plugin", "--size", "960x720"}, scene).status, 0);
    e2e::expectRowsInTheirBands(shown, scene, layoutOf(kPaging, kThreePages[0]).scaled(3, 2));
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

// --window with an offscreen run's options, or with no display, ends at once with one line.
TEST_P(WindowRefused, WithOneLine) {
    const RefusalCase& c = GetParam();
    std::vector<std::string> args = {"--window", "--workdir", EXAMPLES_DIR};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const e2e::HostRun run = e2e::runHost(std::string("refused-") + c.name, args, c.environment);
    EXPECT_EQ(run.status, c.status);
    ASSERT_EQ(run.err.size(), 1u);
    EXPECT_EQ(run.err[0].rfind(c.says, 0), 0u) << run.err[0];
}

const char* const kOffscreenOnly = "hudhost: --window shows the plug-in live;";

INSTANTIATE_TEST_SUITE_P(
    PreviewWindow, WindowRefused,
    ::testing::Values(RefusalCase{"WithSoak", {"--soak"}, "", 2, kOffscreenOnly},
                      RefusalCase{"WithBench", {"--bench"}, "", 2, kOffscreenOnly},
                      RefusalCase{"WithGlState", {"--gl-state"}, "", 2, kOffscreenOnly},
                      RefusalCase{"WithoutPlugin", {"--no-plugin"}, "", 2, kOffscreenOnly},
                      RefusalCase{
                          "WithoutDisplay", {}, "DISPLAY=", 1, "hudhost: cannot open a window: "}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace preview

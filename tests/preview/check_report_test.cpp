// The preview checks the layout on every reload, as hudhost --check does, and again at each new
// window size: the findings on stderr, their counts in the window title.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "host_run.h"
#include "preview_session.h"

namespace preview {
namespace {

namespace fs = std::filesystem;

// Waits, within a few seconds, for the title to hold `part`; the title as it then stands.
std::string titleWith(const PreviewSession& window, const std::string& part) {
    std::string title;
    for (int tries = 0; tries < 100 && title.find(part) == std::string::npos; ++tries) {
        title = window.title();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return title;
}

TEST(PreviewWindow, ChecksTheLayoutOnEveryReload) {
    const fs::path dir = fs::absolute(e2e::outputDir()) / "work-check";
    const fs::path ini = dir / "Plugins/Startup Plugins/VantorHUD.ini";
    fs::remove_all(dir);
    fs::create_directories(ini.parent_path());
    std::ofstream(ini) << "[CONFIG]\nHUD_POSX=40\n[SECTION1]\nROWDATA1=text\n";

    PreviewSession window;
    ASSERT_TRUE(window.start("check", dir.string(), {})) << window.error();
    EXPECT_NE(titleWith(window, "layout: 0 errors, 1 warning").find("layout: 0 errors, 1 warning"),
              std::string::npos);
    EXPECT_NE(window.log().find("VantorHUD.ini:2:1: warning: HUD_POSX is not a setting"),
              std::string::npos)
        << window.log();

    // Saved without a page: the reload that follows reports it.
    std::ofstream(ini, std::ios::trunc) << "[CONFIG]\nHUD_POS_X=40\n";
    e2e::Picture after;
    ASSERT_TRUE(window.picture("after", after)) << window.error();
    EXPECT_NE(titleWith(window, "layout: 1 error, 0 warnings").find("1 error, 0 warnings"),
              std::string::npos);
    EXPECT_NE(window.log().find("VantorHUD.ini: error: the HUD shows no page at all"),
              std::string::npos)
        << window.log();
    EXPECT_EQ(window.close(), 0) << window.log();
}

// A row too long for the room of a small window fits once the window is wider; the findings are
// printed again only when they change.
TEST(PreviewWindow, ChecksTheLayoutAtTheWindowsSize) {
    const fs::path dir = fs::absolute(e2e::outputDir()) / "work-check-size";
    const fs::path ini = dir / "Plugins/Startup Plugins/VantorHUD.ini";
    fs::remove_all(dir);
    fs::create_directories(ini.parent_path());
    std::ofstream(ini) << "[CONFIG]\nHUD_POS_X=500\nFONT_SIZE=\n[SECTION1]\nROWDATA1=a short row\n";

    PreviewSession window;
    ASSERT_TRUE(window.start("check-size", dir.string(), {"--size", "320x240"})) << window.error();
    const std::string cut = "layout: 0 errors, 1 warning, 1 note";
    EXPECT_NE(titleWith(window, cut).find(cut), std::string::npos);
    const std::string summary = "1 note; the HUD shows 1 page of 1 row in a ";
    ASSERT_TRUE(window.resize(960, 480)) << window.error();
    // Each size taken before the next, as a slow drag gives them: a busy window may otherwise
    // see only the last.
    for (int tries = 0;
         tries < 100 && window.log().find(summary + "960 x 480 viewport") == std::string::npos;
         ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(window.resize(1000, 480)) << window.error();
    e2e::Picture shown;  // saved after the window has taken its last size
    ASSERT_TRUE(window.picture("wide", shown)) << window.error();
    const std::string whole = "layout: 0 errors, 0 warnings, 1 note";
    EXPECT_NE(titleWith(window, whole).find(whole), std::string::npos);
    const std::string log = window.log();
    EXPECT_NE(log.find(summary + "960 x 480 viewport"), std::string::npos) << log;
    EXPECT_EQ(log.find(summary + "1000 x 480 viewport"), std::string::npos) << log;
    EXPECT_EQ(window.close(), 0) << window.log();
}

}  // namespace
}  // namespace preview

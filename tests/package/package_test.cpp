// The release zip, unpacked as a user unpacks it into the modeller's folder: the Windows stand-in
// host, working in that folder and loading the plug-in from it, draws each page of the example
// INI in its row bands and in its colour.
#include <gtest/gtest.h>

#include "bands.h"
#include "host_run.h"

namespace {

struct PageCase {
    const char* name;
    std::vector<std::string> commands;
    int page;  // the SECTION shown
};

class UnpackedZip : public ::testing::TestWithParam<PageCase> {};

TEST_P(UnpackedZip, RendersTheExamplePages) {
    const PageCase& c = GetParam();
    const std::vector<std::string> view = {"--camera", "top",     "--selection-mode",
                                           "edge",     "--edges", "12"};
    std::vector<std::string> sceneArgs = {"--no-plugin"};
    sceneArgs.insert(sceneArgs.end(), view.begin(), view.end());
    e2e::Picture scene;
    ASSERT_EQ(e2e::render(std::string("scene-") + c.name, sceneArgs, scene).status, 0);

    std::vector<std::string> args = {"--workdir", UNPACKED_DIR, "--plugin",
                                     UNPACKED_DIR "/Plugins/Startup Plugins/VantorHUD.dll"};
    args.insert(args.end(), view.begin(), view.end());
    for (const std::string& command : c.commands) args.insert(args.end(), {"--cmd", command});
    e2e::Picture hud;
    const e2e::HostRun run = e2e::render(c.name, args, hud);
    ASSERT_EQ(run.status, 0) << (run.err.empty() ? "" : run.err.front());

    // The zip carries the example INI file.
    e2e::expectRowsInTheirBands(hud, scene, e2e::exampleLayout(c.page));
}

INSTANTIATE_TEST_SUITE_P(Package, UnpackedZip,
                         ::testing::Values(PageCase{"FirstPage", {"switch"}, 1},
                                           PageCase{"SecondPage", {"switch", "next"}, 2},
                                           PageCase{"LastPage", {"switch", "prev"}, 3}),
                         [](const ::testing::TestParamInfo<PageCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace

// The release zip, unpacked as a user unpacks it into the modeller's folder: the Windows stand-in
// host, working in that folder and loading the plug-in from it, draws each page of the example
// INI in its row bands and in its colour.
#include <gtest/gtest.h>

#include "bands.h"

namespace {

struct PageCase {
    const char* name;
    std::vector<std::string> commands;
    int page;  // the SECTION shown
};

class UnpackedZip : public ::testing::TestWithParam<PageCase> {};

TEST_P(UnpackedZip, RendersTheExamplePages) {
    const PageCase& c = GetParam();
    std::vector<std::string> args = {"--workdir", UNPACKED_DIR, "--plugin",
                                     UNPACKED_DIR "/Plugins/Startup Plugins/VantorHUD.dll"};
    for (const std::string& command : c.commands) args.insert(args.end(), {"--cmd", command});
    e2e::expectExamplePage(c.name, args, c.page);  // the zip carries the example INI file
}

INSTANTIATE_TEST_SUITE_P(Package, UnpackedZip,
                         ::testing::Values(PageCase{"FirstPage", {"switch"}, 1},
                                           PageCase{"SecondPage", {"switch", "next"}, 2},
                                           PageCase{"LastPage", {"switch", "prev"}, 3}),
                         [](const ::testing::TestParamInfo<PageCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace

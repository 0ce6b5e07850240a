// hudhost's command line: the catalogue it lists, and how it refuses what it cannot do.
#include <gtest/gtest.h>

#include <algorithm>

#include "host_run.h"

namespace e2e {
namespace {

TEST(Catalogue, ListsTheFiveFunctionsWithTheirKindsThroughTheRecord) {
    const HostRun run = runHost("list", {"--list"});
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> expected = {
        "plug-in version 4",
        "function 0: kind 2, \"Vantor HUD Drawing Fn\"",
        "function 1: kind 0, \"Vantor HUD Switch\"",
        "function 2: kind 0, \"Vantor HUD Next Page\"",
        "function 3: kind 0, \"Vantor HUD Prev Page\"",
        "function 4: kind 0, \"Vantor HUD Reload INI\"",
    };
    EXPECT_EQ(run.out, expected);
    EXPECT_TRUE(run.err.empty());
}

// The rates are the user's to read; what is checked is that each effect got its run.
TEST(Bench, ReportsARateForEachTextEffect) {
    const HostRun run = runHost("bench", {"--workdir", EXAMPLES_DIR, "--cmd", "switch", "--bench",
                                          "--frames", "2", "--size", "160x120"});
    ASSERT_EQ(run.status, 0);
    for (const char* effect :
         {"TEXT_EFFECT=0 none", "TEXT_EFFECT=1 shadow", "TEXT_EFFECT=2 outline"}) {
        const std::string prefix = std::string("bench: ") + effect + " ";
        EXPECT_EQ(std::count_if(run.out.begin(), run.out.end(),
                                [&](const std::string& line) {
                                    return line.rfind(prefix, 0) == 0 &&
                                           line.find(" fps ") != std::string::npos;
                                }),
                  1)
            << effect;
    }
}

// Help answers whatever else is asked, also straight after --check, whose file it is not.
TEST(Help, AfterAModeIsTheHelp) {
    const HostRun run = runHost("help-after-check", {"--check", "-h"});
    ASSERT_EQ(run.status, 0);
    ASSERT_FALSE(run.out.empty());
    EXPECT_EQ(run.out[0].rfind("usage: hudhost", 0), 0u) << run.out[0];
}

constexpr int kFailed = 1;
constexpr int kBadOptions = 2;

struct Refusal {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* environment = "";  // set for this run only
};

class Refused : public ::testing::TestWithParam<Refusal> {};

// One line on stderr, nothing on stdout, and the exit status that names the kind of failure: a
// crash gives neither.
TEST_P(Refused, WithOneLineAndItsExitStatus) {
    const Refusal& c = GetParam();
    if (c.environment[0] != '\0' && withEnvironment(c.environment).empty()) {
        GTEST_SKIP() << "no way to set " << c.environment << " for one run here";
    }
    const HostRun run = runHost(std::string("refused-") + c.name, c.args, c.environment);
    EXPECT_EQ(run.status, c.status);
    ASSERT_EQ(run.err.size(), 1u);
    EXPECT_EQ(run.err[0].rfind("hudhost: ", 0), 0u) << run.err[0];
    EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Hudhost, Refused,
    ::testing::Values(
        Refusal{"UnknownOption", {"--frobnicate"}, kBadOptions},
        Refusal{"MissingValue", {"--frames"}, kBadOptions},
        Refusal{"NoFrames", {"--frames", "0"}, kBadOptions},
        Refusal{"FramesNotANumber", {"--frames", "12x"}, kBadOptions},
        Refusal{"SizeWithoutHeight", {"--size", "640"}, kBadOptions},
        Refusal{"SizeZero", {"--size", "0x480"}, kBadOptions},
        Refusal{"UnknownCamera", {"--camera", "sideways"}, kBadOptions},
        Refusal{"UnknownCommand", {"--cmd", "jump"}, kBadOptions},
        Refusal{"NegativeCount", {"--faces", "-1"}, kBadOptions},
        Refusal{"UnknownSelectionMode", {"--selection-mode", "lasso"}, kBadOptions},
        // Two modes at once, and options the mode has no use for.
        Refusal{"ListWithoutPlugin", {"--no-plugin", "--list"}, kBadOptions},
        Refusal{"CheckWithList", {"--check", "--list"}, kBadOptions},
        Refusal{"ListWithSoak", {"--list", "--soak"}, kBadOptions},
        Refusal{"ListWithWindow", {"--list", "--window"}, kBadOptions},
        Refusal{"SoakWithBench", {"--soak", "--bench"}, kBadOptions},
        Refusal{"CheckWithOut", {"--check", "--out", "x.png"}, kBadOptions},
        Refusal{"CheckWithFrames", {"--check", "--frames", "2"}, kBadOptions},
        Refusal{"ListWithWorkDir", {"--list", "--workdir", "."}, kBadOptions},
        Refusal{"CommandWithoutPlugin", {"--no-plugin", "--cmd", "switch"}, kBadOptions},
        Refusal{"GlStateWithoutPlugin", {"--no-plugin", "--gl-state"}, kBadOptions},
        Refusal{"HudFramesWithSoak", {"--soak", "--hud-frames", "1"}, kBadOptions},
        Refusal{"MissingPlugin", {"--plugin", "no-such-plugin-file"}, kFailed},
        Refusal{"PluginWithoutExports", {"--plugin", NOT_A_PLUGIN, "--list"}, kFailed},
        Refusal{"OtherInterfaceVersion", {"--plugin", WRONG_VERSION_PLUGIN, "--list"}, kFailed},
        Refusal{"PluginFillingNoEntries", {"--plugin", SILENT_PLUGIN, "--list"}, kFailed},
        Refusal{"MissingWorkDir", {"--workdir", "no-such-folder"}, kFailed},
        Refusal{"UnwritablePicture", {"--out", "no-such-folder/x.png"}, kFailed},
        // libglvnd with no vendor library finds no EGL display.
        Refusal{"NoGl", {}, kFailed, "__EGL_VENDOR_LIBRARY_FILENAMES=no-such-vendor.json"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

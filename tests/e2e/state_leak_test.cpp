// What the HUD's drawing pass leaves changed in the host's GL state, and that a host which sets
// its own state each frame never sees it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "host_run.h"

namespace e2e {
namespace {

// All the HUD may leave changed after a visible pass: it ends with depth testing enabled, the
// current colour at the HUD colour, the raster position where the last line ended and the
// projection matrix selected.
const std::set<std::string> kAllowedChanges = {"depth test", "current colour", "raster position",
                                               "matrix mode"};

// The names after "the HUD changed: " in hudhost's --gl-state report.
std::set<std::string> changesReported(const HostRun& run) {
    const std::string prefix = "the HUD changed: ";
    for (const std::string& line : run.out) {
        if (line.rfind(prefix, 0) != 0) continue;
        std::set<std::string> names;
        const std::string list = line.substr(prefix.size());
        if (list == "nothing") return names;
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t comma = std::min(list.find(", ", start), list.size());
            names.insert(list.substr(start, comma - start));
            start = comma + 2;
        }
        return names;
    }
    ADD_FAILURE() << "no GL state report";
    return {};
}

TEST(StateLeak, TheFrameAfterTheHudEqualsOneThatNeverHadIt) {
    // Frame 1 draws the example's first page; frame 2 is the scene alone.
    Picture after;
    const HostRun run = render("leak-after-hud",
                               {"--workdir", EXAMPLES_DIR, "--cmd", "switch", "--frames", "2",
                                "--hud-frames", "1", "--gl-state"},
                               after);
    ASSERT_EQ(run.status, 0);
    Picture never;
    ASSERT_EQ(render("leak-never-loaded", {"--no-plugin", "--frames", "2"}, never).status, 0);
    EXPECT_TRUE(after == never);

    // The pass in frame 1 did leave state changed, so the host's own setup is what was tested.
    const std::set<std::string> changed = changesReported(run);
    for (const char* name : {"current colour", "raster position", "matrix mode"}) {
        EXPECT_EQ(changed.count(name), 1u) << name;
    }
}

struct StateCase {
    const char* name;
    std::vector<std::string> args;
    std::set<std::string> expected;  // what the calls leave changed
};

class GlStateLeftChanged : public ::testing::TestWithParam<StateCase> {};

TEST_P(GlStateLeftChanged, IsOnlyWhatTheHudMayLeave) {
    const StateCase& c = GetParam();
    std::vector<std::string> args = {"--gl-state", "--frames", "3"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    Picture picture;
    const HostRun run = render(std::string("state-") + c.name, args, picture);
    ASSERT_EQ(run.status, 0);
    const std::set<std::string> changed = changesReported(run);
    for (const std::string& name : changed) {
        EXPECT_EQ(kAllowedChanges.count(name), 1u) << "the HUD left " << name << " changed";
    }
    EXPECT_EQ(changed, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hudhost, GlStateLeftChanged,
    ::testing::Values(StateCase{"Visible",
                                {"--workdir", EXAMPLES_DIR, "--cmd", "switch"},
                                {"current colour", "raster position", "matrix mode"}},
                      StateCase{"VisibleAfterAFlagOneCall",
                                {"--workdir", EXAMPLES_DIR, "--cmd", "switch", "--draw-flag", "1",
                                 "--draw-flag", "0"},
                                {"current colour", "raster position", "matrix mode"}},
                      // No INI file, no rows: the raster position stays where it was.
                      StateCase{"VisibleWithoutPages",
                                {"--workdir", E2E_DATA_DIR, "--cmd", "switch"},
                                {"current colour", "matrix mode"}},
                      StateCase{"VisibleHeldToACorner",
                                {"--workdir", E2E_DATA_DIR "/held-to-a-corner", "--cmd", "switch"},
                                {"current colour", "raster position", "matrix mode"}},
                      StateCase{"Hidden", {"--workdir", EXAMPLES_DIR}, {}},
                      StateCase{"FlagOneOnly",
                                {"--workdir", EXAMPLES_DIR, "--cmd", "switch", "--draw-flag", "1"},
                                {}}),
    [](const ::testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

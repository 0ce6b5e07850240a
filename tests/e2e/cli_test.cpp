// hudhost run as a program: the catalogue it lists, its version, how it refuses what it cannot do
// and the lines it adds on stderr when a run shows less than was asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "host_run.h"
#include "work_folder.h"

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

// The rates are the user's to read; what is checked is that each effect got its run, with the
// glyph lists and with the row cache, and that no picture was written, none being asked for.
TEST(Bench, ReportsARateForEachTextEffectAndRowCache) {
    std::filesystem::remove("hudhost.png");
    const HostRun run = runHost("bench", {"--workdir", EXAMPLES_DIR, "--cmd", "switch", "--bench",
                                          "--frames", "2", "--size", "160x120"});
    ASSERT_EQ(run.status, 0);
    EXPECT_FALSE(std::filesystem::exists("hudhost.png"));
    for (const char* cache : {" ", ", ROW_CACHE=1 "}) {
        for (const char* effect :
             {"TEXT_EFFECT=0 none", "TEXT_EFFECT=1 shadow", "TEXT_EFFECT=2 outline"}) {
            const std::string prefix = std::string("bench: ") + effect + cache;
            EXPECT_EQ(std::count_if(run.out.begin(), run.out.end(),
                                    [&](const std::string& line) {
                                        return line.rfind(prefix, 0) == 0 &&
                                               line.find(" fps ") != std::string::npos;
                                    }),
                      1)
                << prefix;
        }
    }
}

struct LongRun {
    const char* name;
    const char* args;     // after the example's folder and --cmd switch
    std::string last;     // the line the terminal shows last, up to its rate
    std::string watched;  // what its end says the run watches
    std::string verdict;  // the run's first line of its own
};

class OnATerminal : public ::testing::TestWithParam<LongRun> {};

// Run in a terminal (a pseudo-terminal, as script gives it), a long run keeps one line up to date
// in place, and blanks it before its own lines. Through a pipe it says no more than before: the
// other tests read those runs' output line by line.
TEST_P(OnATerminal, KeepsOneLineUpToDate) {
    const LongRun& c = GetParam();
    if (platformName() != std::string("linux")) GTEST_SKIP() << "no pseudo-terminal here";
    std::string command;
    for (const std::string& word : hostCommand()) command += "'" + word + "' ";
    command += std::string("--workdir '") + EXAMPLES_DIR + "' --cmd switch --size 64x48 " + c.args;
    const std::string out = outputDir() + "/terminal-" + c.name + ".typescript";
    ASSERT_EQ(std::system(("script -qec \"" + command + "\" /dev/null >" + out).c_str()), 0);
    std::ifstream in(out, std::ios::binary);
    const std::string shown((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t last = shown.rfind("\r" + c.last);
    ASSERT_NE(last, std::string::npos) << shown;
    const std::size_t end = shown.find('\r', last + 1);
    const std::string line = shown.substr(last + 1, end - last - 1);
    EXPECT_NE(line.find("fps"), std::string::npos) << line;
    const std::string text = line.substr(0, line.find_last_not_of(' ') + 1);
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), c.watched.size())), c.watched);
    // Then blanks over it, and the run's own lines from the line's start.
    EXPECT_EQ(shown.substr(end, line.size() + 2 + c.verdict.size()),
              "\r" + std::string(line.size(), ' ') + "\r" + c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Hudhost, OnATerminal,
    ::testing::Values(LongRun{"Soak", "--soak --frames 300 --out e2e-output/terminal.png",
                              "soak: frame 300 of 300, ", " MiB",
                              "soak: 300 frames, 0 reloads, 3 page turns"},
                      LongRun{"Bench", "--bench --frames 5", "bench: frame 200 of 200, ",
                              "left; HUD off", "bench: 64x48, 5 frames each"}),
    [](const ::testing::TestParamInfo<LongRun>& info) { return std::string(info.param.name); });

// The version the packages carry, as command-line tools print theirs.
TEST(Version, IsThePackagesVersion) {
    const HostRun run = runHost("version", {"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::vector<std::string>{"hudhost " VANTOR_VERSION});
    EXPECT_TRUE(run.err.empty());
}

constexpr int kFailed = 1;
constexpr int kBadOptions = 2;
constexpr int kBadFile = 2;  // --check's

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
        // How each command line is read is tested in-process (tests/unit); this one is how the
        // program answers a refusal.
        Refusal{"UnknownOption", {"--frobnicate"}, kBadOptions},
        Refusal{"MissingPlugin", {"--plugin", "no-such-plugin-file"}, kFailed},
        Refusal{"PluginWithoutExports", {"--plugin", NOT_A_PLUGIN, "--list"}, kFailed},
        Refusal{"OtherInterfaceVersion", {"--plugin", WRONG_VERSION_PLUGIN, "--list"}, kFailed},
        Refusal{"PluginFillingNoEntries", {"--plugin", SILENT_PLUGIN, "--list"}, kFailed},
        Refusal{"MissingWorkDir", {"--workdir", "no-such-folder"}, kFailed},
        // The layout it was asked to check cannot be read.
        Refusal{"CheckInMissingWorkDir", {"--check", "--workdir", "no-such-folder"}, kBadFile},
        Refusal{"UnwritablePicture", {"--out", "no-such-folder/x.png"}, kFailed},
        // libglvnd with no vendor library finds no EGL display.
        Refusal{"NoGl", {}, kFailed, "__EGL_VENDOR_LIBRARY_FILENAMES=no-such-vendor.json"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

struct Said {
    const char* name;
    const char* ini;   // the layout in a fresh folder; null for none
    const char* args;  // separated by blanks
    std::string says;  // the line on stderr after "hudhost: ", DIR for the folder; empty for none
    int status = 0;
    const char* corpusCase = nullptr;  // a folder of the check corpus instead, read as Linux reads
    const char* environment = "";      // set for this run only
};

class SaidOnStderr : public ::testing::TestWithParam<Said> {};

// A run whose picture or timed frames show no HUD, or not a count it was given, says why in one
// line, and keeps its status.
TEST_P(SaidOnStderr, InOneLineWithItsCause) {
    const Said& c = GetParam();
    if (c.environment[0] != '\0' && withEnvironment(c.environment).empty()) {
        GTEST_SKIP() << "no way to set " << c.environment << " for one run here";
    }
    const vantor::test::WorkFolder fresh(vantor::test::WorkFolder::kStayOutside);
    if (c.ini != nullptr) fresh.writeIni(c.ini);
    const std::string dir =
        c.corpusCase ? std::string(E2E_DATA_DIR) + "/check/" + c.corpusCase : fresh.path();
    const std::string name = std::string("said-") + c.name;
    std::vector<std::string> args = {"--workdir", dir, "--out", outputDir() + "/" + name + ".png"};
    std::istringstream words(c.args);
    args.insert(args.end(), std::istream_iterator<std::string>(words), {});
    HostRun run = runHost(name, args, c.environment);
    EXPECT_EQ(run.status, c.status);
    for (std::string& line : run.err) {
        if (line.find(dir) != std::string::npos) line.replace(line.find(dir), dir.size(), "DIR");
    }
    const bool silent =
        c.says.empty() || (c.corpusCase && platformName() == std::string("windows"));
    EXPECT_EQ(run.err,
              silent ? std::vector<std::string>{} : std::vector<std::string>{"hudhost: " + c.says});
}

const char* kPage = "[SECTION1]\nROWDATA1=text\n";
const char* kStartsShown = "[CONFIG]\nSTART_VISIBLE=1\n[SECTION1]\nROWDATA1=text\n";
const char* kBlankThenText = "[SECTION1]\nROWDATA1=BLANK\n[SECTION2]\nROWDATA1=text\n";
const std::string kNoHud = "the picture shows no HUD: ";
// The layout's folders as hudhost names them: as the system writes its paths.
const std::string kSeparator = std::string(platformName()) == "windows" ? "\\" : "/";
const std::string kOwnFolder = "Plugins" + kSeparator + "Startup Plugins";
const std::string kHidden =
    "the HUD starts hidden, and no --cmd switch showed it; add --cmd switch";
const std::string kBlank = "page 1 holds only BLANK rows; give it text or show another page";

INSTANTIATE_TEST_SUITE_P(
    Hudhost, SaidOnStderr,
    ::testing::Values(
        Said{"Shown", kPage, "--cmd switch", ""},
        Said{"NoFile", nullptr, "--cmd switch",
             kNoHud + "there is no " + kOwnFolder + kSeparator +
                 "VantorHUD.ini in DIR; put the layout there, or give --workdir the folder that "
                 "holds " +
                 kOwnFolder},
        Said{"FolderInOtherLetterCase", nullptr, "--cmd switch",
             kNoHud + "there is no Plugins/Startup Plugins/VantorHUD.ini in DIR: plugins/startup "
                      "plugins differs in letter case, which Linux file names do not ignore (the "
                      "Windows host does); rename it to Plugins/Startup Plugins",
             0, "folder_in_other_letter_case"},
        Said{"NeverSwitched", kPage, "", kNoHud + kHidden},
        Said{"SwitchedTwice", kPage, "--cmd switch --cmd switch",
             kNoHud + "the HUD starts hidden, and 2 --cmd switch leave it so; give an odd number"},
        Said{"StartVisible", kStartsShown, "", ""},
        Said{"StartVisibleSwitched", kStartsShown, "--cmd switch",
             kNoHud + "the HUD starts shown (START_VISIBLE=1), and 1 --cmd switch hide it; give "
                      "an even number"},
        Said{"HudFramesBeforeTheLast", kPage, "--cmd switch --frames 2 --hud-frames 1",
             kNoHud + "--hud-frames 1 leaves the HUD out of frame 2, the one pictured; raise it to "
                      "2 or leave it out"},
        Said{"NoFlagZero", kPage, "--cmd switch --draw-flag 1",
             kNoHud + "the HUD draws only in calls with flag 0, and --draw-flag gives none; add "
                      "--draw-flag 0"},
        Said{"NoPage", "[CONFIG]\nFONT_SIZE=20\n", "--cmd switch",
             kNoHud + "the HUD reads no page from its file; hudhost --check tells why"},
        Said{"OnlyBlankRows", kBlankThenText, "--cmd switch", kNoHud + kBlank},
        Said{"NextToText", kBlankThenText, "--cmd switch --cmd next", ""},
        Said{"SoakTurnsToBlankRows", kBlankThenText,
             "--cmd switch --cmd next --soak --frames 100 --size 64x48", kNoHud + kBlank},
        Said{"BenchOfAHiddenHud", kPage, "--bench --frames 1 --size 64x48",
             "the frames timed with the HUD show none: " + kHidden},
        // Counts the selection mode shows as 0.
        Said{"EdgesInFaceMode", kPage, "--cmd switch --edges 5",
             "in face selection mode the HUD shows the --faces count only: --edges 5 shows as 0; "
             "add --selection-mode edge"},
        Said{"TwoCountsInEdgeMode", kPage,
             "--cmd switch --selection-mode edge --faces 2 --edges 1 --vertices 3",
             "in edge selection mode the HUD shows the --edges count only: --faces 2 and "
             "--vertices 3 show as 0; add --selection-mode face or vertex"},
        Said{"FacesInTheHostsOwnMode", kPage, "--cmd switch --selection-mode 7 --faces 1",
             "in selection mode 7 the HUD shows no count: --faces 1 shows as 0; add "
             "--selection-mode face"},
        Said{"CountsInTheirModes", kPage, "--cmd switch --selection-mode vertex --vertices 4", ""},
        // A bench without its copy of the layout times nothing worth a rate.
        Said{"BenchWithoutItsCopy", kPage, "--cmd switch --bench --frames 1 --size 64x48",
             "the bench cannot write its copy of the layout in /proc: No such file or directory", 1,
             nullptr, "TMPDIR=/proc"}),
    [](const ::testing::TestParamInfo<Said>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

// hudhost's command line read in-process: what a line fills, each refusal word for word, and the
// lines of --help that the mode rows, the option rows, the name tables and the key table write; and
// a mode's run as its row gives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "options.h"
#include "preview/preview_keys.h"
#include "work_folder.h"

namespace {

using hudhost::Camera;
using hudhost::Mode;
using hudhost::Options;

struct Line {
    const char* name;
    const char* args;  // separated by blanks, a word with blanks in 'quotes'
    std::string says;  // the refusal, or a line of the help text the line asks for
    bool (*fills)(const Options&) = nullptr;  // for a line that runs: what it filled
};

class CommandLine : public ::testing::TestWithParam<Line> {};

TEST_P(CommandLine, IsReadAsItsRowsSay) {
    const Line& c = GetParam();
    std::istringstream words(c.args);
    std::vector<std::string> args{"hudhost"};
    for (std::string word; words >> std::quoted(word, '\'');) args.push_back(word);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    Options options;
    std::string error;
    const bool accepted =
        hudhost::parseOptions(static_cast<int>(argv.size()), argv.data(), options, error);
    if (c.fills != nullptr) {
        ASSERT_TRUE(accepted) << error;
        EXPECT_TRUE(c.fills(options));
    } else if (accepted) {
        ASSERT_EQ(options.mode, Mode::Help);
        std::istringstream text(hudhost::usageText() + "\n" + hudhost::previewKeysText());
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.says), lines.end()) << c.says;
    } else {
        EXPECT_EQ(error, c.says);
    }
}

const std::string kPad(25, ' ');

INSTANTIATE_TEST_SUITE_P(
    Hudhost, CommandLine,
    ::testing::Values(
        // Options and values unknown, missing or out of range.
        Line{"UnknownOption", "--frobnicate", "unknown option --frobnicate (see --help)"},
        Line{"MisspeltOption", "--frmaes 2", "unknown option --frmaes (did you mean --frames?)"},
        Line{"OptionInCapitals", "--Camera", "unknown option --Camera (did you mean --camera?)"},
        Line{"MissingValue", "--frames", "--frames needs a value"},
        Line{"NoFrames", "--frames 0",
             "--frames takes a whole number from 1 to 100000000, not '0'"},
        Line{"FramesNotANumber", "--frames 12x",
             "--frames takes a whole number from 1 to 100000000, not '12x'"},
        Line{"SizeWithoutHeight", "--size 640",
             "--size takes WIDTHxHEIGHT, each 1 to 8192, not '640'"},
        Line{"SizeZero", "--size 0x480", "--size takes WIDTHxHEIGHT, each 1 to 8192, not '0x480'"},
        Line{"BackgroundNotHexadecimal", "--background 8a909g",
             "--background takes RRGGBB in hexadecimal, not '8a909g'"},
        Line{"UnknownCamera", "--camera sideways",
             "--camera takes main-perspective, top, left, right, front, back, bottom or free, not "
             "'sideways'"},
        Line{"UnknownCommand", "--cmd jump",
             "--cmd takes switch, next, prev or reload, not 'jump'"},
        Line{"NegativeCount", "--faces -1",
             "--faces takes a whole number from 0 to 2147483647, not '-1'"},
        Line{"UnknownSelectionMode", "--selection-mode lasso",
             "--selection-mode takes face, edge, vertex or a number, not 'lasso'"},
        Line{"PictureNotPng", "--out x.jpg",
             "--out takes a name ending in .png (the picture is a PNG), not 'x.jpg'"},
        // Two modes at once, and options the mode has no use for.
        Line{"ListWithoutPlugin", "--no-plugin --list",
             "--no-plugin and --list are separate runs; give one at most"},
        Line{"CheckWithList", "--check --list",
             "--check and --list are separate runs; give one at most"},
        Line{"ListWithSoak", "--list --soak",
             "--list and --soak are separate runs; give one at most"},
        Line{"ListWithWindow", "--list --window",
             "--list and --window are separate runs; give one at most"},
        Line{"SoakWithBench", "--soak --bench",
             "--soak and --bench are separate runs; give one at most"},
        Line{"WindowWithSoak", "--window --soak",
             "--window and --soak are separate runs; give one at most"},
        Line{"WindowWithBench", "--window --bench",
             "--window and --bench are separate runs; give one at most"},
        Line{"WindowWithoutPlugin", "--window --no-plugin",
             "--window and --no-plugin are separate runs; give one at most"},
        Line{"VersionWithList", "--version --list",
             "--version and --list are separate runs; give one at most"},
        Line{"CheckWithOut", "--check --out x.png",
             "--out does not apply to --check; it is for picture, --no-plugin, --soak, --bench and "
             "--window"},
        Line{"CheckWithFrames", "--check --frames 2",
             "--frames does not apply to --check; it is for picture, --no-plugin, --soak and "
             "--bench"},
        Line{"WindowWithFrames", "--window --frames 3",
             "--frames does not apply to --window; it is for picture, --no-plugin, --soak and "
             "--bench"},
        Line{"ListWithWorkDir", "--list --workdir .",
             "--workdir does not apply to --list; it is for picture, --soak, --bench, --window and "
             "--check"},
        Line{
            "CommandWithoutPlugin", "--no-plugin --cmd switch",
            "--cmd does not apply to --no-plugin; it is for picture, --soak, --bench and --window"},
        Line{"GlStateWithoutPlugin", "--no-plugin --gl-state",
             "--gl-state does not apply to --no-plugin; it is for picture, --soak and --bench"},
        Line{"WindowWithGlState", "--window --gl-state",
             "--gl-state does not apply to --window; it is for picture, --soak and --bench"},
        Line{"HudFramesWithSoak", "--soak --hud-frames 1",
             "--hud-frames does not apply to --soak; it is for picture"},
        // Operands and values after "=".
        Line{"TwoFilesToCheck", "--check a.ini --size 9x9 b.ini",
             "--check takes one FILE, not both a.ini and b.ini"},
        Line{"FileGivenTwice", "--check=a.ini b.ini",
             "--check takes one FILE, not both a.ini and b.ini"},
        Line{"FileForAModeWithout", "--list my.ini", "unknown option my.ini (see --help)"},
        Line{"ValueForAFlag", "--gl-state=yes", "--gl-state takes no value"},
        Line{"MisspeltBeforeEquals", "--frmaes=2",
             "unknown option --frmaes (did you mean --frames?)"},
        Line{"EmptyAfterEquals",
             "--frames=", "--frames takes a whole number from 1 to 100000000, not ''"},
        Line{"ListSplitByTheShell", "--check --ignore repeated-key, star-word",
             "--ignore takes the names that findings end with, not '' (quote a list with blanks in "
             "it)"},
        // What the lines that run fill.
        Line{"CheckOfAFile", "--check x.ini --workdir d", "",
             [](const Options& o) {
                 return o.mode == Mode::Check && o.checkPath == "x.ini" && o.workDir == "d";
             }},
        Line{"CheckOfItsOwnFile", "--check --workdir d", "",
             [](const Options& o) { return o.checkPath.empty() && o.workDir == "d"; }},
        Line{"FileAfterTheOptions", "--check --size 1920x1080 my.ini", "",
             [](const Options& o) { return o.checkPath == "my.ini" && o.width == 1920; }},
        Line{"FileAfterAList", "--check --ignore star-word tok.ini", "",
             [](const Options& o) { return o.checkPath == "tok.ini" && o.ignored.size() == 1; }},
        Line{"FileBeforeTheMode", "my.ini --check", "",
             [](const Options& o) { return o.checkPath == "my.ini"; }},
        Line{"FileLikeAnOption", "--check -- -my.ini", "",
             [](const Options& o) { return o.checkPath == "-my.ini"; }},
        Line{"ValuesAfterEquals", "--check=my.ini --ignore=repeated-key --size=32x16 --workdir=d",
             "",
             [](const Options& o) {
                 return o.checkPath == "my.ini" && o.ignored.size() == 1 && o.width == 32 &&
                        o.workDir == "d";
             }},
        Line{"NamesWithBlanks", "--check --ignore 'repeated-key, star-word'", "",
             [](const Options& o) { return o.ignored.size() == 2; }},
        // A picture by default, but the bench's only when asked for.
        Line{"SoakPicture", "--soak", "",
             [](const Options& o) { return o.outPath == "hudhost.png"; }},
        Line{"BenchWithoutPicture", "--bench", "",
             [](const Options& o) { return o.outPath.empty(); }},
        Line{"BenchWithPicture", "--bench --out=b.png", "",
             [](const Options& o) { return o.outPath == "b.png"; }},
        Line{"CameraSpeltLooselyLastWins", "--no-plugin --camera Main_Perspective --camera Bottom",
             "",
             [](const Options& o) { return o.mode == Mode::Scene && o.camera == Camera::Bottom; }},
        Line{"CommandsInOrder", "--cmd switch --cmd Next", "",
             [](const Options& o) {
                 return o.commands == std::vector{vantor::kSwitchCommand, vantor::kNextPageCommand};
             }},
        Line{"HostsOwnSelectionMode", "--selection-mode 7 --edges 3", "",
             [](const Options& o) {
                 return o.selectionMode == 7 && o.edges == 3u && o.faces == 0u;
             }},
        Line{"DrawFlagsReplaceTheDefault", "--draw-flag 3 --draw-flag 0", "",
             [](const Options& o) {
                 return o.drawFlags == std::vector<std::int32_t>{3, 0};
             }},
        Line{"SizeAndBackground", "--size 320x240 --background FF0001", "",
             [](const Options& o) {
                 return o.width == 320 && o.height == 240 && o.background.red == 255 &&
                        o.background.blue == 1;
             }},
        Line{"PictureNameInCapitals", "--out x.PNG --gl-state", "",
             [](const Options& o) { return o.outPath == "x.PNG" && o.glState; }},
        Line{"Version", "--version", "", [](const Options& o) { return o.mode == Mode::Version; }},
        Line{"HelpDropsTheRest", "--workdir x --help", "",
             [](const Options& o) { return o.mode == Mode::Help && o.workDir.empty(); }},
        // Help answers whatever else is asked, also straight after --check, whose file it is not.
        Line{"HelpAfterCheck", "--check -h", "usage: hudhost [MODE] [OPTION]..."},
        // The help's lines from the rows and the name tables.
        Line{"HelpOfAnOptionalValue", "--help",
             "  --check [FILE]         check the layout file as the HUD will read it, without "
             "loading the"},
        Line{"HelpOfVersion", "--help",
             "  --version              print hudhost's version, which its packages carry, then "
             "stop"},
        Line{"HelpOfCommands", "--help",
             "  --cmd NAME             run a command: switch, next, prev or reload; repeat for "
             "more, in order."},
        Line{"HelpOfCameras", "--help",
             kPad + "front, back, bottom or free (one the HUD has no name for)"},
        Line{"HelpOfSelectionModes", "--help",
             "  --selection-mode MODE  face (default), edge or vertex, or any number the host "
             "might report"},
        // The preview's keys, from the key table, the camera's name from the HUD's own.
        Line{"HelpOfTwoKeys", "--help", "  N or Page Down    Next Page"},
        Line{"HelpOfTheFreeCamera", "--help",
             "  8 or keypad 8     a free camera, which the HUD names Free Ortho"},
        Line{"HelpOfTheModesAnOptionIsFor", "--help",
             kPad + "(picture, --no-plugin, --soak, --bench, --window and --check)"}),
    [](const ::testing::TestParamInfo<Line>& info) { return std::string(info.param.name); });

// The scene alone loads no plug-in, so nothing is there to take commands, whatever the options
// hold: its run renders and writes the picture.
TEST(SceneRun, HasNoPluginToGiveCommandsTo) {
    const vantor::test::WorkFolder folder(vantor::test::WorkFolder::kStayOutside);
    Options options;
    options.mode = Mode::Scene;
    options.commands = {vantor::kSwitchCommand};
    options.width = 16;
    options.height = 16;
    options.outPath = folder.path() + "/scene.png";
    EXPECT_EQ(hudhost::modeRun(Mode::Scene).run(options), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(options.outPath));
}

}  // namespace

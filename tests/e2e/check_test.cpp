// hudhost --check over the corpus of faulty layouts in data/check, each file or folder named after
// its case: every line printed, by its place and name, and the exit status, against one baseline
// for both builds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "bands.h"
#include "host_run.h"
#include "work_folder.h"

namespace e2e {
namespace {

const std::string kCorpus = std::string(E2E_DATA_DIR) + "/check";
const std::string kBaseline = std::string(E2E_DATA_DIR) + "/check.expected";
// `path` as hudhost names it: as the system writes its paths.
std::string shownPath(std::string path) {
    if (std::string(platformName()) == "windows") std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const std::string kOwnFile = shownPath("Plugins/Startup Plugins/VantorHUD.ini");

struct Expected {
    std::string name;
    int status = -1;
    std::vector<std::string> options;  // given to the check beside the file
    std::vector<std::string> lines;
    std::vector<std::string> err;  // hudhost's own lines on stderr
};

// The baseline's cases for this build: "== CASE STATUS [OPTION...]" and the lines printed, those
// on stderr after "2> ", each line for both builds or, after "[linux] " or "[windows] ", for one. A
// case is its file with its options.
std::map<std::string, Expected> loadBaseline() {
    std::map<std::string, Expected> cases;
    std::ifstream in(kBaseline);
    const std::string own = std::string("[") + platformName() + "] ";
    Expected* current = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.rfind(own, 0) != 0) continue;
            line.erase(0, own.size());
        }
        if (line.rfind("== ", 0) == 0) {
            current = &cases[line.substr(3)];
            std::istringstream header(line.substr(3));
            header >> current->name >> current->status;
            for (std::string option; header >> option;) current->options.push_back(option);
        } else if (current != nullptr && line.rfind("2> ", 0) == 0) {
            current->err.push_back(line.substr(3));
        } else if (current != nullptr) {
            current->lines.push_back(line);
        }
    }
    return cases;
}

// Runs the check of one case with its options; the path it prints is replaced by the case's name,
// and the corpus's folder dropped from what hudhost says. A file, or a folder named with a '/'
// after it, is given to --check; another folder is the working directory.
HostRun check(const std::string& name, const std::vector<std::string>& options) {
    const bool folderAsFile = name.back() == '/';
    const std::string given = folderAsFile ? name.substr(0, name.size() - 1) : name;
    std::vector<std::string> args{"--check", given};
    std::string shown = shownPath(given);
    if (given.find('.') == std::string::npos && !folderAsFile) {
        args = {"--check", "--workdir", kCorpus + "/" + given};
        shown = kOwnFile;
    } else if (given.rfind(outputDir(), 0) != 0) {
        args = {"--check", given, "--workdir", kCorpus};
    }
    args.insert(args.end(), options.begin(), options.end());
    HostRun run = runHost("check-" + given.substr(given.rfind('/') + 1), args);
    for (std::string& line : run.out) {
        if (line.rfind(shown, 0) == 0)
            line.replace(0, shown.size(), given.substr(given.rfind('/') + 1));
    }
    const std::string corpus = shownPath(kCorpus + "/");
    for (std::string& line : run.err) {
        for (std::size_t at; (at = line.find(corpus)) != std::string::npos;)
            line.erase(at, corpus.size());
    }
    return run;
}

// What a line of the check states, less its wording: a finding's place, severity and name
// ("x.ini:3:1: warning [repeated-key]"); any other line whole.
std::vector<std::string> statements(const std::vector<std::string>& lines) {
    static const std::regex finding("(.*?): (error|warning|note): .* (\\[[a-z0-9-]+\\])");
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::smatch m;
        out.push_back(std::regex_match(line, m, finding) ? m.format("$1: $2 $3") : line);
    }
    return out;
}

// The cases no file in the tree should be: a file the Linux reader refuses for its size.
std::string writeOversizedLayout() {
    const std::string path = outputDir() + "/over_16_mib.ini";
    std::ofstream out(path, std::ios::binary);
    out << "[SECTION1]\nROWDATA1=big\n";
    const std::string comment = "; " + std::string(1021, '-') + "\n";
    for (int k = 0; k < 17 * 1024; ++k) out << comment;
    return path;
}

// A file marked read-only, which git does not keep; a run before left it so.
std::string writeReadOnlyLayout() {
    namespace fs = std::filesystem;
    const std::string path = outputDir() + "/auto_reload_read_only.ini";
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    std::error_code none;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, none);
    vantor::test::writeFile(path, vantor::test::iniWithPage({"*CAMERA_NAME*"}, {"AUTO_RELOAD=1"}));
    fs::permissions(path, write, fs::perm_options::remove);
    return path;
}

TEST(Check, EachCaseOfTheCorpusGivesItsFindingsAndExitStatus) {
    const std::map<std::string, Expected> cases = loadBaseline();
    ASSERT_GT(cases.size(), 30u) << kBaseline;
    const std::map<std::string, std::string> made = {
        {"over_16_mib.ini", writeOversizedLayout()},
        {"auto_reload_read_only.ini", writeReadOnlyLayout()}};
    for (const auto& [key, expected] : cases) {
        SCOPED_TRACE(key);
        const auto written = made.find(expected.name);
        const HostRun run =
            check(written != made.end() ? written->second : expected.name, expected.options);
        EXPECT_EQ(run.status, expected.status);
        EXPECT_EQ(statements(run.out), statements(expected.lines));
        EXPECT_EQ(run.err, expected.err);
    }
}

// --ignore takes the names findings end with, and for another the nearest of them.
TEST(Check, AnUnknownNameToIgnoreIsRefused) {
    const HostRun run = runHost("check-ignore", {"--check", "--ignore", "empty-row,repeated-kye"});
    EXPECT_EQ(run.status, 2);
    ASSERT_EQ(run.err.size(), 1u);
    EXPECT_NE(run.err[0].find("'repeated-kye' (did you mean repeated-key?)"), std::string::npos)
        << run.err[0];
}

// Advice that is followed ends clean: a misspelt key whose name is set already is told so rather
// than renamed into a repeat, a number written in hexadecimal is given in decimal, and a panel the
// text does not stand out from is given a colour that it does.
TEST(Check, AdviceFollowedEndsClean) {
    struct Case {
        std::vector<std::string> config;
        const char* advice;
        std::vector<std::string> followed;
    };
    const std::vector<std::string> grey = {"COLOR_RED=200", "COLOR_GREEN=200", "COLOR_BLUE=200",
                                           "PANEL_ALPHA=255"};
    const auto panel = [&](int red, int green, int blue) {
        std::vector<std::string> config = grey;
        for (const auto& [key, value] :
             {std::pair{"PANEL_RED=", red}, {"PANEL_GREEN=", green}, {"PANEL_BLUE=", blue}}) {
            config.push_back(key + std::to_string(value));
        }
        return config;
    };
    const Case cases[] = {
        {{"FONT_SIZE=18", "FONT_SZIE=20"},
         "(FONT_SIZE is set on line 5; remove this line, or move its value to line 5)",
         {"FONT_SIZE=20"}},
        {{"HUD_STEPY=20"}, "(did you mean HUD_STEP_Y?)", {"HUD_STEP_Y=20"}},
        {{"COLOR_RED=10", "COLOR=20"}, "(COLOR_RED is set on line 5;", {"COLOR_RED=20"}},
        {{"COLOR_GREEN=0x40"}, "for hexadecimal 40, write 64", {"COLOR_GREEN=64"}},
        {{"COLOR_RED=#FF0000"},
         "write COLOR_RED=255, COLOR_GREEN=0 and COLOR_BLUE=0",
         {"COLOR_RED=255", "COLOR_GREEN=0", "COLOR_BLUE=0"}},
        {panel(190, 195, 205),
         "a contrast ratio of 1.0:1 over the viewport's background, under the 3:1 that letters "
         "need to be read; a panel of 82, 84, 88 reaches 4.5:1",
         panel(82, 84, 88)},
        {{"PANEL_ALPHA=40"},
         "raise PANEL_ALPHA to at least 171 with a panel of 255, 255, 255",
         {"PANEL_ALPHA=171", "PANEL_RED=255", "PANEL_GREEN=255", "PANEL_BLUE=255"}},
    };
    const vantor::test::WorkFolder dir(vantor::test::WorkFolder::kStayOutside);
    const auto check = [&](std::vector<std::string> config) {
        config.insert(config.begin(), "HUD_POS_X=20");
        dir.writeIni(vantor::test::iniWithPage({"Hi"}, config));
        return runHost("check-advice", {"--check", "--workdir", dir.path()});
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.advice);
        const HostRun advised = check(c.config);
        ASSERT_FALSE(advised.out.empty());
        EXPECT_NE(advised.out[0].find(c.advice), std::string::npos) << advised.out[0];
        const HostRun followed = check(c.followed);
        EXPECT_EQ(followed.status, 0);
        EXPECT_EQ(followed.out.size(), 1u) << followed.out[0];
    }
}

// --format json prints the records the text lists, as one document a JSON reader takes whole,
// with the same exit status.
TEST(Check, TheJsonFormatHoldsEachFindingTheTextLists) {
    const std::string file = "advice_for_keys_set_already.ini";
    const HostRun text = check(file, {});
    const HostRun json = check(file, {"--format", "json"});
    EXPECT_EQ(json.status, text.status);
    std::string printed;
    for (const std::string& line : json.out) printed += line + "\n";
    const nlohmann::json document = nlohmann::json::parse(printed);
    const nlohmann::json& findings = document.at("findings");
    ASSERT_EQ(findings.size() + 1, text.out.size());
    for (std::size_t k = 0; k < findings.size(); ++k) {
        const nlohmann::json& f = findings[k];
        EXPECT_EQ(f.at("file").get<std::string>() + ":" + std::to_string(f.at("line").get<int>()) +
                      ":" + std::to_string(f.at("column").get<int>()) + ": " +
                      f.at("severity").get<std::string>() + ": " +
                      f.at("message").get<std::string>() + " [" + f.at("name").get<std::string>() +
                      "]",
                  text.out[k]);
    }
    EXPECT_EQ(document.at("warnings").get<int>(), 5);
    EXPECT_EQ(document.at("errors").get<int>(), 0);
    EXPECT_EQ(document.at("summary").get<std::string>(), text.out.back());
}

// Clean in the overlay's own size; at half of it the rows' steps shrink and their letters do not.
TEST(Check, TheExampleIsClean) {
    const HostRun run = runHost("check-example", {"--check", "--workdir", EXAMPLES_DIR});
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.out.size(), 1u);
    EXPECT_EQ(run.out[0], kOwnFile +
                              ": 0 errors, 0 warnings, 0 notes; the HUD shows 3 pages of 5, "
                              "7 and 5 rows in a 640 x 480 viewport");
    const HostRun half =
        runHost("check-example-half", {"--check", "--workdir", EXAMPLES_DIR, "--size", "320x240"});
    EXPECT_EQ(half.status, 1);
    EXPECT_TRUE(std::any_of(half.out.begin(), half.out.end(), [](const std::string& line) {
        return line.find("[rows-overlap]") != std::string::npos;
    }));
}

// Each value a finding advises is the nearest that mends it and leaves no row cut, unseen or drawn
// over another: at that value all such findings are gone, one short of it one stays. Each edge of
// each placement, and rows drawn over each other. A row lifted over the bottom edge is mended with
// its tails, so one short of it they are cut; seven rows at the defaults piled closer overlap.
TEST(Check, TheAdvisedValueIsTheNearestThatMendsIt) {
    struct Case {
        const char* name;  // of the finding
        std::vector<std::string> config;
        std::vector<std::string> rows;
    };
    const std::vector<std::string> corner = {"HUD_POS_X=10", "HUD_STEP_Y=30"};
    const auto with = [&](std::vector<std::string> more) {
        more.insert(more.end(), corner.begin(), corner.end());
        return more;
    };
    const Case cases[] = {
        {"anchored-row-cut", with({"HUD_ANCHOR=1", "HUD_POS_Y=5"}), {"Top"}},
        {"anchored-row-cut", with({"HUD_ANCHOR=2", "HUD_POS_Y=430"}), {"a", "b", "gypsy"}},
        {"anchored-row-cut", with({"HUD_ANCHOR=3", "HUD_POS_Y=420"}), {"Top", "b", "c"}},
        {"descenders-cut", with({"HUD_ANCHOR=4", "HUD_POS_Y=1"}), {"gypsy"}},
        {"anchored-row-cut", {"HUD_ANCHOR=4", "HUD_POS_X=600", "HUD_POS_Y=20"}, {"a wide row"}},
        {"row-past-right-edge", {"HUD_POS_X=600"}, {"a wide row"}},
        {"descenders-cut", {"HUD_POS_X=10", "HUD_POS_Y=2"}, {"gypsy"}},
        {"rows-below-bottom-edge", {"HUD_POS_X=10", "HUD_POS_Y=20"}, {"a", "b", "gypsy"}},
        {"rows-overlap", {"HUD_POS_X=10", "HUD_POS_Y=200", "FONT_SIZE=28"}, {"a", "b"}},
        {"rows-overlap", with({"HUD_ANCHOR=1", "HUD_POS_Y=50", "FONT_SIZE=48"}), {"a", "b"}},
        {"rows-below-bottom-edge", {"HUD_POS_X=10"}, {"1", "2", "3", "4", "5", "6", "7"}},
    };
    const std::regex cut(
        "\\[(rows-overlap|rows-below-bottom-edge|descenders-cut|row-cut-at-top|"
        "anchored-row-cut)\\]");
    const std::regex advice("(raise|lower) (HUD_[A-Z_]+) to at (least|most) (\\d+)");
    for (const Case& c : cases) {
        const std::string tag = std::string("[") + c.name + "]";
        const vantor::test::WorkFolder dir(vantor::test::WorkFolder::kStayOutside);
        // The finding's line with `key` set to `value`, or empty when there is none.
        const auto found = [&](const std::string& key, int value) {
            std::vector<std::string> config;
            for (const std::string& line : c.config) {
                if (line.rfind(key + "=", 0) != 0) config.push_back(line);
            }
            if (!key.empty()) config.push_back(key + "=" + std::to_string(value));
            dir.writeIni(vantor::test::iniWithPage(c.rows, config));
            const HostRun run =
                runHost(std::string("check-mend-") + c.name, {"--check", "--workdir", dir.path()});
            for (const std::string& line : run.out) {
                if (line.find(tag) != std::string::npos || std::regex_search(line, cut)) {
                    return line;
                }
            }
            return std::string();
        };
        const std::string finding = found("", 0);
        SCOPED_TRACE(finding);
        auto each = std::sregex_iterator(finding.begin(), finding.end(), advice);
        ASSERT_NE(each, std::sregex_iterator()) << tag;
        for (; each != std::sregex_iterator(); ++each) {
            const std::smatch& m = *each;
            const int value = std::stoi(m[4]);
            EXPECT_EQ(found(m[2], value), "") << m[0];
            EXPECT_NE(found(m[2], m[1] == "raise" ? value - 1 : value + 1), "") << m[0];
        }
    }
}

// The highest HUD_POS_Y the check allows a row of every glyph is the last at which the picture
// shows the row whole: one higher and its tallest letters lose their tops.
TEST(Check, TheTopLimitIsWhereTheDrawnLettersMeetTheEdge) {
    const std::string size = "1600x700";  // each step of HUD_POS_Y moves the row a pixel or more
    std::string glyphs;
    for (char c = '!'; c <= '~'; ++c) glyphs += c;
    const auto layout = [&](int posY) {
        return vantor::test::iniWithPage(
            {glyphs}, {"HUD_POS_X=1", "FONT_SIZE=24", "HUD_POS_Y=" + std::to_string(posY)});
    };
    const vantor::test::WorkFolder dir(layout(480), vantor::test::WorkFolder::kStayOutside);
    const HostRun run = runHost("check-top", {"--check", "--workdir", dir.path(), "--size", size});
    std::string said;
    for (const std::string& line : run.out) said += line + "\n";
    std::smatch most;
    ASSERT_TRUE(std::regex_search(said, most, std::regex("keep HUD_POS_Y at most (\\d+)"))) << said;
    Picture scene;
    ASSERT_EQ(render("top-scene", {"--no-plugin", "--size", size}, scene).status, 0);
    // How many pixel rows of the picture the row's letters cover at `posY`.
    const auto rowsCovered = [&](int posY) {
        dir.writeIni(layout(posY));
        Picture hud;
        const std::string name = "top-" + std::to_string(posY);
        EXPECT_EQ(
            render(name, {"--workdir", dir.path(), "--cmd", "switch", "--size", size}, hud).status,
            0);
        std::set<int> rows;
        for (const auto& [x, y] : drawnFromCorner(hud, scene, false, true)) rows.insert(y);
        return rows.size();
    };
    const int limit = std::stoi(most[1]);
    const std::size_t whole = rowsCovered(240);
    EXPECT_GT(whole, 10u);
    EXPECT_EQ(rowsCovered(limit), whole);
    EXPECT_LT(rowsCovered(limit + 1), whole);
}

// The width the check gives a row of letters beyond ASCII is the width the HUD draws it in: the
// row's ink ends where its last glyph's advance does, less that glyph's side bearing.
TEST(Check, ARowBeyondAsciiIsAsWideAsDrawn) {
    const std::string row =
        "\xD0\x92\xD1\x8B\xD0\xB1\xD1\x80\xD0\xB0\xD0\xBD\xD0\xBE \xCE\x94x \xE2\x82\xAC";
    const auto layout = [&](int posX) {
        return vantor::test::iniWithPage({row}, {"HUD_POS_X=" + std::to_string(posX)});
    };
    const vantor::test::WorkFolder dir(layout(600), vantor::test::WorkFolder::kStayOutside);
    const HostRun run = runHost("check-wide", {"--check", "--workdir", dir.path()});
    std::smatch wide;
    ASSERT_FALSE(run.out.empty());
    ASSERT_TRUE(std::regex_search(run.out[0], wide, std::regex("it is (\\d+) pixels wide")))
        << run.out[0];
    dir.writeIni(layout(1));
    Picture scene;
    Picture hud;
    ASSERT_EQ(render("wide-scene", {"--no-plugin"}, scene).status, 0);
    ASSERT_EQ(render("wide", {"--workdir", dir.path(), "--cmd", "switch"}, hud).status, 0);
    int right = 0;  // the last column inked, the pen starting at column 1
    for (const auto& [x, y] : drawnFromCorner(hud, scene, false, false)) right = std::max(right, x);
    const int width = std::stoi(wide[1]);
    EXPECT_LE(right, width) << width;
    EXPECT_GE(right, width - 2) << width;
}

// A row held to a right corner starts its width left of HUD_POS_X from the right edge, so the
// largest HUD_POS_X the check advises for a row cut at the left edge is the viewport's width less
// the width it measures. Held there, the row's ink starts where it starts held to the left edge
// at HUD_POS_X=1, a column further in: the check measured the width the HUD draws.
TEST(Check, ARightCornerRowIsAsWideAsDrawn) {
    struct Row {
        const char* text;
        int anchor;  // HUD_ANCHOR of a right corner, and of the left one of the same edge
        int left;
    };
    const Row rows[] = {
        {"A row far too long for the room", 2, 1},
        {"Selected: 1,204 faces; 2,417 edges", 4, 3},
        {"\xD0\x92\xD1\x8B\xD0\xB1\xD1\x80\xD0\xB0\xD0\xBD\xD0\xBE "
         "\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB5\xD0\xB9",
         2, 1},
    };
    Picture scene;
    ASSERT_EQ(render("corner-scene", {"--no-plugin"}, scene).status, 0);
    for (const Row& row : rows) {
        const auto layout = [&](int anchor, int posX) {
            return vantor::test::iniWithPage(
                {row.text}, {"HUD_ANCHOR=" + std::to_string(anchor),
                             "HUD_POS_X=" + std::to_string(posX), "HUD_POS_Y=40", "HUD_STEP_Y=20"});
        };
        const vantor::test::WorkFolder dir(layout(row.anchor, 630),
                                           vantor::test::WorkFolder::kStayOutside);
        const HostRun run = runHost("check-corner", {"--check", "--workdir", dir.path()});
        std::string said;
        for (const std::string& line : run.out) said += line + "\n";
        std::smatch most;
        ASSERT_TRUE(std::regex_search(said, most, std::regex("lower HUD_POS_X to at most (\\d+)")))
            << said;
        // The first column the row's ink reaches, held to `anchor` at `posX`.
        const auto inkStart = [&](int anchor, int posX) {
            dir.writeIni(layout(anchor, posX));
            Picture hud;
            EXPECT_EQ(render("corner", {"--workdir", dir.path(), "--cmd", "switch"}, hud).status,
                      0);
            int first = hud.width;
            for (const auto& [x, y] : drawnFromCorner(hud, scene, false, true)) {
                first = std::min(first, x);
            }
            return first;
        };
        EXPECT_EQ(inkStart(row.anchor, std::stoi(most[1])), inkStart(row.left, 1) - 1) << row.text;
    }
}

}  // namespace
}  // namespace e2e

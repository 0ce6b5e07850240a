#include "options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "known_names.h"

namespace hudhost {
namespace {

constexpr int kMaxImageSide = 8192;
constexpr long kMaxFrames = 100000000;
constexpr long kMaxInt32 = 2147483647L;
constexpr long kMinInt32 = -kMaxInt32 - 1;

struct Named {
    const char* name;
    int value;
};

constexpr Named kCameras[] = {
    {"main-perspective", static_cast<int>(Camera::MainPerspective)},
    {"top", static_cast<int>(Camera::Top)},
    {"left", static_cast<int>(Camera::Left)},
    {"right", static_cast<int>(Camera::Right)},
    {"front", static_cast<int>(Camera::Front)},
    {"back", static_cast<int>(Camera::Back)},
    {"bottom", static_cast<int>(Camera::Bottom)},
    {"free", static_cast<int>(Camera::Free)},
};

constexpr Named kCommands[] = {
    {"switch", vantor::kSwitchCommand},
    {"next", vantor::kNextPageCommand},
    {"prev", vantor::kPrevPageCommand},
    {"reload", vantor::kReloadIniCommand},
};

constexpr Named kSelectionModes[] = {
    {"face", vantor::kFaceSelection},
    {"edge", vantor::kEdgeSelection},
    {"vertex", vantor::kVertexSelection},
};

// Lower case, with blanks and underscores as hyphens: "Main Perspective" finds main-perspective.
std::string normalized(const char* text) {
    std::string out;
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        out += (byte == ' ' || byte == '_') ? '-' : static_cast<char>(std::tolower(byte));
    }
    return out;
}

template <std::size_t N>
bool lookUp(const Named (&table)[N], const char* text, int& value) {
    const std::string wanted = normalized(text);
    for (const Named& entry : table) {
        if (wanted == entry.name) {
            value = entry.value;
            return true;
        }
    }
    return false;
}

// A whole decimal number within [low, high]; nothing else may follow it.
bool parseNumber(const char* text, long low, long high, long& value) {
    if (*text == '\0' || std::isspace(static_cast<unsigned char>(*text))) return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

// WIDTHxHEIGHT, each side 1 to kMaxImageSide.
bool parseSize(const char* text, int& width, int& height) {
    const char* x = std::strchr(text, 'x');
    if (x == nullptr) return false;
    long w = 0;
    long h = 0;
    if (!parseNumber(std::string(text, x).c_str(), 1, kMaxImageSide, w) ||
        !parseNumber(x + 1, 1, kMaxImageSide, h)) {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// RRGGBB, six hexadecimal digits.
bool parseColour(const char* text, Rgb& colour) {
    if (std::strlen(text) != 6 || std::strspn(text, "0123456789abcdefABCDEF") != 6) return false;
    const unsigned long value = std::strtoul(text, nullptr, 16);
    colour = {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value)};
    return true;
}

// One option as met on the command line: its name as written, the value after it (null for none),
// and where what it says goes.
struct Given {
    const char* option;
    const char* value;
    Options& options;
    std::string& error;
};

bool refuse(Given& g, const std::string& reason) {
    g.error = reason;
    return false;
}

bool number(Given& g, long low, long high, long& out) {
    if (parseNumber(g.value, low, high, out)) return true;
    return refuse(g, std::string(g.option) + " takes a whole number from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not '" + g.value + "'");
}

bool count(Given& g, std::uint32_t& out) {
    long n = 0;
    if (!number(g, 0, kMaxInt32, n)) return false;
    out = static_cast<std::uint32_t>(n);
    return true;
}

// What each option does with its value, in the order of the table below.

bool takeCheckPath(Given& g) {
    if (g.value != nullptr) g.options.checkPath = g.value;
    return true;
}

// NAME[,NAME...], each the name of a kind of finding.
bool takeIgnored(Given& g) {
    const std::string names = g.value;
    for (std::size_t start = 0; start <= names.size();) {
        const std::size_t end = std::min(names.find(',', start), names.size());
        const std::string name = names.substr(start, end - start);
        const std::optional<check::Kind> kind = check::kindNamed(name);
        if (!kind) {
            return refuse(g, "--ignore takes the names that findings end with, not '" + name + "'" +
                                 check::didYouMean(name, check::kindNames()));
        }
        g.options.ignored.push_back(*kind);
        start = end + 1;
    }
    return true;
}

bool takePluginPath(Given& g) {
    g.options.pluginPath = g.value;
    return true;
}

bool takeWorkDir(Given& g) {
    g.options.workDir = g.value;
    return true;
}

bool takeCommand(Given& g) {
    int n = 0;
    if (!lookUp(kCommands, g.value, n)) {
        return refuse(
            g, std::string("--cmd takes switch, next, prev or reload, not '") + g.value + "'");
    }
    g.options.commands.push_back(static_cast<vantor::PluginFunction>(n));
    return true;
}

bool takeCamera(Given& g) {
    int n = 0;
    if (!lookUp(kCameras, g.value, n)) {
        return refuse(g, std::string("--camera takes main-perspective, top, left, right, front, ") +
                             "back, bottom or free, not '" + g.value + "'");
    }
    g.options.camera = static_cast<Camera>(n);
    return true;
}

bool takeSelectionMode(Given& g) {
    int named = 0;
    long n = 0;
    if (lookUp(kSelectionModes, g.value, named)) {
        g.options.selectionMode = named;
    } else if (parseNumber(g.value, kMinInt32, kMaxInt32, n)) {
        g.options.selectionMode = static_cast<std::int32_t>(n);  // the host's other modes
    } else {
        return refuse(g,
                      std::string("--selection-mode takes face, edge, vertex or a number, not '") +
                          g.value + "'");
    }
    return true;
}

bool takeFaces(Given& g) { return count(g, g.options.faces); }
bool takeEdges(Given& g) { return count(g, g.options.edges); }
bool takeVertices(Given& g) { return count(g, g.options.vertices); }

bool takeSize(Given& g) {
    if (parseSize(g.value, g.options.width, g.options.height)) return true;
    return refuse(g, std::string("--size takes WIDTHxHEIGHT, each 1 to ") +
                         std::to_string(kMaxImageSide) + ", not '" + g.value + "'");
}

bool takeBackground(Given& g) {
    if (parseColour(g.value, g.options.background)) return true;
    return refuse(g,
                  std::string("--background takes RRGGBB in hexadecimal, not '") + g.value + "'");
}

bool takeFrames(Given& g) { return number(g, 1, kMaxFrames, g.options.frames); }
bool takeHudFrames(Given& g) { return number(g, 0, kMaxFrames, g.options.hudFrames); }

bool takeDrawFlag(Given& g) {
    long n = 0;
    if (!number(g, kMinInt32, kMaxInt32, n)) return false;
    g.options.drawFlags.push_back(static_cast<std::int32_t>(n));
    return true;
}

bool takeOutPath(Given& g) {
    g.options.outPath = g.value;
    return true;
}

bool takeGlState(Given& g) {
    g.options.glState = true;
    return true;
}

// Sets of modes, a bit each.
using Modes = unsigned;
constexpr Modes bit(Mode mode) { return 1u << static_cast<unsigned>(mode); }
constexpr Modes kLive = bit(Mode::Picture) | bit(Mode::Soak) | bit(Mode::Bench) | bit(Mode::Window);
constexpr Modes kViewport = kLive | bit(Mode::Scene);
constexpr Modes kOffscreen =
    bit(Mode::Picture) | bit(Mode::Scene) | bit(Mode::Soak) | bit(Mode::Bench);

struct OptionRow {
    const char* name;
    const char* alias;     // another spelling, or null
    const char* argument;  // what follows, as --help shows it; in brackets when it may be left
                           // out; null for nothing
    const char* help;      // --help's lines for it
    bool selectsMode;      // a mode's own option: `modes` is that one mode
    Modes modes;           // the modes it applies to
    bool (*take)(Given&);  // null: the option only selects its mode
};

// Every option, in the order --help shows them: the modes first, then what they take.
constexpr OptionRow kOptions[] = {
    {"--no-plugin", nullptr, nullptr,
     "the picture with no plug-in ever loaded: the scene alone, for reference\npictures", true,
     bit(Mode::Scene), nullptr},
    {"--list", nullptr, nullptr, "print the plug-in's functions and their kinds, then stop", true,
     bit(Mode::List), nullptr},
    {"--soak", nullptr, nullptr,
     "reload every 1000 frames and turn the page every 100; check for GL errors\n"
     "after each frame, a constant number of display lists and flat resident\n"
     "memory; exit 1 when a check fails",
     true, bit(Mode::Soak), nullptr},
    {"--bench", nullptr, nullptr,
     "render the frames with the HUD, again with the layout's TEXT_EFFECT set to\n"
     "0, 1 and 2 (read from a copy of the layout), and without the HUD; print\n"
     "the rates",
     true, bit(Mode::Bench), nullptr},
    {"--window", nullptr, nullptr,
     "a live preview instead of a picture: a window showing the viewport with\n"
     "the HUD over it at the window's size (start size --size), worked with the\n"
     "keys below; the INI file is reloaded whenever it changes on disk, and F12\n"
     "saves the frame as the --out picture",
     true, bit(Mode::Window), nullptr},
    {"--check", nullptr, "[FILE]",
     "check the layout file as the HUD will read it, without loading the\n"
     "plug-in: a line per finding (FILE:LINE:COLUMN: error|warning|note:\n"
     "message [name]), then a summary. FILE, relative to --workdir when given,\n"
     "defaults to the HUD's own \"Plugins\\Startup Plugins\\VantorHUD.ini\".\n"
     "Exit status 0 nothing above a note, 1 warnings, 2 errors (no page at\n"
     "all, or the file cannot be read)",
     true, bit(Mode::Check), takeCheckPath},
    {"--help", "-h", nullptr, "this text", true, bit(Mode::Help), nullptr},

    {"--plugin", nullptr, "FILE", "the plug-in to load (default: the one beside hudhost)", false,
     kLive | bit(Mode::List), takePluginPath},
    {"--workdir", nullptr, "DIR",
     "run in DIR; the HUD reads \"Plugins\\Startup Plugins\\VantorHUD.ini\" there", false,
     kLive | bit(Mode::Check), takeWorkDir},
    {"--cmd", nullptr, "NAME",
     "run a command: switch, next, prev or reload; repeat for more, in order.\n"
     "Commands run after a first, unsaved frame, as the user picks them in a\n"
     "viewport that is already up",
     false, kLive, takeCommand},
    {"--camera", nullptr, "NAME",
     "the active view's camera: main-perspective (default), top, left, right,\n"
     "front, back, bottom, or free (one the HUD has no name for)",
     false, kViewport, takeCamera},
    {"--selection-mode", nullptr, "MODE",
     "face (default), edge, vertex, or any number the host might report", false, kLive,
     takeSelectionMode},
    {"--faces", nullptr, "N", "how many faces are selected (default 0)", false, kLive, takeFaces},
    {"--edges", nullptr, "N", "how many edges are selected (default 0)", false, kLive, takeEdges},
    {"--vertices", nullptr, "N", "how many vertices are selected (default 0)", false, kLive,
     takeVertices},
    {"--size", nullptr, "WxH",
     "image size in pixels (default 640x480); for --check, the viewport the\n"
     "layout is checked in",
     false, kViewport | bit(Mode::Check), takeSize},
    {"--ignore", nullptr, "NAME[,NAME...]",
     "leave out the findings of these names (the name in brackets at the end\n"
     "of a finding's line); they are neither listed nor counted",
     false, bit(Mode::Check), takeIgnored},
    {"--background", nullptr, "RRGGBB",
     "the viewport's background colour in hexadecimal (default 8a909a)", false, kViewport,
     takeBackground},
    {"--frames", nullptr, "N", "frames to render (default 1)", false, kOffscreen, takeFrames},
    {"--hud-frames", nullptr, "N",
     "call the HUD only in the first N frames; 0 never (default: every frame)", false,
     bit(Mode::Picture), takeHudFrames},
    {"--draw-flag", nullptr, "N",
     "call the drawing entry with flag N; repeat for several calls a frame, in\n"
     "order (default: one call with 0; the HUD draws only with 0)",
     false, kLive, takeDrawFlag},
    {"--out", nullptr, "FILE", "the PNG of the last frame (default hudhost.png)", false, kViewport,
     takeOutPath},
    {"--gl-state", nullptr, nullptr, "print which GL state the HUD's drawing calls left changed",
     false, kLive & ~bit(Mode::Window), takeGlState},
};

const OptionRow* findOption(const std::string& written) {
    for (const OptionRow& row : kOptions) {
        if (written == row.name || (row.alias != nullptr && written == row.alias)) return &row;
    }
    return nullptr;
}

// How messages and --help name a mode: by its option, the default as "picture".
std::string modeName(Mode mode) {
    for (const OptionRow& row : kOptions) {
        if (row.selectsMode && row.modes == bit(mode)) return row.name;
    }
    return "picture";
}

constexpr Mode kModes[] = {Mode::Picture, Mode::Scene,  Mode::List,  Mode::Soak,
                           Mode::Bench,   Mode::Window, Mode::Check, Mode::Help};

// "picture, --soak and --bench": the modes of `modes`, in the order of kModes.
std::string modeNames(Modes modes) {
    std::vector<std::string> names;
    for (Mode mode : kModes) {
        if ((modes & bit(mode)) != 0) names.push_back(modeName(mode));
    }
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        out += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    }
    return out;
}

Mode modeOf(const OptionRow& row) {
    for (Mode mode : kModes) {
        if (row.modes == bit(mode)) return mode;
    }
    return Mode::Picture;
}

// The value after option `i`, for a row that takes one; false, with the error set, when it is
// missing. An optional value is taken when the next word is not an option.
bool valueOf(const OptionRow& row, int argc, char** argv, int& i, const char*& value,
             std::string& error) {
    value = nullptr;
    if (row.argument == nullptr) return true;
    const bool next = i + 1 < argc && argv[i + 1][0] != '\0';
    if (row.argument[0] == '[') {
        if (next && argv[i + 1][0] != '-') value = argv[++i];
        return true;
    }
    if (!next) {
        error = std::string(argv[i]) + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    options.drawFlags.clear();  // the flags given replace the default
    std::vector<const OptionRow*> given;
    const OptionRow* modeGiven = nullptr;
    for (int i = 1; i < argc; ++i) {
        const OptionRow* row = findOption(argv[i]);
        if (row == nullptr) {
            error = std::string("unknown option ") + argv[i] + " (see --help)";
            return false;
        }
        const char* value = nullptr;
        if (!valueOf(*row, argc, argv, i, value, error)) return false;
        Given g{row->name, value, options, error};
        if (row->take != nullptr && !row->take(g)) return false;
        if (!row->selectsMode) {
            given.push_back(row);
            continue;
        }
        // Help answers whatever else is asked; any other mode stands alone.
        const Mode mode = modeOf(*row);
        const bool help = mode == Mode::Help || options.mode == Mode::Help;
        if (modeGiven != nullptr && mode != options.mode && !help) {
            error = std::string(modeGiven->name) + " and " + row->name +
                    " are separate runs; give one at most";
            return false;
        }
        options.mode = help ? Mode::Help : mode;
        modeGiven = row;
    }
    if (options.drawFlags.empty()) options.drawFlags = Options().drawFlags;
    if (options.mode == Mode::Help) return true;

    for (const OptionRow* row : given) {
        if ((row->modes & bit(options.mode)) == 0) {
            error = std::string(row->name) + " does not apply to " + modeName(options.mode) +
                    "; it is for " + modeNames(row->modes);
            return false;
        }
    }
    return true;
}

std::string usageText() {
    std::string text = R"(usage: hudhost [MODE] [OPTION]...

Loads the Vantor HUD plug-in as the modeller does, renders its viewport offscreen (a lit torus on a
grid) with the HUD drawn over it, and writes the last frame as a PNG: the picture. A mode does
something else instead; give one at most.
)";
    bool modes = false;
    for (const OptionRow& row : kOptions) {
        if (row.selectsMode != modes) {
            text += row.selectsMode ? "\nModes:\n" : "\nOptions, with the modes they are for:\n";
            modes = row.selectsMode;
        }
        std::string head = std::string("  ") + row.name;
        if (row.alias != nullptr) head += std::string(", ") + row.alias;
        if (row.argument != nullptr) head += std::string(" ") + row.argument;
        const std::string indent(25, ' ');
        text += head.size() < indent.size() - 1
                    ? head + std::string(indent.size() - head.size(), ' ')
                    : head + "\n" + indent;
        for (const char* c = row.help; *c != '\0'; ++c) {
            text += *c;
            if (*c == '\n') text += indent;
        }
        text += "\n";
        if (!row.selectsMode) text += indent + "(" + modeNames(row.modes) + ")\n";
    }
    text +=
        "\nExit status: 0 done, 1 failed (plug-in, GL, picture or soak check), 2 bad options.\n";
    return text;
}

}  // namespace hudhost

#include "options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace hudhost {
namespace {

constexpr int kMaxImageSide = 8192;
constexpr long kMaxFrames = 100000000;

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
    {"switch", static_cast<int>(Command::Switch)},
    {"next", static_cast<int>(Command::Next)},
    {"prev", static_cast<int>(Command::Prev)},
    {"reload", static_cast<int>(Command::Reload)},
};

constexpr Named kSelectionModes[] = {{"face", 0}, {"edge", 1}, {"vertex", 2}};

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

class Parser {
public:
    Parser(int argc, char** argv, Options& options, std::string& error)
        : argc_(argc), argv_(argv), options_(options), error_(error) {}

    bool run() {
        bool flagsGiven = false;
        for (index_ = 1; index_ < argc_; ++index_) {
            const std::string option = argv_[index_];
            if (option == "--draw-flag" && !flagsGiven) {
                options_.drawFlags.clear();  // the first one given replaces the default
                flagsGiven = true;
            }
            if (!takeOption(option)) return false;
        }
        return checkCombinations();
    }

private:
    bool takeOption(const std::string& option) {
        if (option == "--help" || option == "-h") return set(options_.help, true);
        if (option == "--list") return set(options_.list, true);
        if (option == "--no-plugin") return set(options_.loadPlugin, false);
        if (option == "--gl-state") return set(options_.glState, true);
        if (option == "--soak") return set(options_.soak, true);
        if (option == "--bench") return set(options_.bench, true);
        if (option == "--window") return set(options_.window, true);
        if (option == "--check") return check();
        if (option == "--plugin") return text(options_.pluginPath);
        if (option == "--workdir") return text(options_.workDir);
        if (option == "--out") return text(options_.outPath);
        if (option == "--cmd") return command();
        if (option == "--camera") return camera();
        if (option == "--selection-mode") return selectionMode();
        if (option == "--faces") return count(options_.faces);
        if (option == "--edges") return count(options_.edges);
        if (option == "--vertices") return count(options_.vertices);
        if (option == "--size") return size();
        if (option == "--background") return background();
        if (option == "--frames") return number(1, kMaxFrames, options_.frames);
        if (option == "--hud-frames") return number(0, kMaxFrames, options_.hudFrames);
        if (option == "--draw-flag") return drawFlag();
        return fail("unknown option " + option + " (see --help)");
    }

    bool checkCombinations() {
        if (options_.help) return true;
        if (!options_.loadPlugin &&
            (options_.list || options_.soak || options_.bench || !options_.commands.empty())) {
            return fail("--list, --cmd, --soak and --bench need the plug-in, not --no-plugin");
        }
        if (options_.soak && options_.bench) return fail("--soak and --bench are separate runs");
        if (options_.check && (options_.list || options_.window || options_.soak ||
                               options_.bench || options_.glState || !options_.commands.empty())) {
            return fail("--check reads the layout alone; of the other options it takes --workdir");
        }
        if (options_.window &&
            (!options_.loadPlugin || options_.soak || options_.bench || options_.glState)) {
            return fail(
                "--window shows the plug-in live; --no-plugin, --soak, --bench and "
                "--gl-state are offscreen runs");
        }
        return true;
    }

    static bool set(bool& field, bool value) {
        field = value;
        return true;
    }

    // The value after the current option; null, with the error set, when there is none.
    const char* value() {
        if (index_ + 1 >= argc_ || argv_[index_ + 1][0] == '\0') {
            fail(std::string(argv_[index_]) + " needs a value");
            return nullptr;
        }
        return argv_[++index_];
    }

    bool text(std::string& out) {
        const char* v = value();
        if (v == nullptr) return false;
        out = v;
        return true;
    }

    bool number(long low, long high, long& out) {
        const char* v = value();
        if (v == nullptr) return false;
        if (parseNumber(v, low, high, out)) return true;
        return fail(std::string(argv_[index_ - 1]) + " takes a whole number from " +
                    std::to_string(low) + " to " + std::to_string(high) + ", not '" + v + "'");
    }

    bool count(std::uint32_t& out) {
        long n = 0;
        if (!number(0, 2147483647L, n)) return false;
        out = static_cast<std::uint32_t>(n);
        return true;
    }

    // --check, and the file after it unless another option follows.
    bool check() {
        options_.check = true;
        const bool file = index_ + 1 < argc_ && std::strncmp(argv_[index_ + 1], "--", 2) != 0;
        if (file) return text(options_.checkPath);
        return true;
    }

    bool command() {
        const char* v = value();
        int n = 0;
        if (v == nullptr) return false;
        if (!lookUp(kCommands, v, n)) {
            return fail(std::string("--cmd takes switch, next, prev or reload, not '") + v + "'");
        }
        options_.commands.push_back(static_cast<Command>(n));
        return true;
    }

    bool camera() {
        const char* v = value();
        int n = 0;
        if (v == nullptr) return false;
        if (!lookUp(kCameras, v, n)) {
            return fail(std::string("--camera takes main-perspective, top, left, right, front, ") +
                        "back, bottom or free, not '" + v + "'");
        }
        options_.camera = static_cast<Camera>(n);
        return true;
    }

    bool selectionMode() {
        const char* v = value();
        long n = 0;
        int named = 0;
        if (v == nullptr) return false;
        if (lookUp(kSelectionModes, v, named)) {
            options_.selectionMode = named;
        } else if (parseNumber(v, -2147483647L - 1, 2147483647L, n)) {
            options_.selectionMode = static_cast<std::int32_t>(n);  // the host's other modes
        } else {
            return fail(
                std::string("--selection-mode takes face, edge, vertex or a number, not '") + v +
                "'");
        }
        return true;
    }

    bool size() {
        const char* v = value();
        if (v == nullptr) return false;
        if (parseSize(v, options_.width, options_.height)) return true;
        return fail(std::string("--size takes WIDTHxHEIGHT, each 1 to ") +
                    std::to_string(kMaxImageSide) + ", not '" + v + "'");
    }

    bool background() {
        const char* v = value();
        if (v == nullptr) return false;
        if (parseColour(v, options_.background)) return true;
        return fail(std::string("--background takes RRGGBB in hexadecimal, not '") + v + "'");
    }

    bool drawFlag() {
        long n = 0;
        if (!number(-2147483647L - 1, 2147483647L, n)) return false;
        options_.drawFlags.push_back(static_cast<std::int32_t>(n));
        return true;
    }

    bool fail(const std::string& reason) {
        if (error_.empty()) error_ = reason;
        return false;
    }

    int argc_;
    char** argv_;
    int index_ = 1;
    Options& options_;
    std::string& error_;
};

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    return Parser(argc, argv, options, error).run();
}

const char* usageText() {
    return R"(usage: hudhost [options]

Loads the Vantor HUD plug-in as the modeller does, renders its viewport offscreen (a lit torus on a
grid) with the HUD drawn over it, and writes the last frame as a PNG.

  --plugin FILE          the plug-in to load (default: the one beside hudhost)
  --no-plugin            load no plug-in at all: the scene alone, for reference pictures
  --workdir DIR          run in DIR; the HUD reads "Plugins\Startup Plugins\VantorHUD.ini" there
  --list                 print the plug-in's functions and their kinds, then stop
  --cmd NAME             run a command: switch, next, prev or reload; repeat for more, in order.
                         Commands run after a first, unsaved frame, as the user picks them in a
                         viewport that is already up
  --camera NAME          the active view's camera: main-perspective (default), top, left, right,
                         front, back, bottom, or free (one the HUD has no name for)
  --selection-mode MODE  face (default), edge, vertex, or any number the host might report
  --faces N, --edges N, --vertices N
                         how many faces, edges and vertices are selected (default 0)
  --size WxH             image size in pixels (default 640x480)
  --background RRGGBB    the viewport's background colour in hexadecimal (default 8a909a)
  --frames N             frames to render (default 1)
  --hud-frames N         call the HUD only in the first N frames; 0 never (default: every frame)
  --draw-flag N          call the drawing entry with flag N; repeat for several calls a frame, in
                         order (default: one call with 0; the HUD draws only with 0)
  --out FILE             the PNG of the last frame (default hudhost.png)
  --gl-state             print which GL state the HUD's drawing calls left changed
  --soak                 reload every 1000 frames and turn the page every 100; check for GL errors
                         after each frame, a constant number of display lists and flat resident
                         memory; exit 1 when a check fails
  --bench                render the frames with the HUD, again with the layout's TEXT_EFFECT set to
                         0, 1 and 2 (read from a copy of the layout), and without the HUD; print
                         the rates
  --window               a live preview instead of a picture: a window showing the viewport with
                         the HUD over it at the window's size (start size --size), worked with the
                         keys below; the INI file is reloaded whenever it changes on disk, and F12
                         saves the frame as the --out picture. --frames does not apply
  --check [FILE]         check the layout file as the HUD will read it, without loading the
                         plug-in: a line per finding (FILE:LINE:COLUMN: error|warning|note:
                         message), then a summary. FILE, relative to --workdir when given,
                         defaults to the HUD's own "Plugins\Startup Plugins\VantorHUD.ini".
                         Exit status 0 nothing above a note, 1 warnings, 2 errors (no page at
                         all, or the file cannot be read)
  --help                 this text

Exit status: 0 done, 1 failed (plug-in, GL, picture or soak check), 2 bad options.
)";
}

}  // namespace hudhost

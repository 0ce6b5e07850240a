#include "options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <type_traits>
#include <variant>

#include "check/known_names.h"
#include "check/listed.h"
#include "preview/preview.h"
#include "preview/preview_keys.h"
#include "runs/runs.h"

namespace hudhost {
namespace {

constexpr int kMaxImageSide = 8192;
constexpr long kMaxFrames = 100000000;
constexpr long kMinInt32 = -kMaxInt32 - 1;

struct Names {
    const Named* begin = nullptr;
    const Named* end = nullptr;
};

template <std::size_t N>
constexpr Names names(const Named (&table)[N]) {
    return {table, table + N};
}

// What follows an option, and the field of Options it fills.

enum class ArgumentKind {
    Flag,            // nothing
    Text,            // any word: a file or a folder
    OptionalText,    // a word, when the next is no option
    PngName,         // a file name that ends in .png
    Range,           // a whole number from low to high
    Choice,          // a name from a table
    ChoiceOrNumber,  // a name from a table, or any 32-bit number
    Size,            // WIDTHxHEIGHT
    Colour,          // RRGGBB
    FindingNames,    // NAME[,NAME...], the names findings end with
};

struct Sides {
    int Options::*width;
    int Options::*height;
};

using Field = std::variant<
    std::monostate, bool Options::*, std::string Options::*, std::uint32_t Options::*,
    long Options::*, std::int32_t Options::*, Camera Options::*, check::ReportFormat Options::*,
    Rgb Options::*, Sides, std::vector<std::int32_t> Options::*,
    std::vector<vantor::PluginFunction> Options::*, std::vector<check::FindingKind> Options::*>;

struct Value {
    ArgumentKind kind;
    Field field;
    Names names{};  // a choice's
    long low = 0;   // a range's
    long high = 0;
};

constexpr Value selects() { return {ArgumentKind::Flag, std::monostate{}}; }
constexpr Value flag(bool Options::*field) { return {ArgumentKind::Flag, field}; }
constexpr Value text(std::string Options::*field) { return {ArgumentKind::Text, field}; }
constexpr Value optionalText(std::string Options::*field) {
    return {ArgumentKind::OptionalText, field};
}
constexpr Value pngName(std::string Options::*field) { return {ArgumentKind::PngName, field}; }
template <class T>
constexpr Value range(T Options::*field, long low, long high) {
    return {ArgumentKind::Range, field, {}, low, high};
}
constexpr Value count(std::uint32_t Options::*field) { return range(field, 0, kMaxInt32); }
template <class T, std::size_t N>
constexpr Value choice(T Options::*field, const Named (&table)[N]) {
    return {ArgumentKind::Choice, field, names(table)};
}
template <std::size_t N>
constexpr Value choiceOrNumber(std::int32_t Options::*field, const Named (&table)[N]) {
    return {ArgumentKind::ChoiceOrNumber, field, names(table)};
}
constexpr Value size() { return {ArgumentKind::Size, Sides{&Options::width, &Options::height}}; }
constexpr Value colour(Rgb Options::*field) { return {ArgumentKind::Colour, field}; }
constexpr Value findingNames(std::vector<check::FindingKind> Options::*field) {
    return {ArgumentKind::FindingNames, field};
}

// How the command line writes an option, and --help's words for it; "{}" in them stands for the
// names of a choice.
struct Word {
    const char* name;
    const char* alias;     // another spelling, or null
    const char* argument;  // what follows, as --help shows it; null for nothing
    Value value;
    const char* help;
};

// Sets of modes, a bit each.
using Modes = unsigned;
constexpr Modes bit(Mode mode) { return 1u << static_cast<unsigned>(mode); }
constexpr Modes kLive = bit(Mode::Picture) | bit(Mode::Soak) | bit(Mode::Bench) | bit(Mode::Window);
constexpr Modes kViewport = kLive | bit(Mode::Scene);
constexpr Modes kOffscreen =
    bit(Mode::Picture) | bit(Mode::Scene) | bit(Mode::Soak) | bit(Mode::Bench);

struct ModeRow {
    Mode mode;
    Word word;  // the picture, the default, has no option
    ModeRun run;
    const char* picture = nullptr;  // the PNG it writes when --out names none; null for none
};

constexpr const char* kPicture = "hudhost.png";

// The runs that tell of the command line itself.
int helpRun(const Options&) {
    std::fputs(usageText().c_str(), stdout);
    std::printf("\n%s", previewKeysText().c_str());
    return kDone;
}

// As the packages name it; the build passes it in.
int versionRun(const Options&) {
    std::printf("hudhost %s\n", VANTOR_VERSION);
    return kDone;
}

// The modes, in the order of Mode and of --help.
constexpr ModeRow kModes[] = {
    {Mode::Picture,
     {nullptr, nullptr, nullptr, selects(), nullptr},
     {pictureRun, kFailed},
     kPicture},
    {Mode::Scene,
     {"--no-plugin", nullptr, nullptr, selects(),
      "the picture with no plug-in ever loaded: the scene alone, for reference pictures"},
     {sceneRun, kFailed},
     kPicture},
    {Mode::List,
     {"--list", nullptr, nullptr, selects(),
      "print the plug-in's functions and their kinds, then stop"},
     {listRun, kFailed}},
    {Mode::Soak,
     {"--soak", nullptr, nullptr, selects(),
      "reload every 1000 frames and turn the page every 100; check for GL errors after each "
      "frame, a constant number of display lists and flat resident memory; exit 1 when a check "
      "fails. Stops before --frames once memory has been flat for long enough"},
     {soakRun, kFailed},
     kPicture},
    {Mode::Bench,
     {"--bench", nullptr, nullptr, selects(),
      "render the frames with the HUD, again with the layout's TEXT_EFFECT set to 0, 1 and 2 "
      "(read from a copy of the layout), and without the HUD; print the rates, and write the last "
      "frame only when --out names a picture"},
     {benchRun, kFailed}},
    {Mode::Window,
     {"--window", nullptr, nullptr, selects(),
      "a live preview instead of a picture: a window showing the viewport with the HUD over it "
      "at the window's size (start size --size), worked with the keys below; the INI file is "
      "reloaded whenever it changes on disk, and F12 saves the frame as the --out picture"},
     {windowRun, kFailed},
     kPicture},
    // A working directory it cannot enter is a file it cannot read.
    {Mode::Check,
     {"--check", nullptr, "FILE", optionalText(&Options::checkPath),
      "check the layout file as the HUD will read it, without loading the plug-in: a line per "
      "finding (FILE:LINE:COLUMN: error|warning|note: message), then a summary. FILE, relative "
      "to --workdir when given, defaults to the HUD's own "
      "\"Plugins\\Startup Plugins\\VantorHUD.ini\". Exit status 0 nothing above a note, "
      "1 warnings, 2 errors (no page at all, or the file cannot be read)"},
     {checkRun, kCheckErrors}},
    {Mode::Help, {"--help", "-h", nullptr, selects(), "this text"}, {helpRun, kFailed}},
    {Mode::Version,
     {"--version", nullptr, nullptr, selects(),
      "print hudhost's version, which its packages carry, then stop"},
     {versionRun, kFailed}},
};

constexpr bool inOrderOfMode() {
    for (std::size_t i = 0; i < std::size(kModes); ++i) {
        if (kModes[i].mode != static_cast<Mode>(i)) return false;
    }
    return std::size(kModes) == static_cast<std::size_t>(Mode::Version) + 1;
}
static_assert(inOrderOfMode(), "a row for every mode, in the order of Mode");

struct OptionRow {
    Word word;
    Modes modes;  // the modes it applies to
};

// The options, in the order --help shows them.
constexpr OptionRow kOptions[] = {
    {{"--plugin", nullptr, "FILE", text(&Options::pluginPath),
      "the plug-in to load (default: the one beside hudhost)"},
     kLive | bit(Mode::List)},
    {{"--workdir", nullptr, "DIR", text(&Options::workDir),
      "run in DIR; the HUD reads \"Plugins\\Startup Plugins\\VantorHUD.ini\" there"},
     kLive | bit(Mode::Check)},
    {{"--cmd", nullptr, "NAME", choice(&Options::commands, kCommands),
      "run a command: {}; repeat for more, in order. Commands run after a first, unsaved frame, "
      "as the user picks them in a viewport that is already up"},
     kLive},
    {{"--camera", nullptr, "NAME", choice(&Options::camera, kCameras),
      "the active view's camera: {}"},
     kViewport},
    {{"--selection-mode", nullptr, "MODE", choiceOrNumber(&Options::selectionMode, kSelectionModes),
      "{}, or any number the host might report"},
     kLive},
    {{kFacesOption, nullptr, "N", count(&Options::faces),
      "how many faces are selected (default 0)"},
     kLive},
    {{kEdgesOption, nullptr, "N", count(&Options::edges),
      "how many edges are selected (default 0)"},
     kLive},
    {{kVerticesOption, nullptr, "N", count(&Options::vertices),
      "how many vertices are selected (default 0)"},
     kLive},
    {{"--size", nullptr, "WxH", size(),
      "image size in pixels (default 640x480); for --check, the viewport the layout is checked "
      "in"},
     kViewport | bit(Mode::Check)},
    {{"--background", nullptr, "RRGGBB", colour(&Options::background),
      "the viewport's background colour in hexadecimal (default 8a909a)"},
     kViewport},
    {{"--frames", nullptr, "N", range(&Options::frames, 1, kMaxFrames),
      "frames to render (default 1)"},
     kOffscreen},
    {{"--hud-frames", nullptr, "N", range(&Options::hudFrames, 0, kMaxFrames),
      "call the HUD only in the first N frames; 0 never (default: every frame)"},
     bit(Mode::Picture)},
    {{"--draw-flag", nullptr, "N", range(&Options::drawFlags, kMinInt32, kMaxInt32),
      "call the drawing entry with flag N; repeat for several calls a frame, in order (default: "
      "one call with 0; the HUD draws only with 0)"},
     kLive},
    {{"--out", nullptr, "FILE", pngName(&Options::outPath),
      "the PNG of the last frame, its name ending in .png (default hudhost.png, but --bench "
      "writes none unless asked)"},
     kViewport},
    {{"--ignore", nullptr, "NAME[,NAME...]", findingNames(&Options::ignored),
      "leave out the findings of these names, the names in brackets that findings end with"},
     bit(Mode::Check)},
    {{"--format", nullptr, "NAME", choice(&Options::reportFormat, kReportFormats),
      "how the findings are printed: {}. The exit status is the same"},
     bit(Mode::Check)},
    {{"--code-page", nullptr, "N", range(&Options::codePage, 1, 65535),
      "read the layout as a Windows whose system code page is N would: 932 Japanese, 936 "
      "Chinese (simplified), 949 Korean, 950 Chinese (traditional), 1250 to 1258; Linux takes "
      "any of them, Windows only its own (default: 1252 on Linux, the system's on Windows)"},
     kLive | bit(Mode::Check)},
    {{"--gl-state", nullptr, nullptr, flag(&Options::glState),
      "print which GL state the HUD's drawing calls left changed"},
     kLive & ~bit(Mode::Window)},
};

// Reading a value.

// Lower case, with blanks and underscores as hyphens: "Main Perspective" finds main-perspective.
std::string normalized(const char* text) {
    std::string out;
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        out += (byte == ' ' || byte == '_') ? '-' : static_cast<char>(std::tolower(byte));
    }
    return out;
}

bool lookUp(Names table, const char* text, long& value) {
    const std::string wanted = normalized(text);
    for (const Named* entry = table.begin; entry != table.end; ++entry) {
        if (wanted == entry->name) {
            value = entry->value;
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

// The picture is PNG data whatever its name; a name that says otherwise misleads what opens it.
bool endsInPng(const char* text) {
    const std::string name = normalized(text);
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0;
}

// A value as read, for the field to take.
struct Read {
    const char* text = nullptr;
    long number = 0;
    int width = 0;
    int height = 0;
    Rgb colour{};
    std::vector<check::FindingKind> kinds;
    std::string unknown;  // a name of no finding
};

// `text` without the blanks around it.
std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// NAME[,NAME...], each the name of a kind of finding; blanks may stand around each, as people
// write lists.
bool parseFindingNames(const std::string& names, Read& out) {
    for (std::size_t start = 0; start <= names.size();) {
        const std::size_t end = std::min(names.find(',', start), names.size());
        const std::string name = trimmed(names.substr(start, end - start));
        const std::optional<check::FindingKind> kind = check::kindNamed(name);
        if (!kind) {
            out.unknown = name;
            return false;
        }
        out.kinds.push_back(*kind);
        start = end + 1;
    }
    return true;
}

bool read(const Value& value, const char* text, Read& out) {
    out.text = text;
    switch (value.kind) {
        case ArgumentKind::Flag:
        case ArgumentKind::Text:
        case ArgumentKind::OptionalText:
            return true;
        case ArgumentKind::PngName:
            return endsInPng(text);
        case ArgumentKind::Range:
            return parseNumber(text, value.low, value.high, out.number);
        case ArgumentKind::Choice:
            return lookUp(value.names, text, out.number);
        case ArgumentKind::ChoiceOrNumber:
            return lookUp(value.names, text, out.number) ||
                   parseNumber(text, kMinInt32, kMaxInt32, out.number);
        case ArgumentKind::Size:
            return parseSize(text, out.width, out.height);
        case ArgumentKind::Colour:
            return parseColour(text, out.colour);
        case ArgumentKind::FindingNames:
            return parseFindingNames(text, out);
    }
    return false;
}

// Puts a value read into the field it fills: a repeated option adds to its list.
struct Fill {
    Options& options;
    const Read& read;

    void operator()(std::monostate) const {}
    void operator()(bool Options::*field) const { options.*field = true; }
    void operator()(std::string Options::*field) const {
        if (read.text != nullptr) options.*field = read.text;
    }
    void operator()(std::uint32_t Options::*field) const {
        options.*field = static_cast<std::uint32_t>(read.number);
    }
    void operator()(long Options::*field) const { options.*field = read.number; }
    void operator()(std::int32_t Options::*field) const {
        options.*field = static_cast<std::int32_t>(read.number);
    }
    void operator()(Camera Options::*field) const {
        options.*field = static_cast<Camera>(read.number);
    }
    void operator()(check::ReportFormat Options::*field) const {
        options.*field = static_cast<check::ReportFormat>(read.number);
    }
    void operator()(Rgb Options::*field) const { options.*field = read.colour; }
    void operator()(Sides sides) const {
        options.*sides.width = read.width;
        options.*sides.height = read.height;
    }
    void operator()(std::vector<std::int32_t> Options::*field) const {
        (options.*field).push_back(static_cast<std::int32_t>(read.number));
    }
    void operator()(std::vector<vantor::PluginFunction> Options::*field) const {
        (options.*field).push_back(static_cast<vantor::PluginFunction>(read.number));
    }
    void operator()(std::vector<check::FindingKind> Options::*field) const {
        (options.*field).insert((options.*field).end(), read.kinds.begin(), read.kinds.end());
    }
};

// The number a choice's field holds in `options`; none for a list.
struct Chosen {
    const Options& options;

    template <class T>
    std::optional<long> operator()(T Options::*field) const {
        if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
            return static_cast<long>(options.*field);
        }
        return std::nullopt;
    }
    std::optional<long> operator()(std::monostate) const { return std::nullopt; }
    std::optional<long> operator()(Sides) const { return std::nullopt; }
};

// Writing about the rows.

// A choice's names; for --help, the default marked and each name's note after it.
std::vector<std::string> choices(const Value& value, bool forHelp) {
    const std::optional<long> byDefault = std::visit(Chosen{Options()}, value.field);
    std::vector<std::string> out;
    for (const Named* entry = value.names.begin; entry != value.names.end; ++entry) {
        std::string name = entry->name;
        if (forHelp && byDefault == entry->value) name += " (default)";
        if (forHelp && entry->note != nullptr) name += std::string(" (") + entry->note + ")";
        out.push_back(name);
    }
    return out;
}

// What an option takes, for a refusal; empty when any word will do.
std::string takes(const Value& value) {
    std::vector<std::string> names = choices(value, false);
    switch (value.kind) {
        case ArgumentKind::PngName:
            return "a name ending in .png (the picture is a PNG)";
        case ArgumentKind::Range:
            return "a whole number from " + std::to_string(value.low) + " to " +
                   std::to_string(value.high);
        case ArgumentKind::ChoiceOrNumber:
            names.push_back("a number");
            return check::listed(names, " or ");
        case ArgumentKind::Choice:
            return check::listed(names, " or ");
        case ArgumentKind::Size:
            return "WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxImageSide);
        case ArgumentKind::Colour:
            return "RRGGBB in hexadecimal";
        case ArgumentKind::FindingNames:
            return "the names that findings end with";
        default:
            return {};
    }
}

// How messages and --help name a mode: by its option, the default as "picture".
std::string modeName(Mode mode) {
    const char* option = kModes[static_cast<int>(mode)].word.name;
    return option != nullptr ? option : "picture";
}

// "picture, --soak and --bench": the modes of `modes`, in the order of the mode table.
std::string modeNames(Modes modes) {
    std::vector<std::string> names;
    for (const ModeRow& row : kModes) {
        if ((modes & bit(row.mode)) != 0) names.push_back(modeName(row.mode));
    }
    return check::listed(names, " and ");
}

// The rows the command line names.

struct Found {
    const Word* word = nullptr;
    const ModeRow* mode = nullptr;      // when it selects a mode
    const OptionRow* option = nullptr;  // when it is an option of one
};

bool spells(const Word& word, const std::string& written) {
    return (word.name != nullptr && written == word.name) ||
           (word.alias != nullptr && written == word.alias);
}

Found find(const std::string& written) {
    for (const ModeRow& row : kModes) {
        if (spells(row.word, written)) return {&row.word, &row, nullptr};
    }
    for (const OptionRow& row : kOptions) {
        if (spells(row.word, written)) return {&row.word, nullptr, &row};
    }
    return {};
}

std::string unknown(const std::string& written) {
    std::vector<std::string> spellings;
    for (const ModeRow& row : kModes) {
        if (row.word.name != nullptr) spellings.push_back(row.word.name);
    }
    for (const OptionRow& row : kOptions) spellings.push_back(row.word.name);
    const std::string near = check::didYouMean(written, spellings);
    return "unknown option " + written + (near.empty() ? " (see --help)" : near);
}

// An option as written: --name, or --name=value.
struct Written {
    std::string name;
    std::optional<std::string> value;  // after the "="
};

Written written(const std::string& arg) {
    const std::size_t equals = arg.find('=');
    if (arg.rfind("--", 0) != 0 || equals == std::string::npos) return {arg, std::nullopt};
    return {arg.substr(0, equals), arg.substr(equals + 1)};
}

// The value of option `i`: after its "=", or the next word for a row that takes one; false, with
// the error set, when it is missing or the row takes none. A mode's operand is no option's value:
// it may stand anywhere after the mode's options, as a bare word.
bool valueOf(const Word& word, const Written& option, int argc, char** argv, int& i,
             std::optional<std::string>& value, std::string& error) {
    value = option.value;
    if (word.value.kind == ArgumentKind::Flag && value) {
        error = option.name + " takes no value";
        return false;
    }
    if (value || word.value.kind == ArgumentKind::Flag ||
        word.value.kind == ArgumentKind::OptionalText) {
        return true;
    }
    if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        error = option.name + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

bool take(const Word& word, const char* text, Options& options, std::string& error) {
    Read value;
    if (text != nullptr && !read(word.value, text, value)) {
        const bool named = word.value.kind == ArgumentKind::FindingNames;
        // A shell splits an unquoted "a, b" after the comma, which leaves an empty name.
        const std::string hint = !named ? ""
                                 : value.unknown.empty()
                                     ? " (quote a list with blanks in it)"
                                     : check::didYouMean(value.unknown, check::kindNames());
        error = std::string(word.name) + " takes " + takes(word.value) + ", not '" +
                (named ? value.unknown : text) + "'" + hint;
        return false;
    }
    std::visit(Fill{options, value}, word.value.field);
    return true;
}

// Gives the mode's row the bare words of the command line, its operand; false, with the error set,
// when the mode takes none, or takes one and was given more.
bool takeOperands(const std::vector<std::string>& operands, bool valueGiven, Options& options,
                  std::string& error) {
    if (operands.empty()) return true;
    const Word& mode = kModes[static_cast<int>(options.mode)].word;
    if (mode.value.kind != ArgumentKind::OptionalText) {
        error = unknown(operands.front());
        return false;
    }
    if (operands.size() > 1 || valueGiven) {
        const std::string first =
            valueGiven ? options.*std::get<std::string Options::*>(mode.value.field) : operands[0];
        error = std::string(mode.name) + " takes one " + mode.argument + ", not both " + first +
                " and " + operands.back();
        return false;
    }
    return take(mode, operands.front().c_str(), options, error);
}

// --help's lines.

constexpr std::size_t kHelpColumn = 25;
constexpr std::size_t kHelpWidth = 99;

// `text` from the help column on, in lines of at most kHelpWidth; the first line starts where
// the option left the cursor.
std::string wrapped(const std::string& text) {
    const std::string indent(kHelpColumn, ' ');
    std::string out;
    std::size_t column = kHelpColumn;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (column > kHelpColumn && column + 1 + word.size() > kHelpWidth) {
            out += "\n" + indent;
            column = kHelpColumn;
        }
        if (column > kHelpColumn) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        start = end + 1;
    }
    return out + "\n";
}

std::string helpOf(const Word& word) {
    std::string head = std::string("  ") + word.name;
    if (word.alias != nullptr) head += std::string(", ") + word.alias;
    if (word.argument != nullptr) {
        const bool optional = word.value.kind == ArgumentKind::OptionalText;
        head += std::string(optional ? " [" : " ") + word.argument + (optional ? "]" : "");
    }
    std::string help = word.help;
    const std::size_t names = help.find("{}");
    if (names != std::string::npos) {
        help.replace(names, 2, check::listed(choices(word.value, true), " or "));
    }
    return (head.size() < kHelpColumn - 1 ? head + std::string(kHelpColumn - head.size(), ' ')
                                          : head + "\n" + std::string(kHelpColumn, ' ')) +
           wrapped(help);
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    options.drawFlags.clear();  // the flags given replace the default
    std::vector<const OptionRow*> given;
    const ModeRow* modeGiven = nullptr;
    std::vector<std::string> operands;  // the bare words; after "--", every word
    bool modeValueGiven = false;        // --check=FILE
    for (int i = 1; i < argc; ++i) {
        const Written option = written(argv[i]);
        if (option.name == "--") {  // the rest are operands, whatever they look like
            operands.insert(operands.end(), argv + i + 1, argv + argc);
            break;
        }
        if (!option.name.empty() && option.name[0] != '-') {
            operands.push_back(argv[i]);
            continue;
        }
        const Found found = find(option.name);
        if (found.word == nullptr) {
            error = unknown(option.name);
            return false;
        }
        std::optional<std::string> value;
        if (!valueOf(*found.word, option, argc, argv, i, value, error) ||
            !take(*found.word, value ? value->c_str() : nullptr, options, error)) {
            return false;
        }
        modeValueGiven = modeValueGiven || (found.mode != nullptr && value && !value->empty());
        if (found.option != nullptr) {
            given.push_back(found.option);
            continue;
        }
        // Help answers whatever else is asked; any other mode stands alone.
        const Mode mode = found.mode->mode;
        const bool help = mode == Mode::Help || options.mode == Mode::Help;
        if (modeGiven != nullptr && mode != options.mode && !help) {
            error = std::string(modeGiven->word.name) + " and " + found.word->name +
                    " are separate runs; give one at most";
            return false;
        }
        options.mode = help ? Mode::Help : mode;
        modeGiven = found.mode;
    }
    if (options.drawFlags.empty()) options.drawFlags = Options().drawFlags;
    if (options.mode == Mode::Help) {
        options = Options();
        options.mode = Mode::Help;
        return true;
    }

    for (const OptionRow* row : given) {
        if ((row->modes & bit(options.mode)) == 0) {
            error = std::string(row->word.name) + " does not apply to " + modeName(options.mode) +
                    "; it is for " + modeNames(row->modes);
            return false;
        }
    }
    const char* picture = kModes[static_cast<int>(options.mode)].picture;
    if (options.outPath.empty() && picture != nullptr) options.outPath = picture;
    return takeOperands(operands, modeValueGiven, options, error);
}

std::string usageText() {
    std::string text = R"(usage: hudhost [MODE] [OPTION]...

Loads the Vantor HUD plug-in as the modeller does, renders its viewport offscreen (a lit torus on a
grid) with the HUD drawn over it, and writes the last frame as a PNG: the picture. A mode does
something else instead; give one at most. An option's value is the next word, or follows an =
(--size=1920x1080); a mode's FILE may stand anywhere after its options, or after -- when its name
begins with -.

Modes:
)";
    for (const ModeRow& row : kModes) {
        if (row.word.name != nullptr) text += helpOf(row.word);
    }
    text += "\nOptions, with the modes they are for:\n";
    for (const OptionRow& row : kOptions) {
        text +=
            helpOf(row.word) + std::string(kHelpColumn, ' ') + "(" + modeNames(row.modes) + ")\n";
    }
    text +=
        "\nExit status: 0 done, 1 failed (plug-in, GL, picture or soak check), 2 bad options.\n";
    return text;
}

const ModeRun& modeRun(Mode mode) { return kModes[static_cast<int>(mode)].run; }

}  // namespace hudhost

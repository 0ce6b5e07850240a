// The platform facilities the HUD uses, behind one seam. win32.cpp calls the real Windows
// functions; posix.cpp gives the same answers on Linux. The build picks one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantor::platform {

// The character codes that have a glyph list: 32 to 127, one list each.
constexpr int kFirstGlyph = 32;
constexpr int kGlyphCount = 96;
// The last code that draws a letter: DEL's list draws a missing-glyph box.
constexpr int kLastDrawnGlyph = 126;

// The pixels of a zero-size bitmap, which moves the raster position and draws nothing: glBitmap
// reads none of them, but takes a pointer.
inline constexpr unsigned char kNoPixels = 0;

// The characters of the system code page. Bytes below 0x80 are ASCII in every code page Windows
// uses as its system one. In a double-byte one (932, 936, 949, 950) a lead byte, always 0x81 or
// above, and the byte after it stand for one character; that trail byte may be ASCII from 0x40 on
// (the backslash 0x5C, letters), never one below, so never '*'.
struct CodePageCharacters {
    // What bytes 0x80 to 0xFF stand for alone, by byte - 0x80; 0 for a byte that stands for none
    // alone (undefined, or a lead byte).
    char32_t single[128] = {};
    bool lead[128] = {};  // by byte - 0x80: it leads a pair
    // A double-byte code page's pairs, by (lead - 0x80) * 256 + trail: the character, 0 for a
    // pair that stands for none. Null for a single-byte code page. Shared, never changed.
    std::shared_ptr<const std::vector<char32_t>> pairs;

    char32_t operator[](std::size_t i) const { return single[i]; }
    bool leads(unsigned char byte) const { return byte >= 0x80 && lead[byte - 0x80]; }
    // The character of the pair `first` `second`, `first` a lead byte; 0 for none.
    char32_t pair(unsigned char first, unsigned char second) const {
        return pairs ? (*pairs)[static_cast<std::size_t>(first - 0x80) * 256 + second] : 0;
    }
};

// The window-system handle of the current GL context's device; null when none is current.
using DeviceContext = void*;

// The GetPrivateProfileStringA contract for one value: the value of `key` in `section` of the INI
// file at `path` into `buffer`, cut to `size` - 1 characters and zero-terminated; returns the
// characters placed. A missing file, section or key gives `fallback` less its trailing spaces, and
// its length. Names match without regard to letter case; blanks around names and values are
// trimmed and one pair of matching outer quotes is removed. `path` may separate folders with '\'.
// Nothing of the file is kept open. Callers name one key: the listing of a section's keys is
// readProfileKeyNames.
std::uint32_t readProfileString(const char* section, const char* key, const char* fallback,
                                char* buffer, std::uint32_t size, const char* path);

// The GetPrivateProfileStringA contract with no key: the names of the keys of the first section
// named `section`, each zero-terminated and one more zero after the last, into `buffer`; returns
// the characters placed less that last zero. A list that does not fit is cut, its result size - 2.
std::uint32_t readProfileKeyNames(const char* section, char* buffer, std::uint32_t size,
                                  const char* path);

// Whether the file at `path` (folders separated by '\' or '/') can be opened for reading.
bool canOpenForReading(const char* path);

// Into `out`, the bytes that Windows' conversion to the system code page (WideCharToMultiByte with
// CP_ACP, best fit allowed) makes of `count` UTF-16 units, as the profile functions hand a UTF-16
// file's text to the ...A calls: a character the code page lacks becomes a like one (Ł gives L) or
// '?', and one beyond U+FFFF, two units, "??". On Linux Windows-1252 with its best fit, one byte a
// unit; another page useCodePage chose gives '?' for each unit it lacks.
void toCodePage(const char16_t* units, std::size_t count, std::string& out);

// When the file at `path` (folders separated by '\\' or '/') was last written, and its size.
struct FileStamp {
    std::int64_t written = 0;  // in the system's own units
    std::uint64_t size = 0;
    bool operator==(const FileStamp& other) const {
        return written == other.written && size == other.size;
    }
};

// The stamp of the file at `path`; empty when there is none.
std::optional<FileStamp> fileStamp(const char* path);

// Milliseconds from an arbitrary start, 32 bits, wrapping.
std::uint32_t tickCount();

// Calendar time in seconds since the epoch.
std::int64_t calendarTime();

// Re-reads the time-zone rules (TZ when set, else the system's).
void refreshTimeZone();

// Local broken-down time of `seconds`; false when it cannot be converted.
bool toLocalTime(std::int64_t seconds, std::tm& out);

// The names a clock format spells out, in the user's language as the system gives them (Windows:
// GetDateFormatEx and GetTimeFormatEx for the user's locale; Linux: the C library's, from the
// environment's LC_ALL, LC_TIME or LANG), UTF-8, each cut to fit at a character boundary.
constexpr int kClockNameSize = 64;
struct ClockNames {
    char months[12][kClockNameSize];  // January first
    char shortMonths[12][kClockNameSize];
    char days[7][kClockNameSize];  // Sunday first, as std::tm counts them
    char shortDays[7][kClockNameSize];
    char am[kClockNameSize];
    char pm[kClockNameSize];
};
void readClockNames(ClockNames& names);

// The device context of the current GL context, null when no context is current.
DeviceContext currentDeviceContext();

// Face names are UTF-8 here, whatever the script: the system is handed them as wide text
// (CreateFontW) or as fontconfig's family, which knows a face by each of its localized names.

// Fills the kGlyphCount display lists from listBase with bitmap glyphs of the codes from
// kFirstGlyph, in face `face` at a character height of `pixelHeight` pixels and of weight `weight`
// (100 to 900, 400 regular, 700 bold, as CreateFont and OpenType count it; the nearest the face
// has). Each list draws its glyph at the raster position and advances it by the glyph's width. An
// unknown face is replaced by the system's choice of a substitute. These lists come from that font
// alone.
constexpr int kRegularFontWeight = 400;
void buildGlyphLists(DeviceContext dc, const char* face, int pixelHeight, unsigned int listBase,
                     int weight = kRegularFontWeight);

// The system code page's characters: Windows' ANSI code page; on Linux Windows-1252, or the page
// useCodePage chose.
void readCodePage(CodePageCharacters& table);

// Fills the `count` display lists from listBase with the bitmap glyphs of `codes`, in the font of
// buildGlyphLists and laid out as its glyphs are. A character at or above 0x80 that the font lacks
// comes from the first face of the system that has it, as the system chooses one (fontconfig's
// sorted list; the font-link lists, then the faces that cover it), at the same pixel height and on
// the same baseline, with that glyph's own advance. Only one that no face has gets the glyph the
// font draws for a missing one.
void buildCharacterLists(DeviceContext dc, const char* face, int pixelHeight, const char32_t* codes,
                         int count, unsigned int listBase, int weight = kRegularFontWeight);

// One glyph as its list draws it: `rows` bottom row first, each padded to whole bytes, most
// significant bit leftmost (glBitmap's reading with an unpack alignment of 1), and the origin
// glBitmap takes. A glyph without ink has no rows.
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int xorig = 0;
    int yorig = 0;
    std::vector<unsigned char> rows;
};

// The bitmaps that buildGlyphLists and buildCharacterLists compile for `codes`, from the same
// faces, so that a row made of them draws pixel for pixel as the lists do. Empty glyphs where
// the font cannot be had.
std::vector<GlyphBitmap> renderGlyphs(DeviceContext dc, const char* face, int pixelHeight,
                                      const char32_t* codes, int count,
                                      int weight = kRegularFontWeight);

// What the font of buildCharacterLists draws for one character beyond the 96.
struct CharacterMeasure {
    char32_t code;
    int advance;  // in whole pixels, as its list advances: the missing glyph's when no face has it
    bool has;     // whether a face has a glyph of its own for it, the font or another that
                  // buildCharacterLists takes (the font's missing glyph else)
};

// What the font that buildGlyphLists makes of `face` at `pixelHeight` pixels and `weight` draws.
struct FontMeasure {
    int advances[kGlyphCount];  // each code's advance in whole pixels, from kFirstGlyph
    bool lacks[kGlyphCount];    // whether the font has no glyph of its own for the code: its
                                // list draws the missing-glyph box
    // How many pixel rows the tallest of the drawn glyphs 32..126 covers from the row its
    // baseline stands on upward: drawn at baseline row b, it reaches row b + ascent - 1.
    int ascent;
    // How many pixel rows the lowest of them reaches below that row: down to row b - descent.
    int descent;
    std::string drawn;  // the name of the face the system draws
    // The face the system draws in place of `face`; empty when it draws `face` itself, or a face
    // made to its metrics as a stand-in for it.
    std::string substitute;
    std::vector<CharacterMeasure> characters;  // those asked for, in the order asked
};

// Measures the font, with no GL context needed, and the `count` characters `codes` as
// buildCharacterLists draws them. Empty when no such font can be had.
std::optional<FontMeasure> measureFont(const char* face, int pixelHeight,
                                       const char32_t* codes = nullptr, int count = 0,
                                       int weight = kRegularFontWeight);

// For each of the `count` characters `codes`, the name of a face of this system that has a glyph
// of its own for it and for each of the `neededCount` characters `needed`, upright and of regular
// weight, the nearest to `face` the system can tell: the face buildCharacterLists would take,
// when nothing is needed besides. Empty where it knows none.
std::vector<std::string> facesHaving(const char* face, const char32_t* codes, int count,
                                     const char32_t* needed = nullptr, int neededCount = 0);

}  // namespace vantor::platform

namespace vantor::platform {

// Whether a row of the `count` characters `text` has to go through the bidirectional algorithm
// and the shaping engine to read as it is written: it holds a character that runs right to left
// (of bidirectional type R or AL, or an Arabic-Indic digit), a direction control (LRM, RLM, ALM,
// LRE..RLO, the isolates), or a character of a script whose letters join, reorder or stack
// (Arabic, Syriac, the Indic scripts, Thai, Khmer and the like), as the system's own engine
// judges a character complex. Latin, Greek, Cyrillic and CJK text, symbols and precomposed
// letters such as U+00E9 are not.
bool needsShaping(const char32_t* text, int count);

// One glyph of a shaped row, in visual order: its index in the face that draws it and where its
// origin lies, in whole pixels from the row's origin on the baseline (x to the right, y upward),
// the engine's offset included.
struct ShapedGlyph {
    unsigned int index;
    int x;
    int y;
    int face;  // 0: the chosen face; 1 on: the fallback faces, in the order the engine took them
};

// What shaping found beside the glyphs.
struct ShapeNotes {
    int width = 0;                 // the pen's advance over the row, in whole pixels
    int missing = -1;              // the first character that no face has a glyph for, -1 when none
    bool unclosedControl = false;  // an embedding, override or isolate the row leaves open
};

// The platform's shaping engine over one face: FriBidi and HarfBuzz over FreeType on Linux,
// Uniscribe over a GDI font on Windows. A run of one script and direction that holds characters
// the face lacks is shaped whole with the first fallback face that has them, as the character
// lists take theirs. Opening it allocates, and so does the first row that needs a new fallback
// face; shaping a row of at most the capacity given to open otherwise allocates nothing.
class Shaper {
public:
    Shaper();
    ~Shaper();
    Shaper(const Shaper&) = delete;
    Shaper& operator=(const Shaper&) = delete;

    // Opens `face` (UTF-8) of `weight` at a character height of `pixelHeight` pixels, as
    // buildGlyphLists makes it, for rows of up to `capacity` characters; false when no such font
    // can be had.
    bool open(DeviceContext dc, const char* face, int pixelHeight, int capacity, int weight);
    void close();
    bool opened() const;

    // Orders the `count` characters `text` (logical order, count <= capacity) by the Unicode
    // bidirectional algorithm, its paragraph direction that of the first strong character, and
    // shapes each run: at most `room` glyphs into `glyphs`, in visual order; returns how many.
    // Direction controls lay out but draw no glyph.
    int shape(const char32_t* text, int count, ShapedGlyph* glyphs, int room, ShapeNotes& notes);

    // The bitmap of glyph `index` of face `face` (ShapedGlyph::face), laid out as the glyph lists
    // lay theirs; a glyph without ink has no rows.
    GlyphBitmap render(int face, unsigned int index);

private:
    struct Engine;
    Engine* engine_ = nullptr;
};

}  // namespace vantor::platform

// The INI syntax of the Windows profile reader, parsed once into an index of sections and keys that
// tells where each is written. The Linux reader answers from it; the layout checker and the bench
// read files through it on both systems, so that none of them has a grammar of its own.
//
// Lines end at LF (a CR before it is a blank). Blanks are space, tab, vertical tab and CR; they
// are trimmed around section names, key names and values. A line whose first non-blank character
// is '[' names a section, up to the first ']' or the end of the line; text after the ']' is
// ignored. A line starting with ';' is a comment; there are no inline comments. Any other line
// holds a key only if it has an '=' and follows a section header. A name or value ends at its
// first NUL byte, and a value that starts and ends with the same quote (" or ') loses that pair.
//
// Windows reads a UTF-16 file in its own characters and converts only what it hands over: the
// lines, blanks, brackets, '=' and quotes are those characters, never a like byte the code page
// gives for another (U+FF1D, full-width '=', is no '='), and a name holding a character that the
// code page lacks matches no name asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace vantor::platform {

// Larger files the Linux reader reads as absent: no INI file is that big, and junk at the path
// must stay cheap.
constexpr std::uint64_t kMaxIniBytes = 16u << 20;

// The forms of file on which readers of profiles part ways, and how one reader takes them.
struct IniForms {
    bool readsPastUtf8Mark = false;            // a UTF-8 byte-order mark is no part of line 1
    bool crAloneEndsLines = false;             // in a file without LF, each CR ends a line
    std::uint64_t largestFile = kMaxIniBytes;  // larger files read as absent
};

// How this build's readProfileString takes those forms: the Linux reader's own choices, or what
// Windows' reader answers when asked once (wine reads past the mark, Windows 10 does not).
IniForms profileForms();

// Where a thing is written: its line and column, both from 1, the column counted in characters
// of the line as read (bytes; a UTF-16 file's own characters).
struct IniPlace {
    int line = 0;
    int column = 0;
};

struct IniKey {
    std::string_view name;   // as names are compared: blanks around it removed, up to a NUL
    std::string_view value;  // as it is handed over, before any cut to a buffer's size
    IniPlace at;             // of the name
    IniPlace valueAt;        // of the value's first character; for an empty one, where it ends
    bool reachable;          // its name can be asked for
};

struct IniSection {
    std::string_view name;
    IniPlace at;  // of its '['
    bool reachable;
    std::size_t firstKey;  // its keys are keys firstKey .. firstKey + keyCount - 1
    std::size_t keyCount;
};

// A line the reader takes nothing from, yet neither blank nor a comment: a line without '=' in a
// section, or any such line before the first section header.
struct IniStray {
    IniPlace at;          // of its first non-blank character
    char first;           // that character
    bool beforeSections;  // it comes before any section header, where even KEY=value is lost
};

class IniIndex;

// The GetPrivateProfileStringA contract (readProfileString) answered from `index`, the file's:
// null for a file that cannot be read.
std::uint32_t answerProfileRead(const IniIndex* index, const char* section, const char* key,
                                const char* fallback, char* buffer, std::uint32_t size);

class IniIndex {
public:
    // Replaces the index with the sections and keys of `text`, which may hold any bytes. Its lines
    // end at `lineEnd`: LF, or CR for a file read with CR line ends.
    void parse(std::string text, char lineEnd = '\n');

    // The same for a UTF-16 file: `units` are its characters and `text` their bytes in the code
    // page, one a unit, where values are read. A code page that gives some unit more bytes has
    // `text` read as bytes.
    void parse(std::string text, std::u16string_view units, char lineEnd = '\n');

    // `bytes`, a whole file, as a reader that takes `forms` reads it: a UTF-16 file known by its
    // byte-order mark and converted to the code page (toCodePage); the size limit is the caller's.
    void parseFile(std::string bytes, const IniForms& forms);

    // The key `key` of the first section named `section`; later sections of the same name and
    // later keys of the same name are never seen. Names match without regard to ASCII letter case,
    // after leading and trailing spaces of the query are removed. Empty when absent.
    std::optional<IniKey> find(std::string_view section, std::string_view key) const;
    // The first section named `section`, the one find searches; empty when there is none.
    std::optional<IniSection> findSection(std::string_view section) const;

    // Everything the file holds, in file order. Views stay valid while the index is unchanged.
    std::size_t sectionCount() const { return sections_.size(); }
    IniSection section(std::size_t s) const;
    IniKey key(std::size_t k) const;
    // The first kStraysKept stray lines, and how many there are: a file of junk has one a line.
    static constexpr std::size_t kStraysKept = 64;
    const std::vector<IniStray>& strays() const { return strays_; }
    std::size_t strayCount() const { return strayCount_; }

private:
    struct Span {
        std::size_t begin;
        std::size_t length;
    };
    struct Key {
        Span name;
        Span value;
        IniPlace at;
        IniPlace valueAt;
        bool reachable;  // its name can be asked for
    };
    struct Section {
        Span name;
        IniPlace at;
        bool reachable;
        std::size_t firstKey;
        std::size_t keyCount;
    };
    struct Line {
        std::size_t start;  // of the line, for columns
        int number;
    };

    // `shape` holds the characters that make the lines: `text_` itself, or a UTF-16 file's units.
    template <typename Unit>
    void index(std::basic_string_view<Unit> shape, Unit lineEnd);
    template <typename Unit>
    void addLine(std::basic_string_view<Unit> shape, Line line, std::size_t end);
    template <typename Unit>
    static Span field(std::basic_string_view<Unit> shape, std::size_t begin, std::size_t end);
    bool reachable(std::string_view, Span) const { return true; }
    bool reachable(std::u16string_view units, Span name) const;
    std::string_view view(Span span) const { return {text_.data() + span.begin, span.length}; }
    static IniPlace place(Line line, std::size_t at) {
        return {line.number, static_cast<int>(at - line.start) + 1};
    }

    std::string text_;
    CodePageCharacters codePage_;  // a UTF-16 file's: the characters of its bytes
    std::vector<Section> sections_;
    std::vector<Key> keys_;
    std::vector<IniStray> strays_;
    std::size_t strayCount_ = 0;
};

}  // namespace vantor::platform

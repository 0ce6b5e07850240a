// The INI syntax of the Windows profile reader, parsed once into an index of sections and keys.
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
#include <string>
#include <string_view>
#include <vector>

namespace vantor::platform {

class IniIndex {
public:
    // Replaces the index with the sections and keys of `text`, which may hold any bytes.
    void parse(std::string text);

    // The same for a UTF-16 file: `units` are its characters and `text` their bytes in the code
    // page, one a unit, where values are read.
    void parse(std::string text, std::u16string_view units);

    // The value of `key` in the first section named `section`; later sections of the same name
    // and later keys of the same name are never seen. Names match without regard to ASCII letter
    // case, after leading and trailing spaces of the query are removed. False when absent.
    bool find(std::string_view section, std::string_view key, std::string_view& value) const;

private:
    struct Span {
        std::size_t begin;
        std::size_t length;
    };
    struct Key {
        Span name;
        Span value;
        bool reachable;  // its name can be asked for
    };
    struct Section {
        Span name;
        bool reachable;
        std::size_t firstKey;
        std::size_t keyCount;
    };

    // `shape` holds the characters that make the lines: `text_` itself, or a UTF-16 file's units.
    template <typename Unit>
    void index(std::basic_string_view<Unit> shape);
    template <typename Unit>
    void addLine(std::basic_string_view<Unit> shape, std::size_t begin, std::size_t end);
    template <typename Unit>
    static Span field(std::basic_string_view<Unit> shape, std::size_t begin, std::size_t end);
    bool reachable(std::string_view, Span) const { return true; }
    bool reachable(std::u16string_view units, Span name) const;
    std::string_view view(Span span) const { return {text_.data() + span.begin, span.length}; }

    std::string text_;
    std::vector<Section> sections_;
    std::vector<Key> keys_;
};

}  // namespace vantor::platform

// The layout file as a user sees it in an editor, parsed by the HUD's own grammar (ini_parse.h):
// its sections and KEY=value lines with their lines and columns, the encoding it was saved in, and
// which sections the reader of this build sees. The HUD's reader answers what a key holds; this
// tells where a thing is written, what is written twice, what is written but never asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace hudhost::check {

struct Entry {
    int line;
    int column;         // of the key's name
    std::string name;   // as the reader compares it: blanks around it removed, up to a NUL
    std::string value;  // as the reader hands it over: blanks and outer quotes removed, not cut
    int valueColumn;    // of the value as handed over; for an empty one, where it ends
    // A UTF-16 file's: the value as written, in UTF-8, before the reader's conversion to the code
    // page. Empty for any other file.
    std::string written;
};

struct Section {
    int line;
    int column;
    std::string name;  // between the brackets, blanks around it removed
    std::vector<Entry> entries;
    std::size_t firstOfName;  // the first section of this name: the one the reader takes
    bool read;                // the reader of this build sees its keys
};

// A line that is neither a section, a KEY=value line nor a comment, or a key before any section.
struct Stray {
    int line;
    int column;
    bool beforeSections;
    bool hashComment;  // starts with '#', which is no comment mark
};

// UTF-16 is read by the HUD only with its byte-order mark; without one it reads the bytes.
enum class Encoding { Ansi, Utf8Bom, Utf16, Utf16WithoutMark };

struct LayoutText {
    std::uint64_t fileBytes = 0;
    Encoding encoding = Encoding::Ansi;
    bool crOnly = false;  // lines end in CR alone
    std::vector<Section> sections;
    std::vector<Stray> strays;   // the first of them
    std::size_t strayCount = 0;  // all of them
    bool writable = true;        // this user can save over the file
};

// The file at `path` as an editor shows it: a UTF-16 file in its characters, with or without the
// mark, past a UTF-8 mark, in lines ending in CR alone when it has no LF. Only its first
// kMaxIniBytes are scanned. Empty when it cannot be read.
std::optional<LayoutText> scanLayout(const std::string& path);

// `name` in capitals, as the reader compares names.
std::string upper(const std::string& name);

// The first entry of each name in `section`, by its name in capitals: the one the reader finds.
std::unordered_map<std::string, const Entry*> firstEntries(const Section& section);

// The CONFIG line of `key` (in capitals) that the reader reads, or null when the file does not set
// it.
const Entry* configEntry(const LayoutText& text, const char* key);

// Whether this user can save over the file at `path`: what the system's own test of write access
// says (access with W_OK; on Windows, the file's read-only attribute). Built per system.
bool canSaveOver(const std::string& path);

}  // namespace hudhost::check

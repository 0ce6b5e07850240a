// The layout file as a user sees it in an editor: its sections and KEY=value lines with their line
// numbers and columns, and the encoding it was saved in. The HUD's own reader answers what a key
// holds; this scan only finds what that reader does not tell: where a thing is written, what is
// written twice, what is written but never asked for.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace hudhost::check {

// Files are scanned up to this size; the Linux reader takes nothing larger.
constexpr std::uint64_t kScanLimit = 16u << 20;

struct Entry {
    int line;
    int column;         // of the key's name
    std::string name;   // as written, blanks around it removed
    std::string value;  // as written, blanks around it removed, quotes kept
    int valueColumn;    // of the value's first character, or just after the '=' when empty
};

struct Section {
    int line;
    int column;
    std::string name;  // between the brackets, blanks around it removed
    std::vector<Entry> entries;
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
    std::vector<Stray> strays;
};

// Scans the first kScanLimit bytes of the file at `path`; false when it cannot be read.
bool scanLayout(const std::string& path, LayoutText& out);

// `name` in capitals, as the reader compares names.
std::string upper(const std::string& name);

// The first entry of each name in `section`, by its name in capitals: the one the reader finds.
std::unordered_map<std::string, const Entry*> firstEntries(const Section& section);

}  // namespace hudhost::check

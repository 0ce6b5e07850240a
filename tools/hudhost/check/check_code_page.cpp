// The code page the rows are read in: the characters a UTF-16 file's rows lose in the conversion
// to it, and rows read in it that were saved in another.
#include <algorithm>

#include "check/layout.h"
#include "platform/tools.h"

namespace hudhost::check {
namespace {

using vantor::RowEncoding;
using vantor::platform::CodePageCharacters;

// The double-byte code pages a file saved elsewhere is tried in, with the language each serves.
struct OtherPage {
    unsigned int number;
    const char* language;
};
constexpr OtherPage kOtherPages[] = {{932, "Japanese"},
                                     {936, "Chinese, simplified"},
                                     {949, "Korean"},
                                     {950, "Chinese, traditional"}};

// How the rows read in a double-byte code page: whether every high byte is a character of it, and
// how many pairs they make, all of them and those whose trail byte is high too.
struct PairCount {
    bool clean = true;
    int pairs = 0;
    int highPairs = 0;
};

void countPairs(const char* text, const CodePageCharacters& page, PairCount& count) {
    for (const char* at = text; *at != '\0' && count.clean;) {
        const char* start = at;
        const char32_t c = vantor::nextCharacter(at, RowEncoding::kCodePage, page);
        // The user-defined pairs stand for private-use characters: no text is made of them.
        count.clean = c != 0 && (c < 0xE000 || c > 0xF8FF);
        if (at - start != 2) continue;
        ++count.pairs;
        count.highPairs += static_cast<unsigned char>(start[1]) >= 0x80;
    }
}

// Text of a double-byte code page is mostly pairs of two high bytes (the Han characters, kana and
// hangul); Western text that such a page also reads pairs an accented letter with the ASCII letter
// after it.
bool savedThere(const PairCount& count) {
    return count.clean && count.highPairs >= 2 && 2 * count.highPairs >= count.pairs;
}

std::string shownIn(const char* text, const CodePageCharacters& page) {
    std::string out;
    for (const char* at = text; *at != '\0';) {
        const char32_t c = vantor::nextCharacter(at, RowEncoding::kCodePage, page);
        if (c != 0) out += utf8Text(c);
    }
    return out;
}

// Rows read in a single-byte code page that read cleanly, pairs and all, in a double-byte one: a
// file saved on a Japanese, Chinese or Korean Windows. Told once, at the first such row.
void checkSavedElsewhere(const Layout& layout, Findings& findings) {
    // A UTF-16 file's bytes are the reader's own conversion.
    if (layout.codePage.pairs || layout.text.encoding == Encoding::Utf16) return;
    std::vector<const LoadedRow*> rows;
    for (const LoadedRow& row : layout.rows) {
        if (row.encoding == RowEncoding::kCodePage) rows.push_back(&row);
    }
    if (rows.empty()) return;
    std::string pages;
    std::string shown;
    unsigned int first = 0;
    for (const OtherPage& other : kOtherPages) {
        CodePageCharacters page;
        if (!vantor::platform::readCodePageOf(other.number, page)) continue;
        PairCount count;
        for (const LoadedRow* row : rows) countPairs(row->text, page, count);
        if (!savedThere(count)) continue;
        pages += std::string(pages.empty() ? "" : ", ") + std::to_string(other.number) + " (" +
                 other.language + ")";
        if (first == 0) {
            first = other.number;
            shown = shownIn(rows.front()->text, page);
        }
    }
    if (first == 0) return;
    const LoadedRow& row = *rows.front();
    const std::string number = std::to_string(vantor::platform::codePageNumber());
    findings.add(FindingKind::OtherCodePage, Severity::Warning, row.entry->line, row.textColumn,
                 "the rows are read in code page " + number + ", where this one draws as \"" +
                     shownText(layout, row.text, row.encoding) +
                     "\", but their bytes read cleanly in code page " + pages +
                     ": the file was saved there (in code page " + std::to_string(first) +
                     " this row reads \"" + shown +
                     "\"); a Windows whose system code page that is draws it so: check it as such "
                     "with --code-page " +
                     std::to_string(first) + ", or save the file as UTF-8 for every system");
}

// The characters of a UTF-16 file's rows that the conversion to the code page turns into others:
// a like letter, '?', or nothing. Told on each row, at the first of them.
void checkLostInConversion(const Layout& layout, Findings& findings) {
    if (layout.text.encoding != Encoding::Utf16) return;
    for (const LoadedRow& row : layout.rows) {
        const std::string& written = row.entry->written;
        std::vector<char32_t> lost;
        std::string became;
        int column = -1;
        int index = 0;
        for (const char* at = written.c_str(); *at != '\0'; ++index) {
            const char32_t c = vantor::nextCharacter(at, RowEncoding::kUtf8, layout.codePage);
            const std::string read = inCodePage(c, layout.codePage);
            if (read == utf8Text(c)) continue;
            if (column < 0) column = row.textColumn + index;
            if (std::find(lost.begin(), lost.end(), c) != lost.end()) continue;
            lost.push_back(c);
            became += std::string(became.empty() ? "" : ", ") + "\"" + read + "\"";
        }
        if (lost.empty()) continue;
        std::string names;
        for (const char32_t c : lost) names += (names.empty() ? "" : ", ") + named(c);
        const bool many = lost.size() > 1;
        findings.add(FindingKind::Utf16File, Severity::Warning, row.entry->line, column,
                     "the file is saved as UTF-16, which the HUD reads converted to the system "
                     "code page (" +
                         std::to_string(vantor::platform::codePageNumber()) + "): it has no " +
                         names + "; " + (many ? "they draw as " : "it draws as ") + became +
                         "; save the file as UTF-8, without a byte-order mark");
    }
}

}  // namespace

std::string inCodePage(char32_t c, const CodePageCharacters& page) {
    std::u16string units;
    if (c > 0xFFFF) {
        units = {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                 static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
    } else {
        units = {static_cast<char16_t>(c)};
    }
    std::string bytes;
    vantor::platform::toCodePage(units.data(), units.size(), bytes);
    std::string out;
    for (const char* at = bytes.c_str(); *at != '\0';) {
        const char32_t read = vantor::nextCharacter(at, RowEncoding::kCodePage, page);
        if (read != 0) out += utf8Text(read);
    }
    return out;
}

void checkCodePage(const Layout& layout, Findings& findings) {
    checkLostInConversion(layout, findings);
    checkSavedElsewhere(layout, findings);
}

}  // namespace hudhost::check

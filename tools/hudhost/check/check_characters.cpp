// The characters of the loaded rows, read as the HUD reads them: each row's bytes decoded by its
// own functions in its own encoding, the characters beyond ASCII gathered by its own gathering,
// and the font measured with them. What draws nothing, or not as written, is named.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>

#include "check/layout.h"
#include "layout/drawn_width.h"

namespace hudhost::check {
namespace {

using vantor::CharacterLists;
using vantor::RowEncoding;
using vantor::platform::CharacterMeasure;

// Why a character of a row draws as it does.
enum class Drawn {
    kAsWritten,
    kControl,       // a control character: nothing
    kNoCharacter,   // a code page byte that stands for none: nothing
    kDelete,        // the font's missing-glyph box, from the 96
    kMissingGlyph,  // a character no face of the system has: the font's missing glyph
    kQuestionMark,  // past the bound of the lists: '?'
};

struct Character {
    char32_t code;
    std::size_t at;  // its first byte in the row
    std::size_t length;
    Drawn drawn;
};

// The last font measured, with the characters it was measured for: the installed fonts do not
// change while hudhost runs, and the font lookup is the dearest part of a check.
const LayoutFont* fontOf(const vantor::HudSettings& s, const std::string& faceName,
                         CharacterLists& lists) {
    std::vector<char32_t> codes(lists.codes(), lists.codes() + lists.count());
    static bool done = false;
    static std::string face;
    static int size = 0;
    static int weight = 0;
    static std::vector<char32_t> characters;
    static std::optional<LayoutFont> font;
    if (done && face == s.fontFace && size == s.fontSize && weight == s.fontWeight &&
        characters == codes) {
        return font ? &*font : nullptr;
    }
    done = true;
    face = s.fontFace;
    size = s.fontSize;
    weight = s.fontWeight;
    characters = codes;
    font.reset();
    auto measure = vantor::platform::measureFont(faceName.c_str(), s.fontSize, codes.data(),
                                                 static_cast<int>(codes.size()), s.fontWeight);
    if (!measure) return nullptr;
    readDrawnAdvances(faceName, s, lists, *measure);
    font = LayoutFont{std::move(*measure), faceName};
    return &*font;
}

// The measured character `c`, null when it was not measured.
const CharacterMeasure* measured(const LayoutFont& font, char32_t c) {
    const std::vector<CharacterMeasure>& all = font.measure.characters;
    const auto at =
        std::lower_bound(all.begin(), all.end(), c,
                         [](const CharacterMeasure& m, char32_t v) { return m.code < v; });
    return at != all.end() && at->code == c ? &*at : nullptr;
}

Drawn drawnOf(const Layout& layout, const LoadedRow& row, bool shaped, char32_t c,
              unsigned char first) {
    if (c == 0x7F) return Drawn::kDelete;
    // A shaped row's direction controls direct its order and are meant to draw nothing.
    if (shaped && vantor::RowShaper::isDirectionControl(c)) return Drawn::kAsWritten;
    // A code page that gives a byte no character, or a C1 control, leaves it none to draw.
    if (row.encoding == RowEncoding::kCodePage && first >= 0x80 &&
        !vantor::GatheredCharacters::wanted(c)) {
        return Drawn::kNoCharacter;
    }
    const char32_t drawn = drawnAs(layout, c);
    if (drawn == 0) return Drawn::kControl;
    if (drawn != c) return Drawn::kQuestionMark;
    const CharacterMeasure* m = layout.font != nullptr ? measured(*layout.font, c) : nullptr;
    return m != nullptr && !m->has ? Drawn::kMissingGlyph : Drawn::kAsWritten;
}

std::vector<Character> charactersOf(const Layout& layout, const LoadedRow& row, bool shaped) {
    std::vector<Character> out;
    for (const char* text = row.text; *text != '\0';) {
        const char* start = text;
        const char32_t c = vantor::nextCharacter(text, row.encoding, layout.codePage);
        out.push_back({c, static_cast<std::size_t>(start - row.text),
                       static_cast<std::size_t>(text - start),
                       drawnOf(layout, row, shaped, c, static_cast<unsigned char>(*start))});
    }
    return out;
}

}  // namespace

std::string utf8Text(char32_t c) {
    std::string out;
    vantor::appendUtf8(c, out);
    return out;
}

namespace {

std::string codePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned int>(c));
    return text;
}

std::string hexBytes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%s0x%02X", out.empty() ? "" : " ", c);
        out += hex;
    }
    return out;
}

// A run of characters that draw nothing for one reason, named by its bytes.
void tellNothingDrawn(Findings& findings, const LoadedRow& row, const std::vector<Character>& run) {
    const std::size_t from = run.front().at;
    const std::string bytes(row.text + from, run.back().at + run.back().length - from);
    const bool many = bytes.size() > 1;
    const std::string what = (many ? "bytes " : "byte ") + hexBytes(bytes);
    const std::string them = many ? "them" : "it";
    std::string message;
    const bool noCharacter = run.front().drawn == Drawn::kNoCharacter;
    if (noCharacter) {
        message = what + (many ? " draw" : " draws") +
                  " nothing: the row is read in the system code page, which has no character "
                  "for " +
                  them + "; remove " + them + ", or save the file as UTF-8";
    } else {
        std::string codes;
        bool tab = false;
        for (const Character& c : run) {
            codes += (codes.empty() ? "" : " ") + codePoint(c.code);
            tab = tab || c.code == '\t';
        }
        message = what + " (" + codes +
                  (run.size() > 1 ? ", control characters) " : ", a control character) ") +
                  (many ? "draw" : "draws") +
                  " nothing: the HUD leaves out control characters; remove " + them +
                  (tab ? ", or write blanks for a tab" : "");
    }
    findings.add(noCharacter ? FindingKind::ByteWithoutCharacter : FindingKind::ControlCharacter,
                 Severity::Warning, row.entry->line, columnOf(row, from), message);
}

// A character past the bound of the lists, told once, where the layout first holds it.
void tellQuestionMark(const LoadedRow& row, const Character& c, Findings& findings) {
    findings.add(FindingKind::TooManyCharacters, Severity::Warning, row.entry->line,
                 columnOf(row, c.at),
                 named(c.code) + " draws as \"?\": the HUD makes glyphs for the first " +
                     std::to_string(vantor::kMaxCharacterLists) +
                     " different characters beyond ASCII it meets in the layout, and this one "
                     "comes after them; use fewer different characters");
}

// The characters of a row that no face of the system has, told in one line at the first.
void tellMissingGlyphs(const Layout& layout, const LoadedRow& row,
                       const std::vector<Character>& characters, Findings& findings) {
    std::vector<char32_t> missing;
    const Character* first = nullptr;
    for (const Character& c : characters) {
        if (c.drawn != Drawn::kMissingGlyph) continue;
        if (first == nullptr) first = &c;
        if (std::find(missing.begin(), missing.end(), c.code) == missing.end()) {
            missing.push_back(c.code);
        }
    }
    if (first == nullptr) return;
    std::string list;
    for (char32_t c : missing) list += (list.empty() ? "" : ", ") + named(c);
    const bool many = missing.size() > 1;
    findings.add(
        FindingKind::MissingGlyph, Severity::Warning, row.entry->line, columnOf(row, first->at),
        list + (many ? " draw" : " draws") + " as the font's missing-glyph box: no face " +
            "of this system has a glyph for " + (many ? "them" : "it") +
            " (FONT_FACE=" + layout.font->face + " is drawn as " + layout.font->measure.drawn +
            "); install a font that has " + (many ? "them" : "it"));
}

// The letters and digits a face lacks draw as its missing-glyph box from the 96 lists, which
// take no other face: every Latin letter of the rows and every token's value.
void checkFaceLetters(const Layout& layout, Findings& findings) {
    if (layout.font == nullptr) return;
    const vantor::platform::FontMeasure& measure = layout.font->measure;
    std::vector<char32_t> lacking;
    for (char32_t c = '0'; c <= 'z'; ++c) {
        const bool letter =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (letter && measure.lacks[c - vantor::platform::kFirstGlyph]) lacking.push_back(c);
    }
    if (lacking.empty()) return;
    const std::string& face = layout.font->face;
    // A face to name instead must keep each of them.
    const std::vector<std::string> having = vantor::platform::facesHaving(
        face.c_str(), lacking.data(), 1, lacking.data(), static_cast<int>(lacking.size()));
    std::string shown;
    for (std::size_t i = 0; i < lacking.size() && i < 8; ++i) shown += utf8Text(lacking[i]);
    if (lacking.size() > 8) shown += "…";
    const Entry* entry = configEntry(layout.text, "FONT_FACE");
    findings.add(
        FindingKind::FaceWithoutLetters, Severity::Warning, entry != nullptr ? entry->line : 0,
        entry != nullptr ? entry->valueColumn : 0,
        "FONT_FACE=" + face + " is drawn as " + measure.drawn + ", which has no glyph for " +
            std::to_string(lacking.size()) + " of the ASCII letters and digits (" + shown +
            "): the rows' Latin letters and every token's value draw as its "
            "missing-glyph box; " +
            (having.front().empty() ? std::string("name a face that has them")
                                    : "name a face that has them, such as " + having.front()) +
            ", and the characters it lacks are drawn from other faces");
}

// A row whose UTF-8 one byte breaks is read in the code page, one character a byte: told at that
// byte, with what becomes of its first whole UTF-8 character.
void noteBrokenUtf8(const Layout& layout, const LoadedRow& row, Findings& findings) {
    // In a double-byte code page, a row whose bytes all make its characters is its text, whatever
    // UTF-8 sequence a pair of them happens to form.
    bool decoded = layout.codePage.pairs != nullptr;
    for (const char* at = row.text; decoded && *at != '\0';) {
        decoded = vantor::nextCharacter(at, RowEncoding::kCodePage, layout.codePage) != 0;
    }
    if (decoded) return;
    const auto* bytes = reinterpret_cast<const unsigned char*>(row.text);
    std::size_t broken = std::string::npos;
    std::size_t whole = std::string::npos;
    for (std::size_t i = 0; bytes[i] != 0;) {
        const int length = bytes[i] < 0x80 ? 1 : vantor::utf8SequenceLength(bytes + i);
        if (length == 0 && broken == std::string::npos) broken = i;
        if (length > 1 && whole == std::string::npos) whole = i;
        i += static_cast<std::size_t>(length > 0 ? length : 1);
    }
    if (broken == std::string::npos || whole == std::string::npos) return;
    const char* text = row.text + whole;
    const char32_t meant = vantor::nextCharacter(text, RowEncoding::kUtf8, layout.codePage);
    std::string drawn;
    for (const char* byte = row.text + whole; byte < text;) {
        const char32_t c = vantor::nextCharacter(byte, RowEncoding::kCodePage, layout.codePage);
        if (drawnAs(layout, c) != 0) drawn += utf8Text(drawnAs(layout, c));
    }
    // The breaking byte as what the code page makes of it, where it makes a character of it.
    const char* at = row.text + broken;
    const char32_t read = vantor::nextCharacter(at, RowEncoding::kCodePage, layout.codePage);
    const std::string byte = hexBytes(std::string(1, row.text[broken]));
    findings.add(FindingKind::BrokenUtf8, Severity::Note, row.entry->line, columnOf(row, broken),
                 "the row is read in the system code page, not as UTF-8, as byte " + byte +
                     (read != 0 ? " (" + named(read) + " in the code page)" : "") +
                     " here is no part of a UTF-8 character: its " + named(meant) + " draws as \"" +
                     drawn + "\"; save the whole file as UTF-8");
}

// A shaped row that leaves an embedding, override or isolate open, as the engine that draws the
// row finds it: told at the row's first opening control.
void tellDirectionLeftOpen(const Layout& layout, const LoadedRow& row,
                           const std::vector<Character>& characters, Findings& findings) {
    vantor::RowShaper* shaper = shaperOf(layout.settings, layout.codePage);
    if (shaper == nullptr) return;
    if (!shaper->shape(row.text, row.encoding, layout.codePage).notes.unclosedControl) return;
    for (const Character& c : characters) {
        const bool opens = (c.code >= 0x202A && c.code <= 0x202E && c.code != 0x202C) ||
                           (c.code >= 0x2066 && c.code <= 0x2068);
        if (opens) {
            findings.add(FindingKind::DirectionLeftOpen, Severity::Warning, row.entry->line,
                         columnOf(row, c.at),
                         "the row leaves a direction control open, the first from " +
                             named(c.code) +
                             ": the rest of the row keeps its direction; close each with PDF "
                             "(U+202C), or PDI (U+2069) for an isolate");
            return;
        }
    }
}

}  // namespace

vantor::RowShaper* shaperOf(const vantor::HudSettings& settings,
                            const vantor::platform::CodePageCharacters& codePage) {
    static vantor::RowShaper shaper;
    static std::string face;
    static int size = 0;
    static int weight = 0;
    // The face's name is read as the HUD reads it, so a name in any script finds its face.
    const std::string name = vantor::toUtf8(settings.fontFace, codePage);
    if (!shaper.opened() || face != name || size != settings.fontSize ||
        weight != settings.fontWeight) {
        face = name;
        size = settings.fontSize;
        weight = settings.fontWeight;
        shaper.open(nullptr, name.c_str(), size, weight);
    }
    return shaper.opened() ? &shaper : nullptr;
}

std::string named(char32_t c) { return "\"" + utf8Text(c) + "\" (" + codePoint(c) + ")"; }

std::string shownText(const Layout& layout, const std::string& text, RowEncoding encoding) {
    std::string out;
    for (const char* at = text.c_str(); *at != '\0';) {
        const unsigned char first = static_cast<unsigned char>(*at);
        const char32_t c = vantor::nextCharacter(at, encoding, layout.codePage);
        out += c != 0 ? utf8Text(c) : hexBytes(std::string(1, static_cast<char>(first)));
    }
    return out;
}

int characterColumn(const char* text, RowEncoding encoding, std::size_t at) {
    // The code page is chosen before anything is read, and stays while hudhost runs.
    static const vantor::platform::CodePageCharacters page = [] {
        vantor::platform::CodePageCharacters read;
        vantor::platform::readCodePage(read);
        return read;
    }();
    if (encoding == RowEncoding::kCodePage && page.pairs) {
        // A lead byte and its trail are one character, one column.
        int column = 0;
        for (const char* c = text; *c != '\0'; ++column) {
            vantor::nextCharacter(c, encoding, page);
            if (static_cast<std::size_t>(c - text) > at) return column;
        }
        return column + static_cast<int>(at - std::strlen(text));
    }
    if (encoding != RowEncoding::kUtf8) return static_cast<int>(at);
    // The HUD steps through a UTF-8 row a whole sequence at a time (nextCharacter).
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int column = 0;
    for (std::size_t k = 0; bytes[k] != 0;) {
        const int length = bytes[k] < 0x80 ? 1 : vantor::utf8SequenceLength(bytes + k);
        k += static_cast<std::size_t>(length > 0 ? length : 1);
        if (k > at) return column;
        ++column;
    }
    return column + static_cast<int>(at - std::strlen(text));
}

char32_t drawnAs(const Layout& layout, char32_t c) {
    return vantor::drawnAs(c, layout.characters.gathered());
}

RowCharacters readCharacters(const vantor::PageStore& store, const vantor::HudSettings& settings) {
    RowCharacters out;
    vantor::platform::readCodePage(out.codePage);
    out.lists->collect(store, out.codePage);
    out.font = fontOf(settings, vantor::toUtf8(settings.fontFace, out.codePage), *out.lists);
    return out;
}

void checkCharacters(const Layout& layout, Findings& findings) {
    checkFaceLetters(layout, findings);
    std::set<char32_t> told;
    for (const LoadedRow& row : layout.rows) {
        if (row.encoding == RowEncoding::kCodePage) noteBrokenUtf8(layout, row, findings);
        const bool shaped = vantor::RowShaper::needed(row.text, row.encoding, layout.codePage);
        const std::vector<Character> characters = charactersOf(layout, row, shaped);
        if (shaped) tellDirectionLeftOpen(layout, row, characters, findings);
        tellMissingGlyphs(layout, row, characters, findings);
        for (std::size_t i = 0; i < characters.size();) {
            const Character& c = characters[i];
            const int column = columnOf(row, c.at);
            std::size_t end = i + 1;
            switch (c.drawn) {
                case Drawn::kAsWritten:
                    break;
                case Drawn::kDelete:
                    findings.add(FindingKind::DeleteCharacter, Severity::Warning, row.entry->line,
                                 column,
                                 "DEL (0x7F) draws as the font's missing-glyph box; remove it");
                    break;
                case Drawn::kMissingGlyph:  // told for the whole row
                    break;
                case Drawn::kQuestionMark:
                    if (told.insert(c.code).second) tellQuestionMark(row, c, findings);
                    break;
                case Drawn::kControl:
                case Drawn::kNoCharacter:
                    while (end < characters.size() && characters[end].drawn == c.drawn) ++end;
                    tellNothingDrawn(findings, row,
                                     {characters.begin() + static_cast<std::ptrdiff_t>(i),
                                      characters.begin() + static_cast<std::ptrdiff_t>(end)});
                    break;
            }
            i = end;
        }
    }
}

}  // namespace hudhost::check

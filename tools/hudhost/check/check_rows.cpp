// The text of each row the HUD loaded: BLANK, its length, and which tokens its own passes miss.
#include <algorithm>
#include <cstring>

#include "check/known_names.h"
#include "check/layout.h"
#include "check/listed.h"
#include "check/token_guesses.h"
#include "check/token_marks.h"

namespace hudhost::check {
namespace {

bool isWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string tokenOrder() {
    std::string out;
    for (const std::string& token : tokenKeys()) out += (out.empty() ? "" : ", ") + token;
    return out;
}

void checkBlank(const Layout& layout, Findings& findings, const LoadedRow& row) {
    const std::string text = row.text;
    const std::string blank = vantor::kBlankRow;
    // BLANK in another letter case, or with a letter more: meant as an empty row.
    if (text.size() > blank.size() + 1 || upper(text).rfind(blank, 0) != 0) return;
    const std::string shown = shownText(layout, text, row.encoding);
    findings.add(FindingKind::BlankNotInCapitals, Severity::Warning, row.entry->line,
                 row.textColumn,
                 row.entry->name + "=" + shown + " is drawn as the text " + shown + ": only " +
                     blank + ", in capitals and alone, makes an empty row");
}

// The value as read is not cut yet; the HUD keeps vantor::kMaxTextChars bytes of it, which in UTF-8
// or a double-byte code page are fewer characters, and no part of a UTF-8 character the cut breaks.
void checkLength(const Layout& layout, Findings& findings, const LoadedRow& row) {
    const std::string& value = row.entry->value;
    if (value.size() <= static_cast<std::size_t>(vantor::kMaxTextChars)) return;
    const std::size_t kept = vantor::wholeCharacters(value.c_str(), vantor::kMaxTextChars);
    const std::string head = value.substr(0, kept);
    const vantor::RowEncoding encoding = vantor::detectEncoding(head.c_str());
    const bool bytes = encoding == vantor::RowEncoding::kUtf8 || layout.codePage.pairs;
    // The last character kept, as the HUD reads the row.
    std::string last;
    for (const char* at = head.c_str(); *at != '\0';) {
        const char32_t c = vantor::nextCharacter(at, encoding, layout.codePage);
        last = c != 0 ? named(c) : last;
    }
    findings.add(FindingKind::RowTooLong, Severity::Warning, row.entry->line,
                 row.textColumn + characterColumn(value.c_str(), encoding, kept),
                 "the row is longer than the " + std::to_string(vantor::kMaxTextChars) +
                     (bytes ? " bytes" : " characters") +
                     " the HUD keeps (counted as written, before tokens grow it" +
                     (encoding == vantor::RowEncoding::kUtf8
                          ? "; in UTF-8 a character beyond ASCII takes two to four"
                          : "") +
                     "): it keeps up to " + (last.empty() ? "nothing" : last) +
                     ", and from here on it is dropped");
}

// The token that ends just before `k` in `text`, or empty.
std::string tokenEndingAt(const std::string& text, std::size_t k) {
    for (const std::string& token : tokenKeys()) {
        if (k >= token.size() && text.compare(k - token.size(), token.size(), token) == 0) {
            return token;
        }
    }
    return {};
}

std::string whyMissed(const std::string& text, std::size_t k, const std::string& token) {
    const std::string before = tokenEndingAt(text, k);
    if (before == token) {
        return "of two " + token +
               " written together the HUD replaces only the first; put a "
               "character between them";
    }
    if (!before.empty()) {
        return "it is written directly after " + before +
               ", and a token written directly after another is replaced only when it comes "
               "later in the order " +
               tokenOrder() + "; put a character between them";
    }
    if (k > 0 && text[k - 1] == '*') return "the extra asterisk before it hides it; remove it";
    return "the text before it begins like a token and hides it; put a blank before it";
}

// The tokens a word between asterisks that is none may have been meant for. A word in other letter
// case is taken for one only when it is nearly one, as prose holds such words.
std::vector<std::string> guessesFor(const StarWord& star) {
    if (looksLikeToken(star.word)) return guessTokens(star.word);
    if (star.open || !std::all_of(star.word.begin(), star.word.end(), isWordChar)) return {};
    const std::string near = nearestToken(star.word);
    if (near.empty()) return {};
    return {near};
}

void checkTokens(Findings& findings, const LoadedRow& row) {
    const std::string text = row.text;
    const std::string marked = markTokens(row.text);
    const std::vector<std::string>& tokens = tokenKeys();
    for (const StarWord& star : starWords(text)) {
        const std::string written = text.substr(star.start, star.word.size() + (star.open ? 1 : 2));
        const int line = row.entry->line;
        const int column = columnOf(row, star.start);
        if (!star.open && std::find(tokens.begin(), tokens.end(), written) != tokens.end()) {
            if (marked.compare(star.start, written.size(), written) == 0) {
                findings.add(FindingKind::TokenNotReplaced, Severity::Warning, line, column,
                             written + " is not replaced: " + whyMissed(text, star.start, written));
            }
            continue;
        }
        const std::vector<std::string> guesses = guessesFor(star);
        if (!guesses.empty()) {
            findings.add(FindingKind::NotAToken, Severity::Warning, line, column,
                         written + " is not a token and is drawn as written" +
                             (star.open ? ": a token ends in an asterisk" : "") +
                             " (did you mean " + listed(guesses, " or ") + "?)");
        } else if (star.word.size() > 1 && looksLikeToken(star.word)) {
            // Not a warning: capitals between asterisks may be meant as emphasis. A single
            // letter between them is a product (2*X*Y), no token.
            findings.add(FindingKind::StarWord, Severity::Note, line, column,
                         written + " is drawn as written, " +
                             (star.open ? "asterisk" : "asterisks") +
                             " included: it is none of the tokens " + tokenOrder());
        }
    }
}

}  // namespace

void checkRows(const Layout& layout, Findings& findings) {
    for (const LoadedRow& row : layout.rows) {
        if (row.text[0] == '\0') continue;
        checkBlank(layout, findings, row);
        checkLength(layout, findings, row);
        checkTokens(findings, row);
    }
}

}  // namespace hudhost::check

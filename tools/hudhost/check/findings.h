// What the layout check found, and how it is told: one line per finding in the form compilers use,
// which editors and CI annotators already parse, ending with the finding's name in brackets; then
// a one-line summary.
#pragma once

#include <bitset>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hudhost::check {

enum class Severity { Note, Warning, Error };

// Each kind of finding, one row: its enumerator, and its name. The name ends the finding's line
// ("[repeated-key]"); --ignore takes it, the corpus test keys on it, and the guide lists it
// ("Checking a layout"), so a message can be reworded without churn. A new kind is one more row
// here and one in the guide's list.
#define HUDHOST_FINDING_KINDS(ROW)                               \
    /* The file */                                               \
    ROW(PathTooLong, "path-too-long")                            \
    ROW(FileIsAFolder, "file-is-a-folder")                       \
    ROW(NotARegularFile, "not-a-regular-file")                   \
    ROW(FileUnreadable, "file-unreadable")                       \
    ROW(NoSuchFile, "no-such-file")                              \
    ROW(NameInOtherLetterCase, "name-in-other-letter-case")      \
    ROW(EmptyFile, "empty-file")                                 \
    /* Its form */                                               \
    ROW(FileTooLarge, "file-too-large")                          \
    ROW(Utf16File, "utf16-file")                                 \
    ROW(Utf16WithoutMark, "utf16-without-mark")                  \
    ROW(CrLineEnds, "cr-line-ends")                              \
    ROW(Utf8ByteOrderMark, "utf8-byte-order-mark")               \
    /* Its sections and lines */                                 \
    ROW(RepeatedSection, "repeated-section")                     \
    ROW(SectionNotSeen, "section-not-seen")                      \
    ROW(UnknownSection, "unknown-section")                       \
    ROW(TooManyPages, "too-many-pages")                          \
    ROW(PageWithoutFirstRow, "page-without-first-row")           \
    ROW(PageAfterEnd, "page-after-end")                          \
    ROW(LineBeforeSections, "line-before-sections")              \
    ROW(StrayLine, "stray-line")                                 \
    ROW(MoreStrayLines, "more-stray-lines")                      \
    ROW(NoPage, "no-page")                                       \
    /* The keys of pages and of CONFIG */                        \
    ROW(RepeatedKey, "repeated-key")                             \
    ROW(NotARowKey, "not-a-row-key")                             \
    ROW(TooManyRows, "too-many-rows")                            \
    ROW(EmptyRow, "empty-row")                                   \
    ROW(RowAfterEnd, "row-after-end")                            \
    ROW(UnknownSetting, "unknown-setting")                       \
    ROW(EmptySetting, "empty-setting")                           \
    ROW(NotANumber, "not-a-number")                              \
    ROW(NumberWithSuffix, "number-with-suffix")                  \
    ROW(OutOfRange, "out-of-range")                              \
    ROW(PanelHidesText, "panel-hides-text")                      \
    ROW(AutoReloadReadOnly, "auto-reload-read-only")             \
    ROW(UnknownClockLetter, "unknown-clock-letter")              \
    ROW(RowColourValue, "row-colour-value")                      \
    ROW(RowColourWithoutRow, "row-colour-without-row")           \
    ROW(ThresholdsOutOfOrder, "thresholds-out-of-order")         \
    ROW(ThresholdsWithoutNumber, "thresholds-without-number")    \
    ROW(ValuesInRowColour, "values-in-row-colour")               \
    /* The text of rows */                                       \
    ROW(BlankNotInCapitals, "blank-not-in-capitals")             \
    ROW(RowTooLong, "row-too-long")                              \
    ROW(TokenNotReplaced, "token-not-replaced")                  \
    ROW(NotAToken, "not-a-token")                                \
    ROW(StarWord, "star-word")                                   \
    ROW(DeleteCharacter, "delete-character")                     \
    ROW(ControlCharacter, "control-character")                   \
    ROW(ByteWithoutCharacter, "byte-without-character")          \
    ROW(TooManyCharacters, "too-many-characters")                \
    ROW(MissingGlyph, "missing-glyph")                           \
    ROW(DirectionLeftOpen, "direction-left-open")                \
    ROW(FaceWithoutLetters, "face-without-letters")              \
    ROW(BrokenUtf8, "broken-utf8")                               \
    ROW(OtherCodePage, "other-code-page")                        \
    /* Where the rows land */                                    \
    ROW(RowPastRightEdge, "row-past-right-edge")                 \
    ROW(RowCutAtTop, "row-cut-at-top")                           \
    ROW(RowsBelowBottomEdge, "rows-below-bottom-edge")           \
    ROW(AnchorPositionAtDefaults, "anchor-position-at-defaults") \
    ROW(AnchoredRowCut, "anchored-row-cut")                      \
    ROW(DescendersCut, "descenders-cut")                         \
    ROW(RowsOverlap, "rows-overlap")                             \
    ROW(FontSubstituted, "font-substituted")                     \
    ROW(NoFont, "no-font")

enum class FindingKind {
#define HUDHOST_FINDING_ENUMERATOR(kind, name) kind,
    HUDHOST_FINDING_KINDS(HUDHOST_FINDING_ENUMERATOR)
#undef HUDHOST_FINDING_ENUMERATOR
};

// The names by FindingKind: lower-case words joined by hyphens.
inline constexpr const char* kKindNames[] = {
#define HUDHOST_FINDING_NAME(kind, name) name,
    HUDHOST_FINDING_KINDS(HUDHOST_FINDING_NAME)
#undef HUDHOST_FINDING_NAME
};

namespace detail {
constexpr bool wellFormed(const char* name) {
    if (*name < 'a' || *name > 'z') return false;
    for (; *name != '\0'; ++name) {
        const bool hyphen = *name == '-';
        if (!hyphen && (*name < 'a' || *name > 'z') && (*name < '0' || *name > '9')) return false;
        if (hyphen && (name[1] == '-' || name[1] == '\0')) return false;
    }
    return true;
}
constexpr bool allWellFormed() {
    for (const char* name : kKindNames) {
        if (!wellFormed(name)) return false;
    }
    return true;
}
static_assert(allWellFormed(), "each kind named in lower-case words joined by hyphens");
}  // namespace detail

const char* nameOf(FindingKind kind);
// The kind named `name`, exactly as it is written; none for another name.
std::optional<FindingKind> kindNamed(std::string_view name);
// Every name, in the order of FindingKind.
std::vector<std::string> kindNames();

struct Finding {
    FindingKind kind;
    Severity severity;
    int line;    // from 1; 0 for a finding about the whole file
    int column;  // from 1, in characters of the line as read; 0 with line 0
    std::string message;
};

// How the findings are printed: lines of text, or one JSON document for editors and pipelines.
enum class ReportFormat { Text, Json };

// "note", "warning" or "error", as a finding's line and its JSON record name it.
const char* severityName(Severity severity);

class Findings {
public:
    // Findings of the kinds in `ignored` are neither listed nor counted.
    explicit Findings(const std::vector<FindingKind>& ignored = {});

    void add(FindingKind kind, Severity severity, int line, int column, std::string message);
    void fileError(FindingKind kind, std::string message) {
        add(kind, Severity::Error, 0, 0, std::move(message));
    }

    int count(Severity severity) const;

    // The findings listed, in file order: only the first kMaxListed added; all are counted.
    std::vector<Finding> inFileOrder() const;
    // How many findings were counted beyond those listed.
    int unlisted() const;

    // 0 with nothing above a note, 1 with warnings, 2 with errors.
    int exitStatus() const;

    static constexpr std::size_t kMaxListed = 500;  // a file of junk would give millions

private:
    std::bitset<std::size(kKindNames)> ignored_;
    std::vector<Finding> findings_;
    int counts_[3] = {0, 0, 0};  // by severity
};

// The findings as lines, "PATH:LINE:COLUMN: severity: message [name]" (or "PATH: severity:
// message [name]" without a line), then a line telling how many more there are, if any.
std::string listing(const std::vector<Finding>& listed, int unlisted, const std::string& path);

// "2 errors, 1 warning, 0 notes".
std::string countsText(int errors, int warnings, int notes);

}  // namespace hudhost::check

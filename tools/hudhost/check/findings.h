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

// Each kind of finding. Its name ends the finding's line ("[repeated-key]"); --ignore takes it,
// the corpus test keys on it, and the guide lists it ("Checking a layout"), so a message can be
// reworded without churn. A new kind is one more entry here, one in kKindNames and one in the
// guide's list.
enum class FindingKind {
    // The file
    PathTooLong,
    FileIsAFolder,
    NotARegularFile,
    FileUnreadable,
    NoSuchFile,
    NameInOtherLetterCase,
    EmptyFile,
    // Its form
    FileTooLarge,
    Utf16File,
    Utf16WithoutMark,
    CrLineEnds,
    Utf8ByteOrderMark,
    // Its sections and lines
    RepeatedSection,
    SectionNotSeen,
    UnknownSection,
    TooManyPages,
    PageWithoutFirstRow,
    PageAfterEnd,
    LineBeforeSections,
    StrayLine,
    MoreStrayLines,
    NoPage,
    // The keys of pages and of CONFIG
    RepeatedKey,
    NotARowKey,
    TooManyRows,
    EmptyRow,
    RowAfterEnd,
    UnknownSetting,
    EmptySetting,
    NotANumber,
    NumberWithSuffix,
    OutOfRange,
    PanelHidesText,
    AutoReloadReadOnly,
    UnknownClockLetter,
    RowColourValue,
    RowColourWithoutRow,
    ThresholdsOutOfOrder,
    ThresholdsWithoutNumber,
    ValuesInRowColour,
    // The text of rows
    BlankNotInCapitals,
    RowTooLong,
    TokenNotReplaced,
    NotAToken,
    StarWord,
    DeleteCharacter,
    ControlCharacter,
    ByteWithoutCharacter,
    TooManyCharacters,
    MissingGlyph,
    DirectionLeftOpen,
    FaceWithoutLetters,
    BrokenUtf8,
    OtherCodePage,
    // Where the rows land
    RowPastRightEdge,
    RowCutAtTop,
    RowsBelowBottomEdge,
    AnchorPositionAtDefaults,
    AnchoredRowCut,
    DescendersCut,
    RowsOverlap,
    FontSubstituted,
    NoFont,
    Count
};

struct KindName {
    FindingKind kind;
    const char* name;  // lower-case words joined by hyphens
};

inline constexpr KindName kKindNames[] = {
    {FindingKind::PathTooLong, "path-too-long"},
    {FindingKind::FileIsAFolder, "file-is-a-folder"},
    {FindingKind::NotARegularFile, "not-a-regular-file"},
    {FindingKind::FileUnreadable, "file-unreadable"},
    {FindingKind::NoSuchFile, "no-such-file"},
    {FindingKind::NameInOtherLetterCase, "name-in-other-letter-case"},
    {FindingKind::EmptyFile, "empty-file"},
    {FindingKind::FileTooLarge, "file-too-large"},
    {FindingKind::Utf16File, "utf16-file"},
    {FindingKind::Utf16WithoutMark, "utf16-without-mark"},
    {FindingKind::CrLineEnds, "cr-line-ends"},
    {FindingKind::Utf8ByteOrderMark, "utf8-byte-order-mark"},
    {FindingKind::RepeatedSection, "repeated-section"},
    {FindingKind::SectionNotSeen, "section-not-seen"},
    {FindingKind::UnknownSection, "unknown-section"},
    {FindingKind::TooManyPages, "too-many-pages"},
    {FindingKind::PageWithoutFirstRow, "page-without-first-row"},
    {FindingKind::PageAfterEnd, "page-after-end"},
    {FindingKind::LineBeforeSections, "line-before-sections"},
    {FindingKind::StrayLine, "stray-line"},
    {FindingKind::MoreStrayLines, "more-stray-lines"},
    {FindingKind::NoPage, "no-page"},
    {FindingKind::RepeatedKey, "repeated-key"},
    {FindingKind::NotARowKey, "not-a-row-key"},
    {FindingKind::TooManyRows, "too-many-rows"},
    {FindingKind::EmptyRow, "empty-row"},
    {FindingKind::RowAfterEnd, "row-after-end"},
    {FindingKind::UnknownSetting, "unknown-setting"},
    {FindingKind::EmptySetting, "empty-setting"},
    {FindingKind::NotANumber, "not-a-number"},
    {FindingKind::NumberWithSuffix, "number-with-suffix"},
    {FindingKind::OutOfRange, "out-of-range"},
    {FindingKind::PanelHidesText, "panel-hides-text"},
    {FindingKind::AutoReloadReadOnly, "auto-reload-read-only"},
    {FindingKind::UnknownClockLetter, "unknown-clock-letter"},
    {FindingKind::RowColourValue, "row-colour-value"},
    {FindingKind::RowColourWithoutRow, "row-colour-without-row"},
    {FindingKind::ThresholdsOutOfOrder, "thresholds-out-of-order"},
    {FindingKind::ThresholdsWithoutNumber, "thresholds-without-number"},
    {FindingKind::ValuesInRowColour, "values-in-row-colour"},
    {FindingKind::BlankNotInCapitals, "blank-not-in-capitals"},
    {FindingKind::RowTooLong, "row-too-long"},
    {FindingKind::TokenNotReplaced, "token-not-replaced"},
    {FindingKind::NotAToken, "not-a-token"},
    {FindingKind::StarWord, "star-word"},
    {FindingKind::DeleteCharacter, "delete-character"},
    {FindingKind::ControlCharacter, "control-character"},
    {FindingKind::ByteWithoutCharacter, "byte-without-character"},
    {FindingKind::TooManyCharacters, "too-many-characters"},
    {FindingKind::MissingGlyph, "missing-glyph"},
    {FindingKind::DirectionLeftOpen, "direction-left-open"},
    {FindingKind::FaceWithoutLetters, "face-without-letters"},
    {FindingKind::BrokenUtf8, "broken-utf8"},
    {FindingKind::OtherCodePage, "other-code-page"},
    {FindingKind::RowPastRightEdge, "row-past-right-edge"},
    {FindingKind::RowCutAtTop, "row-cut-at-top"},
    {FindingKind::RowsBelowBottomEdge, "rows-below-bottom-edge"},
    {FindingKind::AnchorPositionAtDefaults, "anchor-position-at-defaults"},
    {FindingKind::AnchoredRowCut, "anchored-row-cut"},
    {FindingKind::DescendersCut, "descenders-cut"},
    {FindingKind::RowsOverlap, "rows-overlap"},
    {FindingKind::FontSubstituted, "font-substituted"},
    {FindingKind::NoFont, "no-font"},
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
constexpr bool allInOrder() {
    for (std::size_t k = 0; k < std::size(kKindNames); ++k) {
        if (kKindNames[k].kind != static_cast<FindingKind>(k) || !wellFormed(kKindNames[k].name)) {
            return false;
        }
    }
    return std::size(kKindNames) == static_cast<std::size_t>(FindingKind::Count);
}
static_assert(allInOrder(),
              "each kind once, in the order of FindingKind, named in lower-case words");
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
    std::bitset<static_cast<std::size_t>(FindingKind::Count)> ignored_;
    std::vector<Finding> findings_;
    int counts_[3] = {0, 0, 0};  // by severity
};

// The findings as lines, "PATH:LINE:COLUMN: severity: message [name]" (or "PATH: severity:
// message [name]" without a line), then a line telling how many more there are, if any.
std::string listing(const std::vector<Finding>& listed, int unlisted, const std::string& path);

// "2 errors, 1 warning, 0 notes".
std::string countsText(int errors, int warnings, int notes);

}  // namespace hudhost::check

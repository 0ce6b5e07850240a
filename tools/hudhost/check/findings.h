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
enum class Kind {
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
    Kind kind;
    const char* name;  // lower-case words joined by hyphens
};

inline constexpr KindName kKindNames[] = {
    {Kind::PathTooLong, "path-too-long"},
    {Kind::FileIsAFolder, "file-is-a-folder"},
    {Kind::NotARegularFile, "not-a-regular-file"},
    {Kind::FileUnreadable, "file-unreadable"},
    {Kind::NoSuchFile, "no-such-file"},
    {Kind::NameInOtherLetterCase, "name-in-other-letter-case"},
    {Kind::EmptyFile, "empty-file"},
    {Kind::FileTooLarge, "file-too-large"},
    {Kind::Utf16File, "utf16-file"},
    {Kind::Utf16WithoutMark, "utf16-without-mark"},
    {Kind::CrLineEnds, "cr-line-ends"},
    {Kind::Utf8ByteOrderMark, "utf8-byte-order-mark"},
    {Kind::RepeatedSection, "repeated-section"},
    {Kind::SectionNotSeen, "section-not-seen"},
    {Kind::UnknownSection, "unknown-section"},
    {Kind::TooManyPages, "too-many-pages"},
    {Kind::PageWithoutFirstRow, "page-without-first-row"},
    {Kind::PageAfterEnd, "page-after-end"},
    {Kind::LineBeforeSections, "line-before-sections"},
    {Kind::StrayLine, "stray-line"},
    {Kind::MoreStrayLines, "more-stray-lines"},
    {Kind::NoPage, "no-page"},
    {Kind::RepeatedKey, "repeated-key"},
    {Kind::NotARowKey, "not-a-row-key"},
    {Kind::TooManyRows, "too-many-rows"},
    {Kind::EmptyRow, "empty-row"},
    {Kind::RowAfterEnd, "row-after-end"},
    {Kind::UnknownSetting, "unknown-setting"},
    {Kind::EmptySetting, "empty-setting"},
    {Kind::NotANumber, "not-a-number"},
    {Kind::NumberWithSuffix, "number-with-suffix"},
    {Kind::OutOfRange, "out-of-range"},
    {Kind::PanelHidesText, "panel-hides-text"},
    {Kind::AutoReloadReadOnly, "auto-reload-read-only"},
    {Kind::UnknownClockLetter, "unknown-clock-letter"},
    {Kind::RowColourValue, "row-colour-value"},
    {Kind::RowColourWithoutRow, "row-colour-without-row"},
    {Kind::ThresholdsOutOfOrder, "thresholds-out-of-order"},
    {Kind::ThresholdsWithoutNumber, "thresholds-without-number"},
    {Kind::BlankNotInCapitals, "blank-not-in-capitals"},
    {Kind::RowTooLong, "row-too-long"},
    {Kind::TokenNotReplaced, "token-not-replaced"},
    {Kind::NotAToken, "not-a-token"},
    {Kind::StarWord, "star-word"},
    {Kind::DeleteCharacter, "delete-character"},
    {Kind::ControlCharacter, "control-character"},
    {Kind::ByteWithoutCharacter, "byte-without-character"},
    {Kind::TooManyCharacters, "too-many-characters"},
    {Kind::MissingGlyph, "missing-glyph"},
    {Kind::DirectionLeftOpen, "direction-left-open"},
    {Kind::FaceWithoutLetters, "face-without-letters"},
    {Kind::BrokenUtf8, "broken-utf8"},
    {Kind::RowPastRightEdge, "row-past-right-edge"},
    {Kind::RowCutAtTop, "row-cut-at-top"},
    {Kind::RowsBelowBottomEdge, "rows-below-bottom-edge"},
    {Kind::AnchorPositionAtDefaults, "anchor-position-at-defaults"},
    {Kind::AnchoredRowCut, "anchored-row-cut"},
    {Kind::DescendersCut, "descenders-cut"},
    {Kind::RowsOverlap, "rows-overlap"},
    {Kind::FontSubstituted, "font-substituted"},
    {Kind::NoFont, "no-font"},
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
        if (kKindNames[k].kind != static_cast<Kind>(k) || !wellFormed(kKindNames[k].name)) {
            return false;
        }
    }
    return std::size(kKindNames) == static_cast<std::size_t>(Kind::Count);
}
static_assert(allInOrder(), "each kind once, in the order of Kind, named in lower-case words");
}  // namespace detail

const char* nameOf(Kind kind);
// The kind named `name`, exactly as it is written; none for another name.
std::optional<Kind> kindNamed(std::string_view name);
// Every name, in the order of Kind.
std::vector<std::string> kindNames();

struct Finding {
    Kind kind;
    Severity severity;
    int line;    // from 1; 0 for a finding about the whole file
    int column;  // from 1, in characters of the line as read; 0 with line 0
    std::string message;
};

class Findings {
public:
    // Findings of the kinds in `ignored` are neither listed nor counted.
    explicit Findings(const std::vector<Kind>& ignored = {});

    void add(Kind kind, Severity severity, int line, int column, std::string message);
    void fileError(Kind kind, std::string message) {
        add(kind, Severity::Error, 0, 0, std::move(message));
    }

    int count(Severity severity) const;

    // The findings in file order, a line each, "PATH:LINE:COLUMN: severity: message [name]" (or
    // "PATH: severity: message [name]" without a line). Only the first kMaxListed added are listed,
    // and a line tells how many more there are; all are counted.
    std::string listing(const std::string& path) const;

    // 0 with nothing above a note, 1 with warnings, 2 with errors.
    int exitStatus() const;

    static constexpr std::size_t kMaxListed = 500;  // a file of junk would give millions

private:
    std::bitset<static_cast<std::size_t>(Kind::Count)> ignored_;
    std::vector<Finding> findings_;
    int counts_[3] = {0, 0, 0};  // by severity
};

// "2 errors, 1 warning, 0 notes".
std::string countsText(int errors, int warnings, int notes);

}  // namespace hudhost::check

// Which sections the HUD reads: its pages run from the first page section without a gap, up to
// kPageCount, and the first of each name is the only one it sees.
#include "check/known_names.h"
#include "check/layout.h"
#include "check/page_names.h"
#include "platform/ini_parse.h"

namespace hudhost::check {
namespace {

std::vector<std::string> sectionNames() {
    std::vector<std::string> names{vantor::kConfigSection};
    for (int n = 1; n <= vantor::kPageCount; ++n) names.push_back(pageSection(n));
    return names;
}

// Why the pages stop before page `n`.
std::string whyPagesEnd(const LayoutText& text, int n) {
    const std::string name = pageSection(n);
    for (const Section& section : text.sections) {
        if (upper(section.name) != name) continue;
        if (!section.read) return "[" + name + "] is lost (see above)";
        return "[" + name + "] has no " + rowKey(1) + " with a value, and the pages end there";
    }
    return "[" + name + "] is missing, and the pages end at the first missing section";
}

// A few are enough to see what is wrong; a file of junk would give one for each line.
constexpr std::size_t kStraysShown = 10;
static_assert(kStraysShown < vantor::platform::IniIndex::kStraysKept);

void checkStrays(const LayoutText& text, Findings& findings) {
    if (text.strayCount > kStraysShown) {
        const Stray& next = text.strays[kStraysShown];
        findings.add(FindingKind::MoreStrayLines, Severity::Note, next.line, next.column,
                     "and " + std::to_string(text.strayCount - kStraysShown) +
                         " more lines from here that the HUD ignores, not listed");
    }
    for (std::size_t k = 0; k < text.strays.size() && k < kStraysShown; ++k) {
        const Stray& stray = text.strays[k];
        if (stray.beforeSections) {
            findings.add(FindingKind::LineBeforeSections, Severity::Warning, stray.line,
                         stray.column,
                         "this line comes before any [section]: the HUD never reads it");
        } else {
            findings.add(FindingKind::StrayLine, Severity::Warning, stray.line, stray.column,
                         std::string("this line is neither a [section], a KEY=value line nor a ; "
                                     "comment: the HUD ignores it") +
                             (stray.hashComment ? " (comments start with ;)" : ""));
        }
    }
}

}  // namespace

void checkSections(const LayoutText& text, const vantor::PageStore& store, bool lossExplained,
                   Findings& findings) {
    const int pages = store.getPageCount();
    const std::vector<Section>& sections = text.sections;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section& section = sections[s];
        const std::string shown = "[" + section.name + "]";
        auto warn = [&](FindingKind kind, const std::string& message) {
            findings.add(kind, Severity::Warning, section.line, section.column, message);
        };
        const std::string name = upper(section.name);
        if (section.firstOfName != s) {
            warn(FindingKind::RepeatedSection,
                 "section " + shown + " repeats the one at line " +
                     std::to_string(sections[section.firstOfName].line) +
                     ": the HUD reads only the first; move these keys there");
            continue;
        }
        if (!section.read) {
            if (!lossExplained) {
                warn(FindingKind::SectionNotSeen, "the HUD's reader does not see section " + shown);
            }
            continue;
        }
        if (name == vantor::kConfigSection) continue;
        const int n = pageNumber(name, vantor::kPageSectionPrefix);
        if (n == 0) {
            warn(FindingKind::UnknownSection,
                 "section " + shown + " is never read: the HUD reads only [" +
                     vantor::kConfigSection + "] and " + vantor::pageSectionRange() +
                     didYouMean(section.name, sectionNames()));
        } else if (n > vantor::kPageCount) {
            warn(FindingKind::TooManyPages, shown + " is never read: the HUD shows at most " +
                                                std::to_string(vantor::kPageCount) + " pages, " +
                                                vantor::pageSectionRange());
        } else if (n == pages + 1) {
            warn(FindingKind::PageWithoutFirstRow,
                 shown + " has no " + rowKey(1) +
                     " with a value, and the pages end at the first section without one: this "
                     "page and any after it are not shown");
        } else if (n > pages + 1) {
            warn(FindingKind::PageAfterEnd,
                 shown + " is never read: " + whyPagesEnd(text, pages + 1));
        }
    }
    checkStrays(text, findings);
    // Only a file with something to read gets this far: no error was found before.
    if (pages == 0) {
        findings.fileError(FindingKind::NoPage, "the HUD shows no page at all: it needs a [" +
                                                    pageSection(1) + "] with a non-empty " +
                                                    rowKey(1));
    }
}

}  // namespace hudhost::check

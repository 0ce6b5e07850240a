// Which sections the HUD reads: its pages run from [SECTION1] without a gap, five at most, and
// the first of each name is the only one it sees.
#include "known_names.h"
#include "layout.h"
#include "page_names.h"

namespace hudhost::check {
namespace {

std::vector<std::string> sectionNames() {
    std::vector<std::string> names{vantor::kConfigSection};
    for (int n = 1; n <= vantor::kPageCount; ++n) names.push_back(pageSection(n));
    return names;
}

// Why the pages stop before page `n`.
std::string whyPagesEnd(const Layout& layout, int n) {
    const std::string name = pageSection(n);
    for (std::size_t s = 0; s < layout.text.sections.size(); ++s) {
        if (upper(layout.text.sections[s].name) != name) continue;
        if (!layout.sectionRead[s]) return "[" + name + "] is lost (see above)";
        return "[" + name + "] has no ROWDATA1 with a value, and the pages end there";
    }
    return "[" + name + "] is missing, and the pages end at the first missing section";
}

// A few are enough to see what is wrong; a file of junk would give one for each line.
constexpr std::size_t kStraysShown = 10;

void checkStrays(Layout& layout) {
    const std::vector<Stray>& strays = layout.text.strays;
    if (strays.size() > kStraysShown) {
        const Stray& next = strays[kStraysShown];
        layout.findings.add(Severity::Note, next.line, next.column,
                            "and " + std::to_string(strays.size() - kStraysShown) +
                                " more lines from here that the HUD ignores, not listed");
    }
    for (std::size_t k = 0; k < strays.size() && k < kStraysShown; ++k) {
        const Stray& stray = strays[k];
        if (stray.beforeSections) {
            layout.findings.add(Severity::Warning, stray.line, stray.column,
                                "this line comes before any [section]: the HUD never reads it");
        } else {
            layout.findings.add(
                Severity::Warning, stray.line, stray.column,
                std::string("this line is neither a [section], a KEY=value line nor a ; "
                            "comment: the HUD ignores it") +
                    (stray.hashComment ? " (comments start with ;)" : ""));
        }
    }
}

}  // namespace

void checkSections(Layout& layout) {
    const int pages = layout.store->getPageCount();
    const std::vector<Section>& sections = layout.text.sections;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section& section = sections[s];
        const std::string shown = "[" + section.name + "]";
        auto warn = [&](const std::string& message) {
            layout.findings.add(Severity::Warning, section.line, section.column, message);
        };
        const std::string name = upper(section.name);
        if (layout.firstOfName[s] != s) {
            warn("section " + shown + " repeats the one at line " +
                 std::to_string(sections[layout.firstOfName[s]].line) +
                 ": the HUD reads only the first; move these keys there");
            continue;
        }
        if (!layout.sectionRead[s]) {
            if (!layout.lossExplained) warn("the HUD's reader does not see section " + shown);
            continue;
        }
        if (name == vantor::kConfigSection) continue;
        const int n = pageNumber(name, vantor::kPageSectionPrefix);
        if (n == 0) {
            warn("section " + shown +
                 " is never read: the HUD reads only [CONFIG] and [SECTION1] to [SECTION5]" +
                 didYouMean(section.name, sectionNames()));
        } else if (n > vantor::kPageCount) {
            warn(shown +
                 " is never read: the HUD shows at most five pages, [SECTION1] to "
                 "[SECTION5]");
        } else if (n == pages + 1) {
            warn(shown +
                 " has no ROWDATA1 with a value, and the pages end at the first section "
                 "without one: this page and any after it are not shown");
        } else if (n > pages + 1) {
            warn(shown + " is never read: " + whyPagesEnd(layout, pages + 1));
        }
    }
    checkStrays(layout);
    if (pages == 0 && layout.findings.count(Severity::Error) == 0) {
        layout.findings.fileError(
            "the HUD shows no page at all: it needs a [SECTION1] with a non-empty ROWDATA1");
    }
}

}  // namespace hudhost::check

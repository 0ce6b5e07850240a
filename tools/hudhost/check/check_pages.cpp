// The keys of each page the HUD loads: its rows run from ROWDATA1 without a gap, 28 at most, and
// the first of each name is the only one it sees.
#include "known_names.h"
#include "layout.h"
#include "page_names.h"

namespace hudhost::check {
namespace {

std::vector<std::string> rowNames() {
    std::vector<std::string> names;
    for (int r = 1; r <= vantor::kPageRows; ++r) names.push_back(rowKey(r));
    return names;
}

bool hasRowAfter(const Section& section, int row) {
    for (const Entry& entry : section.entries) {
        if (pageNumber(upper(entry.name), vantor::kRowKeyPrefix) > row) return true;
    }
    return false;
}

// Where the row's text, as read, starts in its line: after any quote the reader removed.
int textColumn(const Entry& entry, const char* text) {
    const std::string head(text, std::min<std::size_t>(std::char_traits<char>::length(text), 16));
    const std::size_t at = entry.value.find(head);
    return entry.valueColumn + static_cast<int>(at == std::string::npos ? 0 : at);
}

void checkPage(Layout& layout, const Section& section, int page) {
    vantor::PageStore& store = *layout.store;
    store.selectPage(page);
    const int rows = store.getRowCount();
    const std::string ending = rowKey(rows + 1);
    const std::unordered_map<std::string, const Entry*> first = firstEntries(section);
    const char* const ended = first.count(ending) != 0 ? "empty" : "missing";

    for (const Entry& entry : section.entries) {
        auto warn = [&](Severity severity, const std::string& message) {
            layout.findings.add(severity, entry.line, entry.column, message);
        };
        const std::string name = upper(entry.name);
        const Entry* firstOfName = first.at(name);
        if (firstOfName != &entry) {
            warn(Severity::Warning, entry.name + " repeats the key at line " +
                                        std::to_string(firstOfName->line) +
                                        ": the HUD reads only the first; remove one of them");
            continue;
        }
        const int r = pageNumber(name, vantor::kRowKeyPrefix);
        if (r == 0) {
            const std::string hint = findConfigKey(name) != nullptr
                                         ? " (it belongs in [CONFIG])"
                                         : didYouMean(entry.name, rowNames());
            warn(Severity::Warning, entry.name +
                                        " is never read: a page section holds only ROWDATA1 "
                                        "to ROWDATA28" +
                                        hint);
        } else if (r > vantor::kPageRows) {
            warn(Severity::Warning,
                 entry.name + " is never read: a page has at most 28 rows, ROWDATA1 to ROWDATA28");
        } else if (r <= rows) {
            store.selectRow(r - 1);
            const char* text = store.getRowText();
            layout.rows.push_back(
                {page, r - 1, &entry, text, textColumn(entry, text), store.getRowEncoding()});
        } else if (r == rows + 1) {
            const bool more = hasRowAfter(section, r);
            warn(more ? Severity::Warning : Severity::Note,
                 entry.name + " is empty, and a page ends at its first empty row" +
                     (more ? ": the rows after it are not shown; write BLANK for an empty line"
                           : ""));
        } else {
            warn(Severity::Warning, entry.name + " is never read: " + ending + " is " + ended +
                                        ", and a page ends at its first " + ended + " row");
        }
    }
}

}  // namespace

void checkPages(Layout& layout) {
    const int pages = layout.store->getPageCount();
    for (std::size_t s = 0; s < layout.text.sections.size(); ++s) {
        const Section& section = layout.text.sections[s];
        const int n = pageNumber(upper(section.name), vantor::kPageSectionPrefix);
        // A repeated section is never read: only the first of a page's name is the page.
        if (n >= 1 && n <= pages && layout.sectionRead[s]) checkPage(layout, section, n - 1);
    }
}

}  // namespace hudhost::check

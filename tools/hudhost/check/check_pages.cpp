// The keys of each page the HUD loads: its rows run from the first row key without a gap, up to
// kPageRows, and the first of each name is the only one it sees.
#include "check/known_names.h"
#include "check/layout.h"
#include "check/page_names.h"
#include "check/section_keys.h"

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

void checkPage(const Section& section, int page, vantor::PageStore& store,
               std::vector<LoadedRow>& rows, Findings& findings) {
    store.selectPage(page);
    const int count = store.getRowCount();
    const std::string ending = rowKey(count + 1);
    const FirstEntries first = firstEntries(section);
    const char* const ended = first.count(ending) != 0 ? "empty" : "missing";

    for (const Entry& entry : section.entries) {
        auto warn = [&](FindingKind kind, Severity severity, const std::string& message) {
            findings.add(kind, severity, entry.line, entry.column, message);
        };
        if (repeatsKey(entry, first, findings)) continue;
        const std::string name = upper(entry.name);
        const int r = pageNumber(name, vantor::kRowKeyPrefix);
        if (r == 0) {
            const std::string hint =
                findConfigKey(name) != nullptr
                    ? " (it belongs in [" + std::string(vantor::kConfigSection) + "])"
                    : meantKey(entry.name, rowNames(), first);
            warn(FindingKind::NotARowKey, Severity::Warning,
                 entry.name + " is never read: a page section holds only " + vantor::rowKeyRange() +
                     hint);
        } else if (r > vantor::kPageRows) {
            warn(FindingKind::TooManyRows, Severity::Warning,
                 entry.name + " is never read: a page has at most " +
                     std::to_string(vantor::kPageRows) + " rows, " + vantor::rowKeyRange());
        } else if (r <= count) {
            store.selectRow(r - 1);
            rows.push_back({page, r - 1, &entry, store.getRowText(), entry.valueColumn,
                            store.getRowEncoding()});
        } else if (r == count + 1) {
            const bool more = hasRowAfter(section, r);
            warn(FindingKind::EmptyRow, more ? Severity::Warning : Severity::Note,
                 entry.name + " is empty, and a page ends at its first empty row" +
                     (more ? std::string(": the rows after it are not shown; write ") +
                                 vantor::kBlankRow + " for an empty line"
                           : ""));
        } else {
            warn(FindingKind::RowAfterEnd, Severity::Warning,
                 entry.name + " is never read: " + ending + " is " + ended +
                     ", and a page ends at its first " + ended + " row");
        }
    }
}

}  // namespace

std::vector<LoadedRow> checkPages(const LayoutText& text, vantor::PageStore& store,
                                  Findings& findings) {
    std::vector<LoadedRow> rows;
    const int pages = store.getPageCount();
    for (const Section& section : text.sections) {
        const int n = pageNumber(upper(section.name), vantor::kPageSectionPrefix);
        // A repeated section is never read: only the first of a page's name is the page.
        if (n >= 1 && n <= pages && section.read) checkPage(section, n - 1, store, rows, findings);
    }
    return rows;
}

}  // namespace hudhost::check

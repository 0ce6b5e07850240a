// The keys of each page the HUD loads: its rows run from the first row key without a gap, up to
// kPageRows, and the first of each name is the only one it sees.
#include <cstdio>

#include "check/known_names.h"
#include "check/layout.h"
#include "check/page_names.h"
#include "check/section_keys.h"
#include "tokens/token_table.h"

namespace hudhost::check {
namespace {

// The keys a page section may hold: its rows and their colours.
std::vector<std::string> rowNames() {
    std::vector<std::string> names;
    for (int r = 1; r <= vantor::kPageRows; ++r) names.push_back(rowKey(r));
    for (int r = 1; r <= vantor::kPageRows; ++r) names.push_back(rowColourKey(r));
    return names;
}

std::string colourText(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(rgb));
    return text;
}

// A row's colours as read: what the HUD makes of them, and of the row they colour.
void checkRowColour(const Entry& entry, int row, const vantor::PageView& view, Findings& findings) {
    const int count = view.count;
    auto warn = [&](FindingKind kind, int offset, const std::string& message) {
        findings.add(kind, Severity::Warning, entry.line, entry.valueColumn + offset, message);
    };
    if (row > count) {
        warn(FindingKind::RowColourWithoutRow, 0,
             entry.name + " colours " + rowKey(row) + ", which the page does not have" +
                 (count > 0 ? ": its rows end at " + rowKey(count) : std::string()));
        return;
    }
    vantor::RowColour colour;
    const vantor::RowColourFault fault = vantor::parseRowColour(entry.value, colour);
    static const char* const kWhy[] = {
        "", "a colour is six hexadecimal digits, RRGGBB", "a limit is a whole number after '<'",
        "the last colour takes no limit", "a row takes at most 8 colours"};
    if (fault.kind != vantor::RowColourFault::kNone) {
        warn(FindingKind::RowColourValue, static_cast<int>(fault.at),
             entry.name + "=" + entry.value +
                 " is not read as colours, so the row keeps the HUD "
                 "colour: " +
                 kWhy[fault.kind] + "; write RRGGBB, or RRGGBB<LIMIT,...,RRGGBB");
        return;
    }
    for (int k = 0; k + 2 < colour.count; ++k) {
        if (colour.limits[k + 1] > colour.limits[k]) continue;
        warn(FindingKind::ThresholdsOutOfOrder, 0,
             entry.name + " has the limit " + std::to_string(colour.limits[k + 1]) + " after " +
                 std::to_string(colour.limits[k]) + ": a number below " +
                 std::to_string(colour.limits[k + 1]) + " is already below " +
                 std::to_string(colour.limits[k]) + ", so " + colourText(colour.rgb[k + 1]) +
                 " never shows; write the limits rising");
    }
    if (colour.hasThresholds() && vantor::firstNumberToken(view.rows[row - 1]->text) < 0) {
        warn(FindingKind::ThresholdsWithoutNumber, 0,
             entry.name + " picks a colour by a number, but " + rowKey(row) +
                 " holds no *SEL_FACES*, *SEL_EDGES*, *SEL_VERTICES*, *FPS* or *ELAPSED*: it "
                 "always takes the last colour, " +
                 colourText(colour.rgb[colour.count - 1]));
    }
}

bool hasRowAfter(const Section& section, int row) {
    for (const Entry& entry : section.entries) {
        if (pageNumber(upper(entry.name), vantor::kRowKeyPrefix) > row) return true;
    }
    return false;
}

void checkPage(const Section& section, int page, const vantor::PageStore& store,
               std::vector<LoadedRow>& rows, Findings& findings) {
    const vantor::PageView view = store.view(page);
    const int count = view.count;
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
        if (const int coloured = pageNumber(name, vantor::kRowColourPrefix); coloured != 0) {
            checkRowColour(entry, coloured, view, findings);
        } else if (r == 0) {
            const std::string hint =
                findConfigKey(name) != nullptr
                    ? " (it belongs in [" + std::string(vantor::kConfigSection) + "])"
                    : meantKey(entry.name, rowNames(), first);
            warn(FindingKind::NotARowKey, Severity::Warning,
                 entry.name + " is never read: a page section holds only " + vantor::rowKeyRange() +
                     " and their " + vantor::kRowColourPrefix + "n" + hint);
        } else if (r > vantor::kPageRows) {
            warn(FindingKind::TooManyRows, Severity::Warning,
                 entry.name + " is never read: a page has at most " +
                     std::to_string(vantor::kPageRows) + " rows, " + vantor::rowKeyRange());
        } else if (r <= count) {
            const vantor::TextRow& row = *view.rows[r - 1];
            rows.push_back({page, r - 1, &entry, row.text, entry.valueColumn, row.encoding});
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

std::vector<LoadedRow> checkPages(const LayoutText& text, const vantor::PageStore& store,
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

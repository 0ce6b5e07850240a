#include "check/layout_check.h"

#include "check/json_report.h"
#include "check/layout.h"
#include "check/listed.h"
#include "check/loaded_layout.h"
#include "platform/platform.h"
#include "platform/tools.h"

namespace hudhost::check {
namespace {

// A page whose rows with text are not all drawn, as the HUD lays it out.
struct PartlyDrawn {
    int page;  // from 0
    int drawn;
    int rows;  // BLANK ones counted
};

// What shows of a page whose rows with text are not all drawn, as " 5 of its 7 rows are drawn";
// of one page among several, "5 of page 2's 7 rows".
std::string partlyDrawnText(const std::vector<PartlyDrawn>& partly, int pages) {
    std::string text;
    for (const PartlyDrawn& p : partly) {
        const std::string whose =
            pages == 1 ? "its " : "page " + std::to_string(p.page + 1) + "'s ";
        text += (text.empty() ? "; " : ", ") + std::to_string(p.drawn) + " of " + whose +
                std::to_string(p.rows) + (p.rows == 1 ? " row" : " rows");
    }
    const bool one = partly.size() == 1 && partly.front().drawn == 1;
    return text + (one ? " is drawn" : " are drawn");
}

// The pages whose rows with text are not all drawn in the layout's own viewport.
std::vector<PartlyDrawn> partlyDrawn(const Layout& layout) {
    std::vector<PartlyDrawn> partly;
    for (int p = 0; p < layout.store.getPageCount(); ++p) {
        const auto laid = layOut(layout, p, ownTrial(layout));
        int withText = 0;
        for (int i = 0; i < laid->count; ++i) withText += laid->rows[i].text[0] != '\0' ? 1 : 0;
        if (laid->drawnCount() < withText) partly.push_back({p, laid->drawnCount(), laid->count});
    }
    return partly;
}

std::string pagesShown(const vantor::PageStore& store, const std::vector<PartlyDrawn>& partly) {
    const int pages = store.getPageCount();
    if (pages == 0) return "the HUD shows no page";
    if (pages == 1 && !partly.empty()) return "the HUD shows 1 page" + partlyDrawnText(partly, 1);
    std::vector<std::string> counts;
    for (int p = 0; p < pages; ++p) counts.push_back(std::to_string(store.view(p).count));
    const std::string rows = listed(counts, " and ");
    const bool oneRow = pages == 1 && rows == "1";
    return "the HUD shows " + std::to_string(pages) + (pages == 1 ? " page of " : " pages of ") +
           rows + (oneRow ? " row" : " rows") +
           (partly.empty() ? "" : partlyDrawnText(partly, pages));
}

// The findings of every check, in their order, each handed what the ones before it found; what
// the HUD shows.
std::string runChecks(const std::string& path, int width, int height, Findings& findings) {
    // The file as written.
    const std::optional<LayoutText> text = checkFile(path, findings);
    if (!text) return "the HUD shows no page";
    // The file as the HUD reads it, by its own reloadConfig.
    const LoadedLayout loaded = loadLayout(path.c_str());
    const vantor::PageStore& store = *loaded.store;
    const vantor::HudSettings& settings = loaded.settings;
    // What the reader takes of the file, then its sections and keys.
    const FileForm form = checkEncoding(*text, findings);
    std::vector<PartlyDrawn> partly;
    if (form.readable) {
        checkSections(*text, store, form.lossExplained, findings);
        const std::vector<LoadedRow> rows = checkPages(*text, store, findings);
        checkConfig(*text, store, findings);
        // What the loaded rows draw, and where.
        const RowCharacters characters = readCharacters(store, settings);
        const LayoutMeasure measure(characters);
        const Layout layout{*text,
                            store,
                            settings,
                            rows,
                            characters.codePage,
                            *characters.lists,
                            characters.font,
                            width,
                            height,
                            measure.advances,
                            measure.values};
        checkSettingsTogether(layout, findings);
        checkValueColour(layout, findings);
        checkRows(layout, findings);
        checkCharacters(layout, findings);
        checkCodePage(layout, findings);
        checkGeometry(layout, findings);
        checkSpacing(layout, findings);
        partly = partlyDrawn(layout);
    }
    return pagesShown(store, partly);
}

}  // namespace

CheckResult checkLayout(const std::string& path, int width, int height,
                        const std::vector<FindingKind>& ignored) {
    // A bare file name would send the Windows reader to the Windows folder; a folder part keeps
    // it in the working directory, as the HUD's own path does.
    const bool bare = path.find_first_of("/\\") == std::string::npos;
    Findings findings(ignored);
    const std::string shown = runChecks(bare ? "./" + path : path, width, height, findings);

    // The path as a user reads it in the findings: as the system writes its paths.
    const std::string written = vantor::platform::shownPath(path);
    CheckResult result;
    result.errors = findings.count(Severity::Error);
    result.warnings = findings.count(Severity::Warning);
    result.notes = findings.count(Severity::Note);
    result.exitStatus = findings.exitStatus();
    result.path = written;
    result.listed = findings.inFileOrder();
    result.unlisted = findings.unlisted();
    result.findings = listing(result.listed, result.unlisted, written);
    result.summary = written + ": " + titleCounts(result) + "; " + shown + " in a " +
                     sizeText(width, height) + " viewport\n";
    return result;
}

void print(const CheckResult& result, std::FILE* out, ReportFormat format) {
    if (format == ReportFormat::Json) {
        std::fputs(jsonReport(result).c_str(), out);
    } else {
        std::fputs(result.findings.c_str(), out);
        std::fputs(result.summary.c_str(), out);
    }
    // Under wine the window's stderr held these lines back while its title showed their counts.
    std::fflush(out);
}

std::string titleCounts(const CheckResult& result) {
    return countsText(result.errors, result.warnings, result.notes);
}

}  // namespace hudhost::check

#include "layout_check.h"

#include "layout.h"
#include "platform/slashes.h"

namespace hudhost::check {
namespace {

std::string pagesShown(vantor::PageStore& store) {
    const int pages = store.getPageCount();
    if (pages == 0) return "the HUD shows no page";
    std::string rows;
    for (int p = 0; p < pages; ++p) {
        store.selectPage(p);
        rows += (p == 0           ? ""
                 : p + 1 == pages ? " and "
                                  : ", ") +
                std::to_string(store.getRowCount());
    }
    const bool oneRow = pages == 1 && rows == "1";
    return "the HUD shows " + std::to_string(pages) + (pages == 1 ? " page of " : " pages of ") +
           rows + (oneRow ? " row" : " rows");
}

// The findings of every check, in their order, each handed what the ones before it found; what
// the HUD shows.
std::string runChecks(const std::string& path, int width, int height, Findings& findings) {
    // The file as written.
    const std::optional<LayoutText> text = checkFile(path, findings);
    if (!text) return "the HUD shows no page";
    // The file as the HUD reads it, by its own reloadConfig.
    const auto store = std::make_unique<vantor::PageStore>();
    vantor::HudSettings settings{};
    vantor::reloadConfig(*store, settings, path.c_str());
    // What the reader takes of the file, then its sections and keys.
    const FileForm form = checkEncoding(*text, findings);
    if (form.readable) {
        checkSections(*text, *store, form.lossExplained, findings);
        const std::vector<LoadedRow> rows = checkPages(*text, *store, findings);
        checkConfig(*text, *store, findings);
        // What the loaded rows draw, and where.
        const RowCharacters characters = readCharacters(*store, settings);
        const Layout layout{
            *text,           *store, settings, rows, characters.codePage, *characters.lists,
            characters.font, width,  height};
        checkSettingsTogether(layout, findings);
        checkRows(layout, findings);
        checkCharacters(layout, findings);
        checkCodePage(layout, findings);
        checkGeometry(layout, findings);
        checkSpacing(layout, findings);
    }
    return pagesShown(*store);
}

}  // namespace

CheckResult checkLayout(const std::string& path, int width, int height,
                        const std::vector<Kind>& ignored) {
    // A bare file name would send the Windows reader to the Windows folder; a folder part keeps
    // it in the working directory, as the HUD's own path does.
    const bool bare = path.find_first_of("/\\") == std::string::npos;
    Findings findings(ignored);
    const std::string shown = runChecks(bare ? "./" + path : path, width, height, findings);

    // The path as a user reads it in the findings: the same on both systems.
    const std::string written = vantor::platform::withSlashes(path);
    CheckResult result;
    result.errors = findings.count(Severity::Error);
    result.warnings = findings.count(Severity::Warning);
    result.notes = findings.count(Severity::Note);
    result.exitStatus = findings.exitStatus();
    result.findings = findings.listing(written);
    result.summary = written + ": " + titleCounts(result) + "; " + shown + " in a " +
                     sizeText(width, height) + " viewport\n";
    return result;
}

void print(const CheckResult& result, std::FILE* out) {
    std::fputs(result.findings.c_str(), out);
    std::fputs(result.summary.c_str(), out);
    // Under wine the window's stderr held these lines back while its title showed their counts.
    std::fflush(out);
}

std::string titleCounts(const CheckResult& result) {
    return countsText(result.errors, result.warnings, result.notes);
}

}  // namespace hudhost::check

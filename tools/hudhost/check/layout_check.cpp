#include "layout_check.h"

#include <algorithm>
#include <unordered_map>

#include "layout.h"
#include "platform/platform.h"

namespace hudhost::check {
namespace {

constexpr char kAbsent[] = "\x01";  // a default no layout holds as a value

// The path as a user reads it in the findings: the same on both systems.
std::string shownPath(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

// A section is seen when the reader finds its first named key; a repeated one never is, and one
// without keys has nothing to lose.
void markSectionsRead(Layout& layout) {
    std::unordered_map<std::string, std::size_t> first;
    for (std::size_t s = 0; s < layout.text.sections.size(); ++s) {
        const Section& section = layout.text.sections[s];
        const std::size_t firstOfName = first.emplace(upper(section.name), s).first->second;
        layout.firstOfName.push_back(firstOfName);
        bool read = firstOfName == s;
        const auto probe = std::find_if(section.entries.begin(), section.entries.end(),
                                        [](const Entry& entry) { return !entry.name.empty(); });
        if (read && probe != section.entries.end())
            read = layout.readerHas(section.name, probe->name);
        layout.sectionRead.push_back(read);
    }
}

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

}  // namespace

bool Layout::readerHas(const std::string& section, const std::string& key) const {
    char value[vantor::kTextSize];
    const std::uint32_t length = vantor::platform::readProfileString(
        section.c_str(), key.c_str(), kAbsent, value, sizeof value, path.c_str());
    return length != 1 || value[0] != kAbsent[0];
}

CheckResult checkLayout(const std::string& path, int width, int height) {
    Layout layout;
    layout.viewWidth = width;
    layout.viewHeight = height;
    // A bare file name would send the Windows reader to the Windows folder; a folder part keeps
    // it in the working directory, as the HUD's own path does.
    const bool bare = path.find_first_of("/\\") == std::string::npos;
    layout.path = bare ? "./" + path : path;
    std::string shown;
    if (checkFile(layout)) {
        vantor::reloadConfig(*layout.store, layout.settings, layout.path.c_str());
        markSectionsRead(layout);
        if (checkEncoding(layout)) {
            checkSections(layout);
            checkPages(layout);
            checkConfig(layout);
            readCharacters(layout);
            checkRows(layout);
            checkCharacters(layout);
            checkGeometry(layout);
        }
        shown = pagesShown(*layout.store);
    } else {
        shown = "the HUD shows no page";
    }

    CheckResult result;
    result.errors = layout.findings.count(Severity::Error);
    result.warnings = layout.findings.count(Severity::Warning);
    result.notes = layout.findings.count(Severity::Note);
    result.exitStatus = layout.findings.exitStatus();
    result.findings = layout.findings.listing(shownPath(path));
    result.summary = shownPath(path) + ": " + titleCounts(result) + "; " + shown + " in a " +
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

// hudhost --check: reads a layout exactly as the HUD will and tells, a line per finding, why the
// HUD shows what it shows.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "check/findings.h"
#include "pages/file_format.h"

namespace hudhost::check {

struct CheckResult {
    int errors = 0;
    int warnings = 0;
    int notes = 0;
    int exitStatus = 0;           // 0 nothing above a note, 1 warnings, 2 errors
    std::string path;             // the file as the findings name it
    std::vector<Finding> listed;  // in file order; the records both formats print
    int unlisted = 0;             // counted beyond those listed
    std::string findings;         // listed as lines of text, each ending in a newline
    std::string summary;          // the last line: the counts, the pages shown and the viewport
};

// Checks the layout file at `path` (relative to the working directory, folders separated by '/'
// or '\', as the HUD takes its own) as the HUD shows it in a viewport `width` x `height` pixels:
// the overlay's positions stretched over it, or rows held to one of its corners. Findings of the
// kinds `ignored` are neither listed nor counted.
CheckResult checkLayout(const std::string& path, int width = vantor::kOverlayWidth,
                        int height = vantor::kOverlayHeight,
                        const std::vector<FindingKind>& ignored = {});

// Writes the findings, then the summary, to `out`: as lines of text, or as one JSON document
// {"file", "findings": [{"file", "line", "column", "severity", "name", "message"}...], "unlisted",
// "errors", "warnings", "notes", "summary"}, where a finding about the whole file has a null line
// and column.
void print(const CheckResult& result, std::FILE* out, ReportFormat format = ReportFormat::Text);

// "0 errors, 2 warnings, 1 note", for a window title.
std::string titleCounts(const CheckResult& result);

}  // namespace hudhost::check

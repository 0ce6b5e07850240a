// hudhost --check: reads a layout exactly as the HUD will and tells, a line per finding, why the
// HUD shows what it shows.
#pragma once

#include <cstdio>
#include <string>

#include "pages/file_format.h"

namespace hudhost::check {

struct CheckResult {
    int errors = 0;
    int warnings = 0;
    int notes = 0;
    int exitStatus = 0;  // 0 nothing above a note, 1 warnings, 2 errors
};

// Checks the layout file at `path` (relative to the working directory, folders separated by '/'
// or '\', as the HUD takes its own) and prints the findings and a summary to `out`. A layout held
// to a corner is checked in a viewport `width` x `height` pixels.
CheckResult checkLayout(const std::string& path, std::FILE* out, int width = vantor::kOverlayWidth,
                        int height = vantor::kOverlayHeight);

// "0 errors, 2 warnings", for a window title.
std::string titleCounts(const CheckResult& result);

}  // namespace hudhost::check

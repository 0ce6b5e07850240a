// The check's findings as one JSON document, the form editors and pipelines read diagnostics in.
#pragma once

#include <string>

#include "check/layout_check.h"

namespace hudhost::check {

// The document print() describes, ending in a newline.
std::string jsonReport(const CheckResult& result);

}  // namespace hudhost::check

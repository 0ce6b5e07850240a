// The numbered names the HUD builds to ask for its pages and rows: "SECTION1", "ROWDATA28".
#pragma once

#include <string>

#include "pages/file_format.h"
#include "pages/row_colour.h"

namespace hudhost::check {

// The number n of a name written as `prefix` followed by n in decimal (in capitals, no leading
// zero), as the HUD builds it; 0 for any other name.
int pageNumber(const std::string& upperName, const std::string& prefix);

inline std::string pageSection(int n) { return vantor::kPageSectionPrefix + std::to_string(n); }
inline std::string rowKey(int n) { return vantor::kRowKeyPrefix + std::to_string(n); }
inline std::string rowColourKey(int n) { return vantor::kRowColourPrefix + std::to_string(n); }

}  // namespace hudhost::check

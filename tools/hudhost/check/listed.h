// Names as hudhost's lines list them, in one place so that every line joins them alike.
#pragma once

#include <string>
#include <vector>

namespace hudhost::check {

// "a, b and c" with `last` " and ", "a, b or c" with " or ".
std::string listed(const std::vector<std::string>& items, const char* last);

}  // namespace hudhost::check

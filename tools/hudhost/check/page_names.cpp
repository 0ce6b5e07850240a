#include "check/page_names.h"

namespace hudhost::check {

int pageNumber(const std::string& upperName, const std::string& prefix) {
    if (upperName.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::string digits = upperName.substr(prefix.size());
    if (digits.empty() || digits.size() > 6 || digits[0] == '0') return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace hudhost::check

#include "check/listed.h"

namespace hudhost::check {

std::string listed(const std::vector<std::string>& items, const char* last) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i == 0 ? "" : i + 1 == items.size() ? last : ", ") + items[i];
    }
    return out;
}

}  // namespace hudhost::check

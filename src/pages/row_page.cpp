#include "pages/row_page.h"

#include <cstring>

namespace vantor {

void TextRow::clear() {
    std::memset(text, 0, sizeof text);
    std::memset(value, 0, sizeof value);
    tokenHits = -1;
}

}  // namespace vantor

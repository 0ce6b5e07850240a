#include "pages/row_page.h"

#include <cstring>

namespace vantor {

void TextRow::clear() {
    std::memset(text, 0, sizeof text);
    tokenHits = -1;
    encoding = RowEncoding::kAscii;
    colour = RowColour{};
}

}  // namespace vantor

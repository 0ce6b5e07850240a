// Fixed-size text rows and pages: every row the HUD reads from its INI file lives in one of these,
// inline.
#pragma once

#include <cstdint>

#include "pages/row_colour.h"
#include "pages/row_encoding.h"

namespace vantor {

constexpr int kTextSize = 260;  // bytes of every text field: at most 259 characters and a zero
constexpr int kPageRows = 28;

struct TextRow {
    char text[kTextSize];  // the row's text as read from the INI file
    // Token substitutions the row received when last drawn: -1 not drawn since it was cleared,
    // 0 no token in it. What its drawing learnt of the text, not the text: kept through a const
    // row, as every reader but the loader holds the rows.
    mutable std::int32_t tokenHits;
    RowEncoding encoding;  // decided when the row is read
    RowColour colour;      // its ROWCOLOR<n>; none for the HUD colour

    TextRow() { clear(); }
    void clear();
};

struct RowPage {
    TextRow rows[kPageRows];
    std::int32_t count = 0;  // rows 0 .. count - 1 are in use
};

// The rows of one page as its readers hold them, const (PageStore::view, or the drawing pass's
// cursor).
struct PageView {
    const TextRow* rows[kPageRows] = {};
    int count = 0;  // BLANK rows counted
};

}  // namespace vantor

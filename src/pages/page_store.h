// The HUD's text: up to five pages of up to 28 rows read from the INI file, and a page and row
// cursor over them.
//
// The store is also the HUD's only reader of the INI file (through readString and readInt). It
// allocates nothing and keeps no file open: each read sees the file as it is at that moment.
#pragma once

#include <cstdint>

#include "pages/row_page.h"

namespace vantor {

constexpr int kPageCount = 5;

class PageStore {
public:
    PageStore();

    // Clears every row of every page (texts zeroed, tokenHits -1), the page count and the row
    // cursor. Leaves the path and the page cursor.
    void reset();

    // Copies `source` into the path; 0 and no change for a null or empty source.
    int setPath(const char* source);

    // Reads the page sections "<sectionPrefix>1".."<sectionPrefix>5", each with the keys
    // "<rowPrefix>1".."<rowPrefix>28". The first missing or empty row ends a page; a page without
    // its first row ends the list. A value of exactly "BLANK" is an empty row that keeps its line.
    // Relies on a reset before it for empty rows. Returns the new page count.
    int loadPages(const char* sectionPrefix, const char* rowPrefix);

    // Reads one key of the file at the path. `capacity` is in-out: on entry the bytes of
    // `destination` to use (1 .. its size), on return the length the INI read reported. `ok` is 1
    // when a non-empty value was read and fits, else 0. Returns `destination`.
    char* readString(const char* section, const char* key, char* destination,
                     std::int32_t& capacity, std::int32_t& ok);

    // Reads one key as a decimal integer (leading blanks, a sign, digits up to the first other
    // character; no digits gives 0). The value is also stored through `outValue`. An absent or
    // empty key gives 0 with ok 0; a non-numeric value gives 0 with ok 1.
    std::int32_t readInt(const char* section, const char* key, std::int32_t& outValue,
                         std::int32_t& ok);

    // The cursor. Every operation tests the part of the cursor it uses.
    int getPageCount() const { return pageCount_; }
    int selectPage(int n);           // 1 and the page cursor set if 0 <= n < page count; the row
                                     // cursor is not touched
    int getRowCount() const;         // rows of the current page, 0 when the page cursor is invalid
    int selectRow(int n);            // 1 and the row cursor set if n is a row of the current page
    const char* getRowText() const;  // the current row's text, null when the cursor is invalid
    RowEncoding getRowEncoding() const;  // the current row's; kAscii when the cursor is invalid
    std::int32_t getTokenHits() const;   // the current row's tokenHits; -1 when invalid
    void setTokenHits(std::int32_t n);   // nothing when the cursor is invalid

private:
    bool cursorValid() const;

    char path_[kTextSize];
    char scratch_[kTextSize];
    std::int32_t pageCount_ = 0;
    std::int32_t curPage_ = 0;
    std::int32_t curRow_ = 0;
    RowPage pages_[kPageCount];
};

}  // namespace vantor

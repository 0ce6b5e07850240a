// The HUD's text: up to kPageCount pages of up to kPageRows rows read from the INI file, and a page
// and row cursor over them.
//
// The store is also the HUD's only reader of the INI file (through readString and readInt). It
// allocates nothing and keeps no file open: each read sees the file as it is at that moment.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "pages/file_format.h"
#include "pages/row_page.h"

namespace vantor {

class PageStore {
public:
    PageStore();

    // Clears every row of every page (texts zeroed, tokenHits -1), the page count and the row
    // cursor. Leaves the path and the page cursor.
    void reset();

    // Copies `source` into the path; 0 and no change for a null or empty source.
    int setPath(const char* source);

    // Reads the page sections "<sectionPrefix>1" to "<sectionPrefix>kPageCount", each with the keys
    // "<rowPrefix>1" to "<rowPrefix>kPageRows". The first missing or empty row ends a page; a page
    // without its first row ends the list. A value of exactly kBlankRow is an empty row that keeps
    // its line. Relies on a reset before it for empty rows. Returns the new page count.
    int loadPages(const char* sectionPrefix, const char* rowPrefix);

    // Reads the "<colourPrefix>n" key of each loaded row that has one, beside its row key in the
    // page's section, into the row's colour (row_colour.h); after loadPages. A section's keys
    // are listed once, and only the colour keys it holds are read: a page without any costs one
    // read, whatever its rows.
    void loadRowColours(const char* sectionPrefix, const char* colourPrefix);

    // Reads one key of the file at the path, with a buffer of kTextSize: its text, at most
    // kMaxTextChars characters and zero-terminated, valid until the next read; nothing for an
    // absent or empty key.
    std::optional<std::string_view> readString(const char* section, const char* key) const;

    // Reads one key as a decimal integer (leading blanks, a sign, digits up to the first other
    // character; no digits gives 0), clamped to 32 bits; nothing for an absent or empty key.
    std::optional<std::int32_t> readInt(const char* section, const char* key) const;

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
    const TextRow* getRow() const;       // the current row whole; null when the cursor is invalid

    // Page `n` (from 0) as a const view that moves no cursor; no rows when there is no such page.
    PageView view(int n) const;

private:
    bool cursorValid() const;
    void readRowColour(const char* section, const char* key, TextRow& row);

    char path_[kTextSize];
    mutable char scratch_[kTextSize];  // a read's buffer, none of the pages
    std::int32_t pageCount_ = 0;
    std::int32_t curPage_ = 0;
    std::int32_t curRow_ = 0;
    RowPage pages_[kPageCount];
};

// Page `n` (from 0) read as the drawing pass reads it, through the cursor: selectPage, getRowCount,
// then selectRow and getRow for each row in turn. No rows when there is no such page.
PageView readThroughCursor(PageStore& store, int n);

}  // namespace vantor

// The display lists of the characters beyond the 96 glyph codes that the loaded rows hold: one
// list each, made at the rebuild from the font of the 96, and released with them. A layout in
// plain ASCII has none, and makes exactly the 96 lists it always made.
#pragma once

#include "pages/page_store.h"
#include "platform/platform.h"

namespace vantor {

// Enough for the letters of several scripts at once; a layout with more draws the rest as '?'.
constexpr int kMaxCharacterLists = 1024;

class CharacterLists {
public:
    // Gathers the characters of every row of `store` that have no glyph code: those of 0x80 and
    // above, less the C1 controls. Past the bound the first ones met are kept. Moves the store's
    // cursor.
    void collect(PageStore& store, const platform::CodePageCharacters& codePage);

    // Gathers the characters of the clock's names too, which the date and time may spell out.
    void gather(const platform::ClockNames& names);

    // Makes a list for each gathered character in the current GL context, deleting those made
    // before, from `face` at `pixelHeight` and `weight` (platform::buildGlyphLists). With no
    // characters, makes none and calls no GL.
    void build(platform::DeviceContext dc, const char* face, int pixelHeight, int weight);

    // Deletes the lists; the characters stay gathered.
    void release();

    // Whether `c` has a list to gather: a character at or above 0x80 that is not a C1 control.
    static bool wanted(char32_t c) { return c >= 0xA0; }

    // Whether `c` was gathered: false for one left out for the bound, or never met.
    bool kept(char32_t c) const;

    // Where `c` is among the gathered characters (see code), -1 when it was not gathered.
    int indexOf(char32_t c) const;

    // The list that draws `c`, 0 when it has none (it was past the bound, or lists failed).
    unsigned int listOf(char32_t c) const;

    // Whether some character was left out for the bound.
    bool full() const { return full_; }
    int count() const { return count_; }
    unsigned int base() const { return base_; }
    char32_t code(int i) const { return codes_[i]; }
    const char32_t* codes() const { return codes_; }

private:
    void add(char32_t c);
    void gatherText(const char* text, RowEncoding encoding,
                    const platform::CodePageCharacters& codePage);

    char32_t codes_[kMaxCharacterLists];  // sorted
    int count_ = 0;
    int made_ = 0;  // lists made from base_, which a new gathering does not change
    bool full_ = false;
    unsigned int base_ = 0;  // the first list, 0 when none are made
};

}  // namespace vantor

// The display lists of the characters beyond the 96 glyph codes that the loaded rows hold: one
// list each, made at the rebuild from the font of the 96, and released with them. A layout in
// plain ASCII has none, and makes exactly the 96 lists it always made.
#pragma once

#include "layout/drawn_width.h"
#include "pages/page_store.h"
#include "platform/platform.h"

namespace vantor {

// Enough for the letters of several scripts at once; a layout with more draws the rest as '?'.
constexpr int kMaxCharacterLists = 1024;

class CharacterLists {
public:
    // Gathers the characters of every row of `store` that have no glyph code: those of 0x80 and
    // above, less the C1 controls (GatheredCharacters::wanted). Past the bound the first ones met
    // are kept.
    void collect(const PageStore& store, const platform::CodePageCharacters& codePage);

    // Gathers the characters of the clock's names too, which the date and time may spell out.
    void gather(const platform::ClockNames& names);

    // Makes a list for each gathered character in the current GL context, deleting those made
    // before, from `face` at `pixelHeight` and `weight` (platform::buildGlyphLists). With no
    // characters, makes none and calls no GL.
    void build(platform::DeviceContext dc, const char* face, int pixelHeight, int weight);

    // Deletes the lists; the characters stay gathered.
    void release();

    // The characters gathered, as the layout measures them.
    GatheredCharacters gathered() const { return {codes_, count_}; }

    // The list that draws `c`, 0 when it has none (it was past the bound, or lists failed).
    unsigned int listOf(char32_t c) const;

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
    int made_ = 0;           // lists made from base_, which a new gathering does not change
    unsigned int base_ = 0;  // the first list, 0 when none are made
};

}  // namespace vantor

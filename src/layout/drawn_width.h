// What a row's characters draw as and how far each advances: the one rule of a row's width that
// the HUD aligns its rows by and the layout checker measures them with.
#pragma once

#include <string_view>

#include "pages/row_encoding.h"
#include "platform/platform.h"

namespace vantor {

// The advance of each byte's glyph list in window pixels, 0 for a byte without one.
using ByteAdvances = int[256];

// The characters beyond the glyph codes that have lists of their own, sorted (the HUD's
// CharacterLists gathers them from the loaded rows).
struct GatheredCharacters {
    const char32_t* codes = nullptr;
    int count = 0;

    // Whether a character at or above 0x80 is one to gather: any but the C1 controls.
    static bool wanted(char32_t c) { return c >= 0xA0; }
    // Where `c` is among them, -1 when it is not.
    int indexOf(char32_t c) const;
    bool kept(char32_t c) const { return indexOf(c) >= 0; }
};

// What a row's characters advance by, in window pixels, as read back from the lists that draw them
// (fontAdvances in the HUD's font lists gives them).
struct FontAdvances {
    const int* glyphs = nullptr;  // by byte (a ByteAdvances); null when not measured: widths are 0
    GatheredCharacters characters;
    // By their place among `characters`; null when their lists were not made, and each draws as
    // '?'.
    const int* characterAdvances = nullptr;
};

// What a character read from a row draws as: itself for a glyph code or for a character gathered,
// '?' for one beyond ASCII that was left out for the bound, and 0 for nothing (a control
// character, a C1 control, a byte that stands for no character).
char32_t drawnAs(char32_t c, const GatheredCharacters& characters);

// The advance of a character read from a row, drawn as drawnAs says.
int drawnAdvance(char32_t c, const FontAdvances& advances);

// The width of `text`, a row or a part of one that starts and ends between characters, read in
// `encoding` as the HUD reads its rows: the sum of its characters' advances; 0 when the advances
// were not measured.
int drawnWidth(std::string_view text, RowEncoding encoding,
               const platform::CodePageCharacters& codePage, const FontAdvances& advances);

}  // namespace vantor

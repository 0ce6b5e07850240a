// What a row's characters draw as and how far each advances: the one rule of a row's width that
// the HUD aligns its rows by and the layout checker measures them with.
#pragma once

#include "hud/character_lists.h"
#include "pages/row_encoding.h"
#include "platform/platform.h"

namespace vantor {

// The advance of each byte's glyph list in window pixels, 0 for a byte without one.
using ByteAdvances = int[256];

// What a row's characters advance by, in window pixels.
struct DrawnAdvances {
    const ByteAdvances& glyphs;  // the glyph codes', by byte
    const CharacterLists& lists;
    // The characters beyond the glyph codes that `lists` kept, by their place there
    // (CharacterLists::code); null when their lists were not made, and each draws as '?'.
    const int* characters;
};

// What a character read from a row draws as: itself for a glyph code or for a character the lists
// kept, '?' for one beyond ASCII that they left out for their bound, and 0 for nothing (a control
// character, a C1 control, a byte that stands for no character).
char32_t drawnAs(char32_t c, const CharacterLists& lists);

// The advance of a character read from a row, drawn as drawnAs says.
int drawnAdvance(char32_t c, const DrawnAdvances& advances);

// The width of `text`, read in `encoding` as the HUD reads its rows: the sum of its characters'
// advances.
int drawnWidth(const char* text, RowEncoding encoding, const platform::CodePageCharacters& codePage,
               const DrawnAdvances& advances);

}  // namespace vantor

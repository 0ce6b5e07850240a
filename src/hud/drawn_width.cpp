#include "hud/drawn_width.h"

#include <cstring>

namespace vantor {
namespace {

// The length first, so that the sum runs without a test for the end on each byte, in two sums
// that the processor can add side by side: right-aligned ASCII rows are summed every frame.
int asciiWidth(const char* line, const ByteAdvances& advances) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(line);
    const std::size_t length = std::strlen(line);
    int even = 0;
    int odd = 0;
    std::size_t i = 0;
    for (; i + 1 < length; i += 2) {
        even += advances[bytes[i]];
        odd += advances[bytes[i + 1]];
    }
    if (i < length) even += advances[bytes[i]];
    return even + odd;
}

}  // namespace

char32_t drawnAs(char32_t c, const CharacterLists& lists) {
    if (c < 0x80) return c >= static_cast<char32_t>(platform::kFirstGlyph) ? c : 0;
    if (!CharacterLists::wanted(c)) return 0;
    return lists.kept(c) ? c : U'?';
}

int drawnAdvance(char32_t c, const DrawnAdvances& advances) {
    const char32_t drawn = drawnAs(c, advances.lists);
    if (drawn == 0) return 0;
    if (drawn < 0x80) return advances.glyphs[drawn];
    if (advances.characters == nullptr) return advances.glyphs[static_cast<unsigned char>('?')];
    return advances.characters[advances.lists.indexOf(drawn)];
}

// A byte below kFirstGlyph has no glyph list and advances by 0, so an ASCII row needs no reading.
int drawnWidth(const char* text, RowEncoding encoding, const platform::CodePageCharacters& codePage,
               const DrawnAdvances& advances) {
    if (encoding == RowEncoding::kAscii) return asciiWidth(text, advances.glyphs);
    int width = 0;
    while (*text != '\0') width += drawnAdvance(nextCharacter(text, encoding, codePage), advances);
    return width;
}

}  // namespace vantor

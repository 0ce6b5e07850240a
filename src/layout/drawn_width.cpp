#include "layout/drawn_width.h"

#include <algorithm>

namespace vantor {
namespace {

// In two sums that the processor can add side by side: right-aligned ASCII rows are summed every
// frame.
int asciiWidth(std::string_view line, const int* advances) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    const std::size_t length = line.size();
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

int GatheredCharacters::indexOf(char32_t c) const {
    const char32_t* end = codes + count;
    const char32_t* found = std::lower_bound(codes, end, c);
    return found != end && *found == c ? static_cast<int>(found - codes) : -1;
}

char32_t drawnAs(char32_t c, const GatheredCharacters& characters) {
    if (c < 0x80) return c >= static_cast<char32_t>(platform::kFirstGlyph) ? c : 0;
    if (!GatheredCharacters::wanted(c)) return 0;
    return characters.kept(c) ? c : U'?';
}

int drawnAdvance(char32_t c, const FontAdvances& advances) {
    const char32_t drawn = drawnAs(c, advances.characters);
    if (drawn == 0 || advances.glyphs == nullptr) return 0;
    if (drawn < 0x80) return advances.glyphs[drawn];
    if (advances.characterAdvances == nullptr) {
        return advances.glyphs[static_cast<unsigned char>('?')];
    }
    return advances.characterAdvances[advances.characters.indexOf(drawn)];
}

// A byte below kFirstGlyph has no glyph list and advances by 0, so an ASCII row needs no reading.
int drawnWidth(std::string_view text, RowEncoding encoding,
               const platform::CodePageCharacters& codePage, const FontAdvances& advances) {
    if (advances.glyphs == nullptr) return 0;
    if (encoding == RowEncoding::kAscii) return asciiWidth(text, advances.glyphs);
    int width = 0;
    const char* end = text.data() + text.size();
    for (const char* at = text.data(); at < end;) {
        width += drawnAdvance(nextCharacter(at, encoding, codePage), advances);
    }
    return width;
}

}  // namespace vantor

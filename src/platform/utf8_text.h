// UTF-8 as the readers tell it from the code page: strictly, so that no overlong form, surrogate or
// cut sequence passes for a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace vantor::platform {

// The length of the well-formed UTF-8 sequence that starts at `text`, whose first byte is at or
// above 0x80; 0 when there is none (a stray or overlong byte, a surrogate, past U+10FFFF, cut).
// Reads no further than a byte that is no continuation: a terminating zero stops it.
inline int utf8SequenceLength(const unsigned char* text) {
    const unsigned char lead = text[0];
    int length = 0;
    char32_t low = 0;  // the smallest character of that length: shorter forms are overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        low = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = 0x10000;
    } else {
        return 0;
    }
    char32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (text[i] & 0x3F);
    }
    if (c < low || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

// Whether `bytes` hold a byte at or above 0x80 and every such byte is part of a well-formed UTF-8
// sequence. A sequence running into the end of `bytes` is cut, so not well-formed.
inline bool holdsUtf8(std::string_view bytes) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = at + bytes.size();
    bool high = false;
    while (at != end) {
        if (*at < 0x80) {
            ++at;
            continue;
        }
        // Four bytes of room keep the sequence's reads inside `bytes`.
        unsigned char sequence[5] = {};
        for (std::size_t i = 0; i < 4 && at + i != end; ++i) sequence[i] = at[i];
        const int length = utf8SequenceLength(sequence);
        if (length == 0) return false;
        high = true;
        at += length;
    }
    return high;
}

}  // namespace vantor::platform

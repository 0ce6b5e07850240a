// Which characters a row's bytes stand for. Editors save a layout either in the system code page
// or, today more often, in UTF-8 without a byte-order mark; the profile functions hand both over
// as the bytes of the file. A row is read as UTF-8 when its high bytes say so, once, at load.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vantor {

enum class RowEncoding : std::uint8_t {
    kAscii,     // no byte at or above 0x80: each byte is its own character
    kUtf8,      // at least one high byte, and every one in a well-formed UTF-8 sequence
    kCodePage,  // any other row: one byte a character, in the system code page
};

RowEncoding detectEncoding(const char* text);

// The length of the well-formed UTF-8 sequence that starts at `text`, whose first byte is at or
// above 0x80; 0 when there is none (a stray or overlong byte, a surrogate, past U+10FFFF, cut).
int utf8SequenceLength(const unsigned char* text);

// Reads the character at `text`, which is not at its end, and moves past it. A byte that stands
// for nothing (a broken sequence, a code page byte without a character) gives 0 and moves one.
char32_t nextCharacter(const char*& text, RowEncoding encoding,
                       const platform::CodePageCharacters& codePage);

// Appends `c` to `out` in UTF-8.
void appendUtf8(char32_t c, std::string& out);

// `text` in UTF-8, its bytes read as a row's are (detectEncoding, nextCharacter): what a setting
// that names something to the system, such as FONT_FACE, means in any script. A byte that stands
// for nothing is left out.
std::string toUtf8(const char* text, const platform::CodePageCharacters& codePage);

}  // namespace vantor

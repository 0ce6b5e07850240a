// Which characters a row's bytes stand for. Editors save a layout either in the system code page
// or, today more often, in UTF-8 without a byte-order mark; the profile functions hand both over
// as the bytes of the file. A row is read as UTF-8 when its high bytes say so, once, at load.
//
// A row whose high bytes are all well-formed UTF-8 is UTF-8 in a double-byte code page too, though
// some such byte strings are also text of that code page (936 takes most UTF-8 as GBK pairs):
// strict UTF-8 almost never holds real double-byte text (Shift-JIS and GBK lead bytes take ASCII
// and C0-C1 trail bytes that UTF-8 refuses, and a row of any length breaks it somewhere), while
// UTF-8 is what the editors of today write. Any other row is the code page's, decoded whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/utf8_text.h"

namespace vantor {

enum class RowEncoding : std::uint8_t {
    kAscii,     // no byte at or above 0x80: each byte is its own character
    kUtf8,      // at least one high byte, and every one in a well-formed UTF-8 sequence
    kCodePage,  // any other row: in the system code page, a byte a character or a lead and trail
};

RowEncoding detectEncoding(const char* text);

using platform::utf8SequenceLength;

// Reads the character at `text`, which is not at its end, and moves past it. A byte that stands
// for nothing (a broken sequence, a code page byte without a character, a lead byte whose pair is
// none) gives 0 and moves one: the byte after a lone lead byte is read as itself.
char32_t nextCharacter(const char*& text, RowEncoding encoding,
                       const platform::CodePageCharacters& codePage);

// Appends `c` to `out` in UTF-8.
void appendUtf8(char32_t c, std::string& out);

// `text` in UTF-8, its bytes read as a row's are (detectEncoding, nextCharacter): what a setting
// that names something to the system, such as FONT_FACE, means in any script. A byte that stands
// for nothing is left out.
std::string toUtf8(const char* text, const platform::CodePageCharacters& codePage);
// How much of `text`, `length` bytes that a reader cut to that length, to keep: a row that is
// UTF-8 but for a character the cut broke loses that character's bytes, and stays UTF-8; any
// other keeps all.
std::size_t wholeCharacters(const char* text, std::size_t length);

}  // namespace vantor

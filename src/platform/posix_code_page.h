// Windows-1252, the code page the Linux build reads single-byte text in, as a Windows system set
// to a Western European language does.
#pragma once

namespace vantor::platform {

// The character byte `byte` stands for; 0 for the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t windows1252Character(unsigned char byte);

// The byte that stands for `c`; 0 when the code page has no byte for it.
unsigned char windows1252Byte(char32_t c);

// The byte that Windows' conversion to the code page (WideCharToMultiByte, best fit allowed) makes
// of the UTF-16 unit `unit`: the byte that stands for it, else that of a like character (a letter
// without its accent, a full-width letter's own, '=' for U+2264), else '?'. Each surrogate gives
// '?' alone, so a character beyond U+FFFF becomes two. The five undefined bytes stand for the
// controls of their own number here, as in Windows' table.
unsigned char windows1252Converted(char16_t unit);

}  // namespace vantor::platform

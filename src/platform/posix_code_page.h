// Windows-1252, the code page the Linux build reads single-byte text in, as a Windows system set
// to a Western European language does.
#pragma once

namespace vantor::platform {

// The character byte `byte` stands for; 0 for the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t windows1252Character(unsigned char byte);

// The byte that stands for `c`; 0 when the code page has no byte for it.
unsigned char windows1252Byte(char32_t c);

}  // namespace vantor::platform

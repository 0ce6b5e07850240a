// Shared by both sides of the seam: a name the system gives, in UTF-8, into its ClockNames field.
#pragma once

#include <cstring>

#include "platform/platform.h"

namespace vantor::platform {

// Copies `utf8`, cut before the first character that would not fit with the zero.
inline void copyClockName(const char* utf8, char (&out)[kClockNameSize]) {
    std::size_t length = std::strlen(utf8);
    if (length >= sizeof out) {
        length = sizeof out - 1;
        while (length > 0 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80) --length;
    }
    std::memcpy(out, utf8, length);
    out[length] = '\0';
}

}  // namespace vantor::platform

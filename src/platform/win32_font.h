// The GDI font the HUD draws with, made the one way that both the glyph lists and the shaping
// engine use.
#pragma once

#include <windows.h>

namespace vantor::platform {

inline HFONT createHudFont(const char* face, int pixelHeight, BYTE charset = ANSI_CHARSET) {
    // A negative height asks for the character height, not the cell height, in pixels.
    return CreateFontA(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace vantor::platform

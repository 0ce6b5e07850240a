// The GDI font the HUD draws with, made the one way that the glyph lists, the fallback faces and
// the shaping engine use; face names as UTF-8.
#pragma once

#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace vantor::platform {

// Face names come as UTF-8 and go to the system as wide text, so a name in any script is found.
inline std::wstring wideOf(const char* utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (size <= 1) return L"";
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), size);
    wide.resize(static_cast<std::size_t>(size - 1));
    return wide;
}

inline std::string utf8Of(const wchar_t* wide) {
    char text[4 * LF_FACESIZE] = "";
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

// The bitmap of `code` (a character; with GGO_GLYPH_INDEX in `format`, a glyph index) in the font
// selected into `hdc`, as wglUseFontBitmaps compiles it: the outline's rows, a DWORD apart from the
// top, turned to whole bytes from the bottom. A glyph without ink (the space: size 0, a 1 x 1 box)
// has no rows.
GlyphBitmap outlineBitmap(HDC hdc, UINT code, UINT format);

inline HFONT createHudFont(const wchar_t* face, int pixelHeight, int weight,
                           BYTE charset = ANSI_CHARSET) {
    // A negative height asks for the character height, not the cell height, in pixels. The GDI
    // makes a bold of its own for a face that has none.
    return CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace vantor::platform

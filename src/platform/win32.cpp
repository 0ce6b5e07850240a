// Windows side of the platform seam: the real Win32 calls.
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <ctime>

#include "platform/platform.h"

namespace vantor::platform {

std::uint32_t readProfileString(const char* section, const char* key, const char* fallback,
                                char* buffer, std::uint32_t size, const char* path) {
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, path);
}

bool canOpenForReading(const char* path) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

std::uint32_t tickCount() { return GetTickCount(); }

std::int64_t calendarTime() { return static_cast<std::int64_t>(_time64(nullptr)); }

void refreshTimeZone() { _tzset(); }

bool toLocalTime(std::int64_t seconds, std::tm& out) {
    const __time64_t t = seconds;
    return _localtime64_s(&out, &t) == 0;
}

DeviceContext currentDeviceContext() { return wglGetCurrentDC(); }

namespace {

HFONT createHudFont(const char* face, int pixelHeight) {
    // A negative height asks for the character height, not the cell height, in pixels.
    return CreateFontA(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

void buildGlyphLists(DeviceContext dc, const char* face, int pixelHeight, unsigned int listBase) {
    const auto hdc = static_cast<HDC>(dc);
    HFONT font = createHudFont(face, pixelHeight);
    HGDIOBJ previous = SelectObject(hdc, font);
    // The space, the first glyph, is compiled here: wine's wglUseFontBitmapsA gives it a null
    // bitmap, which Mesa refuses (GL_OUT_OF_MEMORY, no advance kept), so lines lost their spaces.
    // Its advance is the font's own width of the space, as wglUseFontBitmapsA would set it.
    INT spaceWidth = 0;
    GetCharWidth32A(hdc, kFirstGlyph, kFirstGlyph, &spaceWidth);
    static const GLubyte kNoPixels = 0;
    glNewList(listBase, GL_COMPILE);
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(spaceWidth), 0.0f, &kNoPixels);
    glEndList();
    wglUseFontBitmapsA(hdc, kFirstGlyph + 1, kGlyphCount - 1, listBase + 1);
    SelectObject(hdc, previous);
    DeleteObject(font);
}

bool glyphAdvances(const char* face, int pixelHeight, int (&advances)[kGlyphCount]) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return false;
    HFONT font = createHudFont(face, pixelHeight);
    bool measured = false;
    if (font != nullptr) {
        HGDIOBJ previous = SelectObject(dc, font);
        measured = GetCharWidth32A(dc, kFirstGlyph, kFirstGlyph + kGlyphCount - 1, advances) != 0;
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    DeleteDC(dc);
    return measured;
}

}  // namespace vantor::platform

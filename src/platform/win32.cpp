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

void toCodePage(const char16_t* units, std::size_t count, std::string& out) {
    out.clear();
    if (count == 0) return;
    const auto* wide = reinterpret_cast<const wchar_t*>(units);
    const int length = static_cast<int>(count);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), size, nullptr, nullptr);
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

// Whether the glyph of `code` in the font selected into `hdc` sets any pixel. A font that cannot
// say (no outlines) counts as inked, and wglUseFontBitmapsA builds its lists as ever.
bool hasInk(HDC hdc, unsigned int code) {
    GLYPHMETRICS metrics{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    return GetGlyphOutlineA(hdc, code, GGO_BITMAP, &metrics, 0, nullptr, &identity) != 0;
}

}  // namespace

void buildGlyphLists(DeviceContext dc, const char* face, int pixelHeight, unsigned int listBase) {
    const auto hdc = static_cast<HDC>(dc);
    HFONT font = createHudFont(face, pixelHeight);
    HGDIOBJ previous = SelectObject(hdc, font);
    // Glyphs without ink (the space, and any a face leaves blank) are compiled here as a bare
    // advance: wine's wglUseFontBitmapsA gives them a null bitmap, which Mesa refuses
    // (GL_OUT_OF_MEMORY, no advance kept), so lines lost their spaces. The advance is the font's
    // own width, as wglUseFontBitmapsA would set it; the inked glyphs it builds in runs.
    INT widths[kGlyphCount] = {};
    GetCharWidth32A(hdc, kFirstGlyph, kFirstGlyph + kGlyphCount - 1, widths);
    bool inked[kGlyphCount];
    for (int i = 0; i < kGlyphCount; ++i) inked[i] = hasInk(hdc, kFirstGlyph + i);
    static const GLubyte kNoPixels = 0;
    for (int i = 0; i < kGlyphCount;) {
        if (!inked[i]) {
            glNewList(listBase + i, GL_COMPILE);
            glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(widths[i]), 0.0f, &kNoPixels);
            glEndList();
            ++i;
            continue;
        }
        int end = i + 1;
        while (end < kGlyphCount && inked[end]) ++end;
        wglUseFontBitmapsA(hdc, kFirstGlyph + i, end - i, listBase + i);
        i = end;
    }
    SelectObject(hdc, previous);
    DeleteObject(font);
}

namespace {

// Faces made to the metrics of the core Windows fonts, which a system without those (wine) draws
// in their place: stand-ins rather than substitutes.
constexpr struct {
    const char* face;
    const char* standIn;
} kStandIns[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

bool standsIn(const char* used, const char* face) {
    for (const auto& pair : kStandIns) {
        if (lstrcmpiA(face, pair.face) == 0 && lstrcmpiA(used, pair.standIn) == 0) return true;
    }
    return false;
}

// The advances, the ascent and the face name of the font selected into `hdc`; empty when it
// gives no widths.
std::optional<FontMeasure> measureSelected(HDC hdc, const char* face) {
    FontMeasure measure{};
    if (!GetCharWidth32A(hdc, kFirstGlyph, kFirstGlyph + kGlyphCount - 1, measure.advances)) {
        return std::nullopt;
    }
    // The black box's top above the baseline, which wglUseFontBitmapsA sets as the bitmap's.
    constexpr unsigned int kLastDrawn = 126;  // DEL draws a missing-glyph box, not a letter
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (unsigned int code = kFirstGlyph; code <= kLastDrawn; ++code) {
        GLYPHMETRICS metrics{};
        const DWORD size = GetGlyphOutlineA(hdc, code, GGO_BITMAP, &metrics, 0, nullptr, &identity);
        if (size != 0 && size != GDI_ERROR && metrics.gmptGlyphOrigin.y > measure.ascent) {
            measure.ascent = metrics.gmptGlyphOrigin.y;
        }
    }
    char used[LF_FACESIZE] = "";
    GetTextFaceA(hdc, sizeof used, used);
    if (lstrcmpiA(used, face) != 0 && !standsIn(used, face)) measure.substitute = used;
    return measure;
}

}  // namespace

std::optional<FontMeasure> measureFont(const char* face, int pixelHeight) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return std::nullopt;
    HFONT font = createHudFont(face, pixelHeight);
    std::optional<FontMeasure> measure;
    if (font != nullptr) {
        HGDIOBJ previous = SelectObject(dc, font);
        measure = measureSelected(dc, face);
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    DeleteDC(dc);
    return measure;
}

}  // namespace vantor::platform

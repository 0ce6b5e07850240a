// Windows side of the platform seam: the real Win32 calls.
#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/platform.h"
#include "platform/win32_font.h"

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

std::optional<FileStamp> fileStamp(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return std::nullopt;
    const ULARGE_INTEGER written{
        {data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}};
    const ULARGE_INTEGER size{{data.nFileSizeLow, data.nFileSizeHigh}};
    return FileStamp{static_cast<std::int64_t>(written.QuadPart), size.QuadPart};
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

void readCodePage(CodePageCharacters& table) {
    for (int i = 0; i < 128; ++i) {
        const char byte = static_cast<char>(0x80 + i);
        WCHAR wide[2] = {};
        // A lead byte of a double-byte code page converts to nothing alone.
        const int got = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, wide, 2);
        table[i] = got == 1 ? static_cast<char32_t>(wide[0]) : 0;
    }
}

namespace {

// Whether the font selected into `hdc` has a glyph of its own for `code`.
bool hasGlyph(HDC hdc, char32_t code) {
    if (code > 0xFFFF) return true;  // beyond the indices' reach: left to the font
    const WCHAR wide = static_cast<WCHAR>(code);
    WORD index = 0;
    return GetGlyphIndicesW(hdc, &wide, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
           index != 0xFFFF;
}

// The glyph of `code` in the font selected into `hdc`, with its advance; false when it has no ink.
bool inkedGlyph(HDC hdc, char32_t code, int& advance) {
    GLYPHMETRICS metrics{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const DWORD size = GetGlyphOutlineW(hdc, code, GGO_BITMAP, &metrics, 0, nullptr, &identity);
    if (size != 0 && size != GDI_ERROR) {
        advance = metrics.gmCellIncX;  // as wglUseFontBitmapsW advances
        return true;
    }
    INT width = 0;
    GetCharWidth32W(hdc, code, code, &width);
    advance = width;
    return false;
}

// Compiles `code` of the font selected into `hdc` into `list`, as buildGlyphLists compiles the
// 96: a glyph without ink as a bare advance, for the null bitmap Mesa refuses.
void compileCharacter(HDC hdc, char32_t code, unsigned int list) {
    int advance = 0;
    if (inkedGlyph(hdc, code, advance)) {
        wglUseFontBitmapsW(hdc, code, 1, list);
        return;
    }
    static const GLubyte kNoPixels = 0;
    glNewList(list, GL_COMPILE);
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(advance), 0.0f, &kNoPixels);
    glEndList();
}

// The HUD's font of `face` and, made when first needed, the same face with the default
// character set, whose glyphs are taken for those the first lacks.
class CharacterFonts {
public:
    CharacterFonts(HDC hdc, const char* face, int pixelHeight)
        : hdc_(hdc),
          face_(face),
          pixelHeight_(pixelHeight),
          ansi_(createHudFont(face, pixelHeight)) {
        previous_ = SelectObject(hdc, ansi_);
    }
    ~CharacterFonts() {
        SelectObject(hdc_, previous_);
        DeleteObject(ansi_);
        if (wider_ != nullptr) DeleteObject(wider_);
    }
    CharacterFonts(const CharacterFonts&) = delete;
    CharacterFonts& operator=(const CharacterFonts&) = delete;

    bool made() const { return ansi_ != nullptr; }

    void selectOwn() { SelectObject(hdc_, ansi_); }

    // Selects the font that draws `code`; false when neither has it, and the first, whose
    // missing glyph draws it, is selected.
    bool select(char32_t code) {
        SelectObject(hdc_, ansi_);
        if (hasGlyph(hdc_, code)) return true;
        if (wider_ == nullptr) wider_ = createHudFont(face_, pixelHeight_, DEFAULT_CHARSET);
        SelectObject(hdc_, wider_);
        if (hasGlyph(hdc_, code)) return true;
        SelectObject(hdc_, ansi_);
        return false;
    }

private:
    HDC hdc_;
    const char* face_;
    int pixelHeight_;
    HFONT ansi_;
    HFONT wider_ = nullptr;
    HGDIOBJ previous_;
};

}  // namespace

void buildCharacterLists(DeviceContext dc, const char* face, int pixelHeight, const char32_t* codes,
                         int count, unsigned int listBase) {
    CharacterFonts fonts(static_cast<HDC>(dc), face, pixelHeight);
    for (int k = 0; k < count; ++k) {
        fonts.select(codes[k]);
        compileCharacter(static_cast<HDC>(dc), codes[k], listBase + static_cast<unsigned int>(k));
    }
}

// What wglUseFontBitmaps compiles: the glyph outline's bitmap, its rows a DWORD apart from the
// top, turned to whole bytes from the bottom; the black box's origin.
std::vector<GlyphBitmap> renderGlyphs(DeviceContext dc, const char* face, int pixelHeight,
                                      const char32_t* codes, int count) {
    std::vector<GlyphBitmap> glyphs(static_cast<std::size_t>(count));
    const auto hdc = static_cast<HDC>(dc);
    CharacterFonts fonts(hdc, face, pixelHeight);
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    std::vector<unsigned char> outline;
    for (int k = 0; k < count; ++k) {
        // The 96 come from the HUD's own font, as buildGlyphLists makes them.
        if (codes[k] < 0x80) {
            fonts.selectOwn();
        } else {
            fonts.select(codes[k]);
        }
        GLYPHMETRICS metrics{};
        const DWORD size =
            GetGlyphOutlineW(hdc, codes[k], GGO_BITMAP, &metrics, 0, nullptr, &identity);
        if (size == 0 || size == GDI_ERROR) continue;
        outline.resize(size);
        if (GetGlyphOutlineW(hdc, codes[k], GGO_BITMAP, &metrics, size, outline.data(),
                             &identity) == GDI_ERROR) {
            continue;
        }
        GlyphBitmap& glyph = glyphs[static_cast<std::size_t>(k)];
        glyph.width = static_cast<int>(metrics.gmBlackBoxX);
        glyph.height = static_cast<int>(metrics.gmBlackBoxY);
        glyph.xorig = -metrics.gmptGlyphOrigin.x;
        glyph.yorig = glyph.height - metrics.gmptGlyphOrigin.y;
        const std::size_t from = (metrics.gmBlackBoxX + 31) / 32 * 4;
        const std::size_t to = (metrics.gmBlackBoxX + 7) / 8;
        glyph.rows.resize(to * metrics.gmBlackBoxY);
        for (std::size_t row = 0; row < metrics.gmBlackBoxY && (row + 1) * from <= size; ++row) {
            std::memcpy(&glyph.rows[(metrics.gmBlackBoxY - 1 - row) * to], &outline[row * from],
                        to);
        }
    }
    return glyphs;
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
    // The black box's top above the baseline and its bottom below it, as wglUseFontBitmapsA sets
    // the bitmap's.
    constexpr unsigned int kLastDrawn = 126;  // DEL draws a missing-glyph box, not a letter
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (unsigned int code = kFirstGlyph; code <= kLastDrawn; ++code) {
        GLYPHMETRICS metrics{};
        const DWORD size = GetGlyphOutlineA(hdc, code, GGO_BITMAP, &metrics, 0, nullptr, &identity);
        if (size != 0 && size != GDI_ERROR) {
            measure.ascent = std::max<int>(measure.ascent, metrics.gmptGlyphOrigin.y);
            measure.descent = std::max<int>(
                measure.descent, static_cast<int>(metrics.gmBlackBoxY) - metrics.gmptGlyphOrigin.y);
        }
    }
    char used[LF_FACESIZE] = "";
    GetTextFaceA(hdc, sizeof used, used);
    measure.drawn = used;
    if (lstrcmpiA(used, face) != 0 && !standsIn(used, face)) measure.substitute = used;
    return measure;
}

}  // namespace

std::optional<FontMeasure> measureFont(const char* face, int pixelHeight, const char32_t* codes,
                                       int count) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return std::nullopt;
    std::optional<FontMeasure> measure;
    {
        CharacterFonts fonts(dc, face, pixelHeight);
        if (fonts.made()) measure = measureSelected(dc, face);
        for (int k = 0; measure && k < count; ++k) {
            CharacterMeasure character{codes[k], 0, fonts.select(codes[k])};
            inkedGlyph(dc, codes[k], character.advance);
            measure->characters.push_back(character);
        }
    }
    DeleteDC(dc);
    return measure;
}

namespace {

int CALLBACK addFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM families) {
    // '@' names the same family set upright for vertical text.
    if (font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::wstring>*>(families)->push_back(font->lfFaceName);
    }
    return 1;
}

std::string utf8Of(const std::wstring& wide) {
    char text[4 * LF_FACESIZE] = "";
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
    return text;
}

}  // namespace

// The system names no face nearer than another: the families are tried in the order of their
// names, which keeps the answer the same from run to run.
std::vector<std::string> facesHaving(const char*, const char32_t* codes, int count) {
    std::vector<std::string> faces(static_cast<std::size_t>(count > 0 ? count : 0));
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return faces;
    LOGFONTW every{};
    every.lfCharSet = DEFAULT_CHARSET;
    std::vector<std::wstring> families;
    EnumFontFamiliesExW(dc, &every, addFamily, reinterpret_cast<LPARAM>(&families), 0);
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    for (const std::wstring& family : families) {
        HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, family.c_str());
        HGDIOBJ previous = SelectObject(dc, font);
        for (int k = 0; k < count; ++k) {
            if (faces[k].empty() && codes[k] <= 0xFFFF && hasGlyph(dc, codes[k])) {
                faces[k] = utf8Of(family);
            }
        }
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    DeleteDC(dc);
    return faces;
}

}  // namespace vantor::platform

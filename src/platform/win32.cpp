// Windows side of the platform seam: the real Win32 calls.
#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock_names.h"
#include "platform/platform.h"
#include "platform/win32_code_page.h"
#include "platform/win32_fallback_faces.h"
#include "platform/win32_font.h"

namespace vantor::platform {

std::uint32_t readProfileKeyNames(const char* section, char* buffer, std::uint32_t size,
                                  const char* path) {
    return GetPrivateProfileStringA(section, nullptr, "", buffer, size, path);
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

namespace {

// UTF-16 from the system into a name field, in UTF-8.
void keepName(const WCHAR* wide, char (&out)[kClockNameSize]) {
    char utf8[4 * kClockNameSize] = {};
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr) == 0) {
        utf8[0] = '\0';  // too long for the buffer: no name rather than half of one
    }
    copyClockName(utf8, out);
}

// `picture` (GetDateFormatEx's "MMMM", "ddd" ...) of the date `day`, in the user's language.
void dateName(const SYSTEMTIME& day, const WCHAR* picture, char (&out)[kClockNameSize]) {
    WCHAR wide[kClockNameSize] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &day, picture, wide, kClockNameSize, nullptr);
    keepName(wide, out);
}

}  // namespace

void readClockNames(ClockNames& names) {
    // 1 January 2023 was a Sunday, so the first seven days run from Sunday as std::tm counts.
    SYSTEMTIME day{};
    day.wYear = 2023;
    day.wMonth = 1;
    for (WORD i = 0; i < 12; ++i) {
        day.wMonth = static_cast<WORD>(i + 1);
        day.wDay = 1;
        dateName(day, L"MMMM", names.months[i]);
        dateName(day, L"MMM", names.shortMonths[i]);
    }
    day.wMonth = 1;
    for (WORD i = 0; i < 7; ++i) {
        day.wDay = static_cast<WORD>(i + 1);
        day.wDayOfWeek = i;
        dateName(day, L"dddd", names.days[i]);
        dateName(day, L"ddd", names.shortDays[i]);
    }
    for (int half = 0; half < 2; ++half) {
        SYSTEMTIME time{};
        time.wHour = static_cast<WORD>(half == 0 ? 9 : 21);
        WCHAR wide[kClockNameSize] = {};
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, L"tt", wide, kClockNameSize);
        keepName(wide, half == 0 ? names.am : names.pm);
    }
    // A language without a 12-hour clock has no AM or PM; the English ones are taken then.
    if (names.am[0] == '\0') copyClockName("AM", names.am);
    if (names.pm[0] == '\0') copyClockName("PM", names.pm);
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

void buildGlyphLists(DeviceContext dc, const char* face, int pixelHeight, unsigned int listBase,
                     int weight) {
    const auto hdc = static_cast<HDC>(dc);
    HFONT font = createHudFont(wideOf(face).c_str(), pixelHeight, weight);
    HGDIOBJ previous = SelectObject(hdc, font);
    // Glyphs without ink (the space, and any a face leaves blank) are compiled here as a bare
    // advance: wine's wglUseFontBitmapsA gives them a null bitmap, which Mesa refuses
    // (GL_OUT_OF_MEMORY, no advance kept), so lines lost their spaces. The advance is the font's
    // own width, as wglUseFontBitmapsA would set it; the inked glyphs it builds in runs.
    INT widths[kGlyphCount] = {};
    GetCharWidth32A(hdc, kFirstGlyph, kFirstGlyph + kGlyphCount - 1, widths);
    bool inked[kGlyphCount];
    for (int i = 0; i < kGlyphCount; ++i) inked[i] = hasInk(hdc, kFirstGlyph + i);
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

// The character `length` bytes stand for as MultiByteToWideChar reads them strictly; 0 for none.
char32_t decodedStrictly(UINT page, const char* bytes, int length) {
    WCHAR wide[2] = {};
    const int got = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
    return got == 1 ? static_cast<char32_t>(wide[0]) : 0;
}

}  // namespace

CodePageCharacters codePageTable(unsigned int page) {
    CodePageCharacters table;
    CPINFO info{};
    const bool pairs = GetCPInfo(page, &info) && info.MaxCharSize == 2;
    auto made = std::make_shared<std::vector<char32_t>>();
    for (int i = 0; i < 128; ++i) {
        const char byte = static_cast<char>(0x80 + i);
        // A lead byte of a double-byte code page converts to nothing alone.
        table.single[i] = decodedStrictly(page, &byte, 1);
        table.lead[i] = pairs && IsDBCSLeadByteEx(page, static_cast<BYTE>(byte));
        if (!table.lead[i]) continue;
        made->resize(128 * 256);
        // Trail bytes start at 0x40: no byte below, '*' among them, ever ends a pair.
        for (int trail = 0x40; trail < 0x100; ++trail) {
            const char pair[2] = {byte, static_cast<char>(trail)};
            (*made)[static_cast<std::size_t>(i) * 256 + trail] = decodedStrictly(page, pair, 2);
        }
    }
    if (!made->empty()) table.pairs = std::move(made);
    return table;
}

// Made once a process: the system code page does not change while it runs.
void readCodePage(CodePageCharacters& table) {
    static const CodePageCharacters system = codePageTable(CP_ACP);
    table = system;
}

namespace {

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
    glNewList(list, GL_COMPILE);
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(advance), 0.0f, &kNoPixels);
    glEndList();
}

// The HUD's font of `face`; made when first needed, the same face with the default character
// set, which the system links to the faces of its locale, and after it the fallback faces, whose
// glyphs are taken for those the first lacks.
class CharacterFonts {
public:
    CharacterFonts(HDC hdc, const char* face, int pixelHeight, int weight)
        : hdc_(hdc),
          face_(wideOf(face)),
          pixelHeight_(pixelHeight),
          weight_(weight),
          ansi_(createHudFont(face_.c_str(), pixelHeight, weight)),
          fallback_(hdc, face_, pixelHeight) {
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

    // Selects the font that draws `code`; false when none has it, and the first, whose missing
    // glyph draws it, is selected.
    bool select(char32_t code) {
        SelectObject(hdc_, ansi_);
        if (hasGlyph(hdc_, code)) return true;
        if (wider_ == nullptr) {
            wider_ = createHudFont(face_.c_str(), pixelHeight_, weight_, DEFAULT_CHARSET);
        }
        SelectObject(hdc_, wider_);
        if (hasGlyph(hdc_, code)) return true;
        if (fallback_.select(code) != nullptr) return true;
        SelectObject(hdc_, ansi_);
        return false;
    }

private:
    HDC hdc_;
    std::wstring face_;
    int pixelHeight_;
    int weight_;
    HFONT ansi_;
    HFONT wider_ = nullptr;
    FallbackFaces fallback_;
    HGDIOBJ previous_;
};

}  // namespace

void buildCharacterLists(DeviceContext dc, const char* face, int pixelHeight, const char32_t* codes,
                         int count, unsigned int listBase, int weight) {
    CharacterFonts fonts(static_cast<HDC>(dc), face, pixelHeight, weight);
    for (int k = 0; k < count; ++k) {
        fonts.select(codes[k]);
        compileCharacter(static_cast<HDC>(dc), codes[k], listBase + static_cast<unsigned int>(k));
    }
}

// What wglUseFontBitmaps compiles: the glyph outline's bitmap, its rows a DWORD apart from the
// top, turned to whole bytes from the bottom; the black box's origin.
std::vector<GlyphBitmap> renderGlyphs(DeviceContext dc, const char* face, int pixelHeight,
                                      const char32_t* codes, int count, int weight) {
    std::vector<GlyphBitmap> glyphs(static_cast<std::size_t>(count));
    const auto hdc = static_cast<HDC>(dc);
    CharacterFonts fonts(hdc, face, pixelHeight, weight);
    for (int k = 0; k < count; ++k) {
        // The 96 come from the HUD's own font, as buildGlyphLists makes them.
        if (codes[k] < 0x80) {
            fonts.selectOwn();
        } else {
            fonts.select(codes[k]);
        }
        glyphs[static_cast<std::size_t>(k)] = outlineBitmap(hdc, codes[k], GGO_BITMAP);
    }
    return glyphs;
}

GlyphBitmap outlineBitmap(HDC hdc, UINT code, UINT format) {
    GlyphBitmap glyph;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    const DWORD size = GetGlyphOutlineW(hdc, code, format, &metrics, 0, nullptr, &identity);
    if (size == 0 || size == GDI_ERROR) return glyph;
    std::vector<unsigned char> outline(size);
    if (GetGlyphOutlineW(hdc, code, format, &metrics, size, outline.data(), &identity) ==
        GDI_ERROR) {
        return glyph;
    }
    glyph.width = static_cast<int>(metrics.gmBlackBoxX);
    glyph.height = static_cast<int>(metrics.gmBlackBoxY);
    glyph.xorig = -metrics.gmptGlyphOrigin.x;
    glyph.yorig = glyph.height - metrics.gmptGlyphOrigin.y;
    const std::size_t from = (metrics.gmBlackBoxX + 31) / 32 * 4;
    const std::size_t to = (metrics.gmBlackBoxX + 7) / 8;
    glyph.rows.resize(to * metrics.gmBlackBoxY);
    for (std::size_t row = 0; row < metrics.gmBlackBoxY && (row + 1) * from <= size; ++row) {
        std::memcpy(&glyph.rows[(metrics.gmBlackBoxY - 1 - row) * to], &outline[row * from], to);
    }
    return glyph;
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

bool standsIn(const std::string& used, const char* face) {
    for (const auto& pair : kStandIns) {
        if (lstrcmpiA(face, pair.face) == 0 && lstrcmpiA(used.c_str(), pair.standIn) == 0) {
            return true;
        }
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
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (unsigned int code = kFirstGlyph; code <= static_cast<unsigned int>(kLastDrawnGlyph);
         ++code) {
        GLYPHMETRICS metrics{};
        const DWORD size = GetGlyphOutlineA(hdc, code, GGO_BITMAP, &metrics, 0, nullptr, &identity);
        if (size != 0 && size != GDI_ERROR) {
            measure.ascent = std::max<int>(measure.ascent, metrics.gmptGlyphOrigin.y);
            measure.descent = std::max<int>(
                measure.descent, static_cast<int>(metrics.gmBlackBoxY) - metrics.gmptGlyphOrigin.y);
        }
    }
    for (int k = 0; k < kGlyphCount; ++k) measure.lacks[k] = !hasGlyph(hdc, kFirstGlyph + k);
    wchar_t used[LF_FACESIZE] = L"";
    GetTextFaceW(hdc, LF_FACESIZE, used);
    measure.drawn = utf8Of(used);
    if (lstrcmpiW(used, wideOf(face).c_str()) != 0 && !standsIn(measure.drawn, face)) {
        measure.substitute = measure.drawn;
    }
    return measure;
}

}  // namespace

std::optional<FontMeasure> measureFont(const char* face, int pixelHeight, const char32_t* codes,
                                       int count, int weight) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return std::nullopt;
    std::optional<FontMeasure> measure;
    {
        CharacterFonts fonts(dc, face, pixelHeight, weight);
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

// The faces buildCharacterLists would take, less those that lack a needed character.
std::vector<std::string> facesHaving(const char* face, const char32_t* codes, int count,
                                     const char32_t* needed, int neededCount) {
    std::vector<std::string> faces(static_cast<std::size_t>(count > 0 ? count : 0));
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return faces;
    {
        constexpr int kAnySize = 16;  // coverage is the same at every size
        FallbackFaces fallback(dc, wideOf(face), kAnySize);
        const HGDIOBJ previous = GetCurrentObject(dc, OBJ_FONT);
        for (int k = 0; k < count; ++k) {
            const Candidate* found = fallback.select(codes[k], needed, neededCount);
            if (found != nullptr) faces[k] = utf8Of(found->family.c_str());
        }
        SelectObject(dc, previous);
    }
    DeleteDC(dc);
    return faces;
}

}  // namespace vantor::platform

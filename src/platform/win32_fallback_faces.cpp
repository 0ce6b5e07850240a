#include "platform/win32_fallback_faces.h"

#include <algorithm>

#include "platform/win32_font.h"

namespace vantor::platform {
namespace {

// Whether the family of the font selected into `hdc` is `family`: the system gives another
// when it has no such face.
bool selectedIs(HDC hdc, const std::wstring& family) {
    wchar_t used[LF_FACESIZE] = L"";
    GetTextFaceW(hdc, LF_FACESIZE, used);
    return lstrcmpiW(used, family.c_str()) == 0;
}

// The character set whose faces draw Han characters the way the user's language writes them;
// DEFAULT_CHARSET for a language that writes none.
BYTE hanCharset() {
    const LANGID language = GetUserDefaultLangID();
    switch (PRIMARYLANGID(language)) {
        case LANG_JAPANESE:
            return SHIFTJIS_CHARSET;
        case LANG_KOREAN:
            return HANGEUL_CHARSET;
        case LANG_CHINESE:
            return SUBLANGID(language) == SUBLANG_CHINESE_SIMPLIFIED ||
                           SUBLANGID(language) == SUBLANG_CHINESE_SINGAPORE
                       ? GB2312_CHARSET
                       : CHINESEBIG5_CHARSET;
        default:
            return DEFAULT_CHARSET;
    }
}

// The unified ideographs, their extension A and the compatibility block: the characters whose
// shapes each language that writes them draws its own way.
bool isHan(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

int CALLBACK addCandidate(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM to) {
    // '@' names the same family set upright for vertical text.
    if (font->lfFaceName[0] == L'@') return 1;
    auto& candidates = *reinterpret_cast<std::vector<Candidate>*>(to);
    const bool ofLanguage = font->lfCharSet == hanCharset() && hanCharset() != DEFAULT_CHARSET;
    for (Candidate& c : candidates) {
        if (c.family == font->lfFaceName) {
            c.ofLanguage = c.ofLanguage || ofLanguage;
            return 1;
        }
    }
    candidates.emplace_back(font->lfFaceName, ofLanguage);
    return 1;
}

// The faces the registry links to `face` for the characters it lacks: each entry of its
// SystemLink list is "file,face" with an optional scale after.
std::vector<std::wstring> linkedFaces(const std::wstring& face) {
    std::vector<std::wstring> faces;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink", 0,
                      KEY_READ, &key) != ERROR_SUCCESS) {
        return faces;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, face.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ && size > 0) {
        std::vector<wchar_t> list(size / sizeof(wchar_t) + 2, L'\0');
        if (RegQueryValueExW(key, face.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(list.data()), &size) == ERROR_SUCCESS) {
            for (const wchar_t* entry = list.data(); *entry != L'\0';
                 entry += lstrlenW(entry) + 1) {
                const std::wstring text = entry;
                const std::size_t comma = text.find(L',');
                if (comma == std::wstring::npos) continue;
                faces.push_back(text.substr(comma + 1, text.find(L',', comma + 1) - comma - 1));
            }
        }
    }
    RegCloseKey(key);
    return faces;
}

}  // namespace

const Candidate* FallbackFaces::select(char32_t code, const char32_t* needed, int neededCount) {
    if (code > 0xFFFF) return nullptr;  // beyond the ranges' and the indices' reach
    list();
    const bool han = isHan(code);
    for (int pass = han ? 0 : 1; pass < 2; ++pass) {
        for (std::size_t i = 0; i < candidates_.size(); ++i) {
            Candidate& c = candidates_[i];
            // A linked face keeps its place before the rest in both passes.
            if (pass == 0 && !c.ofLanguage && i >= linked_) continue;
            if (!covers(c, code) || !coversAll(c, needed, neededCount)) continue;
            SelectObject(hdc_, c.font);
            if (hasGlyph(hdc_, code)) return &c;
        }
    }
    return nullptr;
}

void FallbackFaces::list() {
    if (listed_) return;
    listed_ = true;
    for (std::wstring& linked : linkedFaces(face_)) candidates_.emplace_back(linked, false);
    linked_ = candidates_.size();
    std::vector<Candidate> enumerated;
    LOGFONTW every{};
    every.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(hdc_, &every, addCandidate, reinterpret_cast<LPARAM>(&enumerated), 0);
    std::sort(enumerated.begin(), enumerated.end(),
              [](const Candidate& a, const Candidate& b) { return a.family < b.family; });
    for (Candidate& c : enumerated) candidates_.push_back(std::move(c));
}

bool FallbackFaces::covers(Candidate& c, char32_t code) {
    if (!c.read) read(c);
    for (const WCRANGE& range : c.ranges) {
        if (code >= range.wcLow && code < range.wcLow + static_cast<char32_t>(range.cGlyphs)) {
            return true;
        }
    }
    return false;
}

bool FallbackFaces::coversAll(Candidate& c, const char32_t* codes, int count) {
    for (int k = 0; k < count; ++k) {
        if (!covers(c, codes[k])) return false;
    }
    return true;
}

void FallbackFaces::read(Candidate& c) {
    c.read = true;
    HFONT font = createHudFont(c.family.c_str(), pixelHeight_, FW_NORMAL, DEFAULT_CHARSET);
    const HGDIOBJ previous = SelectObject(hdc_, font);
    const DWORD size = selectedIs(hdc_, c.family) ? GetFontUnicodeRanges(hdc_, nullptr) : 0;
    std::vector<unsigned char> buffer(size);
    auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
    if (size == 0 || GetFontUnicodeRanges(hdc_, set) == 0) {
        SelectObject(hdc_, previous);  // a font still selected is not deleted
        DeleteObject(font);
        return;
    }
    c.font = font;
    c.ranges.assign(set->ranges, set->ranges + set->cRanges);
}

bool hasGlyph(HDC hdc, char32_t code) {
    if (code > 0xFFFF) return true;  // beyond the indices' reach: left to the font
    const WCHAR wide = static_cast<WCHAR>(code);
    WORD index = 0;
    return GetGlyphIndicesW(hdc, &wide, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
           index != 0xFFFF;
}

}  // namespace vantor::platform

#include "platform/posix_font_match.h"

#include <fontconfig/fontconfig.h>

#include "platform/platform.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace vantor::platform {
namespace {

// What one lookup holds; released in one place whichever step fails.
struct Lookup {
    FcConfig* config = nullptr;
    FcPattern* request = nullptr;
    FcPattern* match = nullptr;
    FcFontSet* sorted = nullptr;
    ~Lookup() {
        if (sorted != nullptr) FcFontSetDestroy(sorted);
        if (match != nullptr) FcPatternDestroy(match);
        if (request != nullptr) FcPatternDestroy(request);
        if (config != nullptr) FcConfigDestroy(config);
    }
};

// The request for `face`, substituted by the rules of a configuration of our own, dropped
// afterwards: the host process keeps no font state of ours.
bool buildRequest(Lookup& lookup, const char* face, int pixelHeight,
                  int weight = kRegularFontWeight) {
    lookup.config = FcInitLoadConfigAndFonts();
    if (lookup.config == nullptr) return false;
    lookup.request = FcPatternCreate();
    if (lookup.request == nullptr) return false;
    // The name is added as a plain family, never parsed: ':' or '-' in a face are just letters.
    FcPattern* request = lookup.request;
    if (!FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(face)) ||
        !FcPatternAddInteger(request, FC_WEIGHT, FcWeightFromOpenType(weight)) ||
        !FcPatternAddInteger(request, FC_SLANT, FC_SLANT_ROMAN) ||
        !FcPatternAddBool(request, FC_SCALABLE, FcTrue) ||
        !FcPatternAddDouble(request, FC_PIXEL_SIZE, pixelHeight) ||
        !FcConfigSubstitute(lookup.config, request, FcMatchPattern)) {
        return false;
    }
    FcDefaultSubstitute(request);
    return true;
}

// Whether a font of the sorted list is one the HUD's request could be given: upright, of
// regular weight.
bool regularUpright(const FcPattern* font) {
    int slant = FC_SLANT_ROMAN;
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(font, FC_SLANT, 0, &slant);
    FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
    return slant == FC_SLANT_ROMAN && weight >= FC_WEIGHT_BOOK && weight <= FC_WEIGHT_MEDIUM;
}

// Whether one of the match's family names (a font names its family in several languages) is
// among the families of the substituted request that are bound to the asked one: the name itself
// and the aliases the rules accept for it. A weak binding is a fallback that comes for any name,
// known or not.
bool boundFamily(const FcPattern* request, const FcPattern* match) {
    FcValue value;
    FcValueBinding binding;
    for (int i = 0;
         FcPatternGetWithBinding(request, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
        if (binding == FcValueBindingWeak || value.type != FcTypeString) continue;
        FcChar8* family = nullptr;
        for (int n = 0; FcPatternGetString(match, FC_FAMILY, n, &family) == FcResultMatch; ++n) {
            if (FcStrCmpIgnoreCase(value.u.s, family) == 0) return true;
        }
    }
    return false;
}

// Whether fontconfig can give the file and face of `font`, into `out`.
bool fileOf(const FcPattern* font, FontFile& out) {
    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) {
        return false;
    }
    const std::size_t length = std::strlen(reinterpret_cast<const char*>(file));
    if (length >= sizeof out.path) return false;
    std::memcpy(out.path, file, length + 1);
    // A collection (.ttc) holds several faces; the index says which.
    if (FcPatternGetInteger(font, FC_INDEX, 0, &out.index) != FcResultMatch) out.index = 0;
    std::snprintf(out.family, sizeof out.family, "%s", reinterpret_cast<const char*>(family));
    out.standsIn = false;
    return true;
}

// The user's language, as fontconfig reads it from the locale, when that language writes Han
// characters with shapes of its own; empty otherwise.
std::string hanLanguage() {
    FcStrSet* languages = FcGetDefaultLangs();
    if (languages == nullptr) return "";
    std::string first;
    if (FcStrList* list = FcStrListCreate(languages)) {
        if (const FcChar8* language = FcStrListNext(list)) {
            first = reinterpret_cast<const char*>(language);
        }
        FcStrListDone(list);
    }
    FcStrSetDestroy(languages);
    const bool writesHan = first == "ja" || first == "ko" || first.rfind("zh", 0) == 0;
    return writesHan ? first : "";
}

// The unified ideographs, their extensions and the compatibility block: the characters whose
// shapes each language that writes them draws its own way.
bool isHan(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Whether `font` says it is made for `language`, territory included ("zh-tw" is not "zh-cn").
bool madeFor(const FcPattern* font, const std::string& language) {
    FcLangSet* languages = nullptr;
    if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) != FcResultMatch) return false;
    return FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(language.c_str())) ==
           FcLangEqual;
}

// Whether `font` has each of the `count` characters `codes`.
bool hasAll(const FcCharSet* covered, const char32_t* codes, int count) {
    for (int k = 0; k < count; ++k) {
        if (!FcCharSetHasChar(covered, codes[k])) return false;
    }
    return true;
}

}  // namespace

bool matchFontFile(const char* face, int pixelHeight, FontFile& out, int weight) {
    Lookup lookup;
    if (!buildRequest(lookup, face, pixelHeight, weight)) return false;
    FcResult result = FcResultNoMatch;
    lookup.match = FcFontMatch(lookup.config, lookup.request, &result);
    if (lookup.match == nullptr || result != FcResultMatch || !fileOf(lookup.match, out)) {
        return false;
    }
    out.standsIn = boundFamily(lookup.request, lookup.match);
    return true;
}

// fontconfig sorts every font by how near it comes to the request; for each character, the first
// that covers it, and for a Han character the first of those made for the user's language.
CoveringFaces coveringFaces(const char* face, const char32_t* codes, int count,
                            const char32_t* needed, int neededCount) {
    CoveringFaces out;
    out.of.assign(static_cast<std::size_t>(count > 0 ? count : 0), -1);
    constexpr int kAnySize = 18;  // coverage is the same at every size
    Lookup lookup;
    if (face == nullptr || count <= 0 || !buildRequest(lookup, face, kAnySize)) return out;
    FcResult result = FcResultNoMatch;
    lookup.sorted = FcFontSort(lookup.config, lookup.request, FcFalse, nullptr, &result);
    if (lookup.sorted == nullptr) return out;
    const std::string language = hanLanguage();
    std::vector<bool> own(out.of.size(), false);  // taken from a face of the user's language
    std::vector<int> taken(static_cast<std::size_t>(lookup.sorted->nfont), -1);
    for (int f = 0; f < lookup.sorted->nfont; ++f) {
        const FcPattern* font = lookup.sorted->fonts[f];
        FcCharSet* covered = nullptr;
        if (!regularUpright(font) ||
            FcPatternGetCharSet(font, FC_CHARSET, 0, &covered) != FcResultMatch ||
            !hasAll(covered, needed, neededCount)) {
            continue;
        }
        const bool ofLanguage = !language.empty() && madeFor(font, language);
        for (int k = 0; k < count; ++k) {
            const auto at = static_cast<std::size_t>(k);
            const bool better = out.of[at] < 0 || (ofLanguage && !own[at] && isHan(codes[k]));
            if (!better || !FcCharSetHasChar(covered, codes[k])) continue;
            if (taken[f] < 0) {
                FontFile file;
                if (!fileOf(font, file)) continue;
                taken[f] = static_cast<int>(out.faces.size());
                out.faces.push_back(file);
            }
            out.of[at] = taken[f];
            own[at] = ofLanguage;
        }
    }
    return out;
}

std::vector<std::string> facesHaving(const char* face, const char32_t* codes, int count,
                                     const char32_t* needed, int neededCount) {
    const CoveringFaces covering = coveringFaces(face, codes, count, needed, neededCount);
    std::vector<std::string> faces(covering.of.size());
    for (std::size_t k = 0; k < faces.size(); ++k) {
        if (covering.of[k] >= 0) faces[k] = covering.faces[covering.of[k]].family;
    }
    return faces;
}

}  // namespace vantor::platform

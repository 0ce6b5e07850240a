#include "platform/posix_font_match.h"

#include <fontconfig/fontconfig.h>

#include "platform/platform.h"

#include <cstdio>
#include <cstring>

namespace vantor::platform {
namespace {

constexpr int kFaceBytes = 260;

// Face names arrive in the ANSI code page; fontconfig compares UTF-8. Latin-1 covers every byte.
void ansiToUtf8(const char* ansi, char (&utf8)[2 * kFaceBytes]) {
    std::size_t out = 0;
    for (const auto* in = reinterpret_cast<const unsigned char*>(ansi);
         *in != 0 && out + 2 < sizeof utf8; ++in) {
        if (*in < 0x80) {
            utf8[out++] = static_cast<char>(*in);
        } else {
            utf8[out++] = static_cast<char>(0xC0 | (*in >> 6));
            utf8[out++] = static_cast<char>(0x80 | (*in & 0x3F));
        }
    }
    utf8[out] = '\0';
}

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
    char family[2 * kFaceBytes];
    ansiToUtf8(face, family);
    // The name is added as a plain family, never parsed: ':' or '-' in a face are just letters.
    FcPattern* request = lookup.request;
    if (!FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(family)) ||
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

// Whether `family` is among the families of the substituted request that are bound to the asked
// one: the name itself and the aliases the rules accept for it. A weak binding is a fallback
// that comes for any name, known or not.
bool boundFamily(const FcPattern* request, const FcChar8* family) {
    FcValue value;
    FcValueBinding binding;
    for (int i = 0;
         FcPatternGetWithBinding(request, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
        if (binding != FcValueBindingWeak && value.type == FcTypeString &&
            FcStrCmpIgnoreCase(value.u.s, family) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool matchFontFile(const char* face, int pixelHeight, FontFile& out, int weight) {
    Lookup lookup;
    if (!buildRequest(lookup, face, pixelHeight, weight)) return false;
    FcResult result = FcResultNoMatch;
    lookup.match = FcFontMatch(lookup.config, lookup.request, &result);
    if (lookup.match == nullptr || result != FcResultMatch) return false;

    FcChar8* file = nullptr;
    if (FcPatternGetString(lookup.match, FC_FILE, 0, &file) != FcResultMatch) return false;
    const std::size_t length = std::strlen(reinterpret_cast<const char*>(file));
    if (length >= sizeof out.path) return false;
    std::memcpy(out.path, file, length + 1);
    if (FcPatternGetInteger(lookup.match, FC_INDEX, 0, &out.index) != FcResultMatch) {
        out.index = 0;
    }
    FcChar8* family = nullptr;
    if (FcPatternGetString(lookup.match, FC_FAMILY, 0, &family) != FcResultMatch) return false;
    std::snprintf(out.family, sizeof out.family, "%s", reinterpret_cast<const char*>(family));
    out.standsIn = boundFamily(lookup.request, family);
    return true;
}

// fontconfig sorts every font by how near it comes to the request; for each character, the first
// that covers it.
std::vector<std::string> facesHaving(const char* face, const char32_t* codes, int count) {
    std::vector<std::string> faces(static_cast<std::size_t>(count));
    constexpr int kAnySize = 18;  // coverage is the same at every size
    Lookup lookup;
    if (face == nullptr || count <= 0 || !buildRequest(lookup, face, kAnySize)) return faces;
    FcResult result = FcResultNoMatch;
    lookup.sorted = FcFontSort(lookup.config, lookup.request, FcFalse, nullptr, &result);
    if (lookup.sorted == nullptr) return faces;
    int left = count;
    for (int f = 0; f < lookup.sorted->nfont && left > 0; ++f) {
        const FcPattern* font = lookup.sorted->fonts[f];
        FcCharSet* covered = nullptr;
        FcChar8* family = nullptr;
        if (!regularUpright(font) ||
            FcPatternGetCharSet(font, FC_CHARSET, 0, &covered) != FcResultMatch ||
            FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) {
            continue;
        }
        for (int k = 0; k < count; ++k) {
            if (faces[k].empty() && FcCharSetHasChar(covered, codes[k])) {
                faces[k] = reinterpret_cast<const char*>(family);
                --left;
            }
        }
    }
    return faces;
}

}  // namespace vantor::platform

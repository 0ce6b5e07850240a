#include "platform/posix_font_match.h"

#include <fontconfig/fontconfig.h>

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
    ~Lookup() {
        if (match != nullptr) FcPatternDestroy(match);
        if (request != nullptr) FcPatternDestroy(request);
        if (config != nullptr) FcConfigDestroy(config);
    }
};

bool buildRequest(FcPattern* request, const char* face, int pixelHeight) {
    char family[2 * kFaceBytes];
    ansiToUtf8(face, family);
    // The name is added as a plain family, never parsed: ':' or '-' in a face are just letters.
    return FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(family)) &&
           FcPatternAddInteger(request, FC_WEIGHT, FC_WEIGHT_REGULAR) &&
           FcPatternAddInteger(request, FC_SLANT, FC_SLANT_ROMAN) &&
           FcPatternAddBool(request, FC_SCALABLE, FcTrue) &&
           FcPatternAddDouble(request, FC_PIXEL_SIZE, pixelHeight);
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

bool matchFontFile(const char* face, int pixelHeight, FontFile& out) {
    Lookup lookup;
    // A configuration of our own, dropped afterwards: the host process keeps no font state of ours.
    lookup.config = FcInitLoadConfigAndFonts();
    if (lookup.config == nullptr) return false;
    lookup.request = FcPatternCreate();
    if (lookup.request == nullptr || !buildRequest(lookup.request, face, pixelHeight)) {
        return false;
    }
    if (!FcConfigSubstitute(lookup.config, lookup.request, FcMatchPattern)) return false;
    FcDefaultSubstitute(lookup.request);

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

}  // namespace vantor::platform

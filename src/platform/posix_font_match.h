// Linux font mapping: turns a face name, as a Windows font mapper would take it, into a font file.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace vantor::platform {

struct FontFile {
    char path[4096];   // zero-terminated
    int index;         // face index inside the file
    char family[256];  // the family fontconfig picked, zero-terminated, cut to fit
    // Whether that family is the one asked for, or one fontconfig's rules bind to it as its
    // stand-in (Liberation Sans for Arial), rather than a fallback for a name it does not know.
    bool standsIn;
};

// Resolves `face` (UTF-8, a family name in any of the languages its font names it in) at
// `pixelHeight` through fontconfig's substitution rules: a metric-compatible face for a well-known
// one ("Arial" gives Liberation Sans when installed), the default sans-serif face for a name no
// installed font carries. Of `weight` (OpenType's 100 to 900; the nearest the family has),
// upright, scalable preferred. False, with `out` unspecified, when fontconfig cannot answer or the
// path is too long.
bool matchFontFile(const char* face, int pixelHeight, FontFile& out,
                   int weight = kRegularFontWeight);

// The faces that draw characters a font lacks, and which draws each.
struct CoveringFaces {
    std::vector<FontFile> faces;  // each once, in the order first needed
    std::vector<int> of;          // per character asked: its face in `faces`, -1 when none has it
};

// For each of the `count` characters `codes`, the first face of fontconfig's sorted list for the
// request of `face` that has a glyph of its own for it and for each of the `neededCount` characters
// `needed`, upright and of regular weight. For a Han character, whose shapes differ from language
// to language, the first such face made for the user's language (the locale's) comes first when
// that language writes Han. Empty when fontconfig cannot answer.
CoveringFaces coveringFaces(const char* face, const char32_t* codes, int count,
                            const char32_t* needed = nullptr, int neededCount = 0);

}  // namespace vantor::platform

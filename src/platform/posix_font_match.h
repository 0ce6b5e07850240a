// Linux font mapping: turns a face name, as a Windows font mapper would take it, into a font file.
#pragma once

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

// Resolves `face` (ANSI text) at `pixelHeight` through fontconfig's substitution rules: a
// metric-compatible face for a well-known one ("Arial" gives Liberation Sans when installed), the
// default sans-serif face for a name no installed font carries. Of `weight` (OpenType's 100 to
// 900; the nearest the family has), upright, scalable preferred. False, with `out` unspecified,
// when fontconfig cannot answer or the path is too long.
bool matchFontFile(const char* face, int pixelHeight, FontFile& out,
                   int weight = kRegularFontWeight);

}  // namespace vantor::platform

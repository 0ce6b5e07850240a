#include "shaping/row_shaper.h"

namespace vantor {
namespace {

// The row's characters as its lists would read them, less those that draw nothing.
int readCharacters(const char* text, RowEncoding encoding,
                   const platform::CodePageCharacters& codePage, char32_t* out) {
    int count = 0;
    while (*text != '\0' && count < kLineSize - 1) {
        const char32_t c = nextCharacter(text, encoding, codePage);
        if (c >= static_cast<char32_t>(platform::kFirstGlyph) && (c < 0x7F || c >= 0xA0)) {
            out[count++] = c;
        }
    }
    return count;
}

}  // namespace

bool RowShaper::needed(const char* text, RowEncoding encoding,
                       const platform::CodePageCharacters& codePage) {
    if (encoding == RowEncoding::kAscii) return false;
    char32_t characters[kLineSize];
    const int count = readCharacters(text, encoding, codePage, characters);
    return platform::needsShaping(characters, count);
}

bool RowShaper::open(platform::DeviceContext dc, const char* face, int pixelHeight, int weight) {
    close();
    return engine_.open(dc, face, pixelHeight, kLineSize, weight);
}

void RowShaper::close() {
    engine_.close();
    bitmaps_.clear();
}

ShapedRun RowShaper::shape(const char* text, RowEncoding encoding,
                           const platform::CodePageCharacters& codePage) {
    ShapedRun run;
    const int count = readCharacters(text, encoding, codePage, characters_);
    run.glyphs = glyphs_;
    run.count = engine_.shape(characters_, count, glyphs_, kMaxGlyphs, run.notes);
    if (run.notes.missing >= 0) run.missing = characters_[run.notes.missing];
    return run;
}

const platform::GlyphBitmap& RowShaper::bitmap(int face, unsigned int index) {
    const std::uint64_t key = static_cast<std::uint64_t>(face) << 32 | index;
    auto found = bitmaps_.find(key);
    if (found == bitmaps_.end()) found = bitmaps_.emplace(key, engine_.render(face, index)).first;
    return found->second;
}

}  // namespace vantor

// The shaping stage: a row's characters, once its tokens are in, ordered and shaped by the
// platform's engine into glyphs in visual order, and the glyphs' bitmaps, rendered by index once
// each. Rows of scripts that neither join, reorder nor run right to left never come here.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "pages/row_encoding.h"
#include "platform/platform.h"
#include "tokens/token_table.h"

namespace vantor {

// A shaped row: its glyphs, in visual order, valid until the next row is shaped.
struct ShapedRun {
    const platform::ShapedGlyph* glyphs = nullptr;
    int count = 0;
    platform::ShapeNotes notes;
    char32_t missing = 0;  // the first character the face has no glyph for, 0 when none
};

class RowShaper {
public:
    // Up to twice as many glyphs as a line holds characters: a vowel sign can split in two.
    static constexpr int kMaxGlyphs = 2 * kLineSize;

    // Whether `text`, read in `encoding`, needs the engine (platform::needsShaping).
    static bool needed(const char* text, RowEncoding encoding,
                       const platform::CodePageCharacters& codePage);

    // Whether `c` is one of the characters that direct the bidirectional algorithm and draw
    // nothing: LRM, RLM, ALM, the embeddings and overrides with PDF, the isolates with PDI.
    static bool isDirectionControl(char32_t c) {
        return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) ||
               (c >= 0x2066 && c <= 0x2069);
    }

    // Opens the engine over `face` (UTF-8) of `weight` at `pixelHeight` pixels; false when the
    // font cannot be had.
    bool open(platform::DeviceContext dc, const char* face, int pixelHeight,
              int weight = platform::kRegularFontWeight);
    void close();
    bool opened() const { return engine_.opened(); }

    // Shapes `text`, read in `encoding`; characters that draw nothing (controls below the
    // space, bytes that stand for no character) are left out. Allocates nothing.
    ShapedRun shape(const char* text, RowEncoding encoding,
                    const platform::CodePageCharacters& codePage);

    // The bitmap of glyph `index` of face `face` (ShapedGlyph::face), rendered at its first use
    // and kept until close.
    const platform::GlyphBitmap& bitmap(int face, unsigned int index);

private:
    platform::Shaper engine_;
    char32_t characters_[kLineSize] = {};
    platform::ShapedGlyph glyphs_[kMaxGlyphs] = {};
    std::unordered_map<std::uint64_t, platform::GlyphBitmap> bitmaps_;  // by face, then index
};

}  // namespace vantor

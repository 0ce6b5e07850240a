// Peer 2: FreeType called directly, as a developer might put text on a legacy GL viewport without
// display lists: each glyph rendered 1-bit by FreeType and drawn with one glBitmap at the raster
// position, which the glyph's advance moves on. Either every glyph is rendered once and kept in
// client memory (the usual way), or every glyph is rendered again each time it is drawn (the
// naive way, with no cache at all).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <GL/gl.h>

namespace vantor::bench {

class FreeTypePeer {
public:
    enum class Glyphs { kRenderedOnce, kRenderedEachTime };

    // Face `index` of the font file at `path`, at a character height of `pixelHeight` pixels.
    FreeTypePeer(const char* path, int index, int pixelHeight, Glyphs glyphs);
    ~FreeTypePeer();
    FreeTypePeer(const FreeTypePeer&) = delete;
    FreeTypePeer& operator=(const FreeTypePeer&) = delete;

    bool ok() const { return face_ != nullptr; }
    // One line with its first glyph's origin at (x, y) of the current projection. Only codes 32 to
    // 127 are drawn, as by the HUD.
    void drawLine(float x, float y, const char* text);

private:
    static constexpr int kFirstCode = 32;
    static constexpr int kCodeCount = 96;

    struct Glyph {
        GLsizei width = 0, height = 0;
        GLfloat xorig = 0, yorig = 0, advance = 0;
        unsigned char rows[512];  // bottom row first, whole bytes a row, as glBitmap reads them
    };

    // Renders `code` into `glyph`; false when FreeType cannot or the bitmap does not fit.
    bool render(unsigned char code, Glyph& glyph);

    Glyphs mode_;
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    Glyph scratch_;
    Glyph cache_[kCodeCount];
    bool cached_[kCodeCount] = {};
};

}  // namespace vantor::bench

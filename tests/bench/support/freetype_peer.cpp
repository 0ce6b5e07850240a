#include "freetype_peer.h"

#include <cstring>

namespace vantor::bench {

FreeTypePeer::FreeTypePeer(const char* path, int index, int pixelHeight, Glyphs glyphs)
    : mode_(glyphs) {
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
        return;
    }
    if (FT_New_Face(library_, path, index, &face_) != 0) {
        face_ = nullptr;
        return;
    }
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
        FT_Done_Face(face_);
        face_ = nullptr;
        return;
    }
    if (mode_ == Glyphs::kRenderedOnce) {
        for (int k = 0; k < kCodeCount; ++k) {
            cached_[k] = render(static_cast<unsigned char>(kFirstCode + k), cache_[k]);
        }
    }
}

FreeTypePeer::~FreeTypePeer() {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
}

bool FreeTypePeer::render(unsigned char code, Glyph& glyph) {
    if (FT_Load_Char(face_, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return false;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const unsigned int rowBytes = (bitmap.width + 7) / 8;
    if (rowBytes * bitmap.rows > sizeof glyph.rows) return false;
    glyph.width = static_cast<GLsizei>(bitmap.width);
    glyph.height = static_cast<GLsizei>(bitmap.rows);
    glyph.xorig = static_cast<GLfloat>(-slot->bitmap_left);
    glyph.yorig = static_cast<GLfloat>(static_cast<int>(bitmap.rows) - slot->bitmap_top);
    glyph.advance = static_cast<GLfloat>((slot->advance.x + 32) >> 6);
    // FreeType's rows run top down, glBitmap's bottom up.
    for (unsigned int row = 0; row < bitmap.rows; ++row) {
        std::memcpy(glyph.rows + (bitmap.rows - 1 - row) * rowBytes,
                    bitmap.buffer + static_cast<int>(row) * bitmap.pitch, rowBytes);
    }
    return true;
}

void FreeTypePeer::drawLine(float x, float y, const char* text) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        const int k = static_cast<unsigned char>(*c) - kFirstCode;
        if (k < 0 || k >= kCodeCount) continue;
        const Glyph* glyph = &cache_[k];
        if (mode_ == Glyphs::kRenderedEachTime) {
            if (!render(static_cast<unsigned char>(*c), scratch_)) continue;
            glyph = &scratch_;
        } else if (!cached_[k]) {
            continue;
        }
        glBitmap(glyph->width, glyph->height, glyph->xorig, glyph->yorig, glyph->advance, 0.0f,
                 glyph->height != 0 ? glyph->rows : nullptr);
    }
    glPopClientAttrib();
}

}  // namespace vantor::bench

// Linux glyph lists: FreeType renders the face fontconfig chose, one glBitmap per list, laid out
// as wglUseFontBitmaps lays out its glyphs, so a line looks and advances the same on both systems.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix_font_match.h"

namespace vantor::platform {
namespace {

// Everything one build holds; released in one place whichever step fails.
struct GlyphSource {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    unsigned char* rows = nullptr;  // one glyph's bitmap, bottom row first
    std::size_t rowsSize = 0;
    ~GlyphSource() {
        std::free(rows);
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

bool openFace(GlyphSource& source, const FontFile& file, int pixelHeight) {
    if (FT_Init_FreeType(&source.library) != 0) {
        source.library = nullptr;
        return false;
    }
    if (FT_New_Face(source.library, file.path, file.index, &source.face) != 0) {
        source.face = nullptr;
        return false;
    }
    // Width 0 follows the height; the height is the em, as CreateFontA takes a negative height.
    return FT_Set_Pixel_Sizes(source.face, 0, static_cast<FT_UInt>(pixelHeight)) == 0;
}

// Copies the rendered 1-bit bitmap into `to`, bottom row first and rows packed to whole bytes,
// which is how glBitmap reads it with an unpack alignment of 1.
void flipRows(const FT_Bitmap& bitmap, unsigned char* to) {
    const std::size_t rowBytes = (bitmap.width + 7) / 8;
    for (unsigned int row = 0; row < bitmap.rows; ++row) {
        const unsigned char* from = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::memcpy(to + (bitmap.rows - 1 - row) * rowBytes, from, rowBytes);
    }
}

// flipRows into source.rows, grown to fit; null when it cannot grow.
const unsigned char* flipRows(GlyphSource& source, const FT_Bitmap& bitmap) {
    const std::size_t size = (bitmap.width + 7) / 8 * bitmap.rows;
    if (size > source.rowsSize) {
        void* grown = std::realloc(source.rows, size);
        if (grown == nullptr) return nullptr;
        source.rows = static_cast<unsigned char*>(grown);
        source.rowsSize = size;
    }
    flipRows(bitmap, source.rows);
    return source.rows;
}

// Whether the rendered 1-bit bitmap lights any pixel. Bits past `width` are not pixels.
bool hasSetBit(const FT_Bitmap& bitmap) {
    const std::size_t wholeBytes = bitmap.width / 8;
    const unsigned int partBits = bitmap.width % 8;
    const auto partMask = static_cast<unsigned char>(0xFF00u >> partBits);  // its leading bits
    for (unsigned int row = 0; row < bitmap.rows; ++row) {
        const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (std::size_t i = 0; i < wholeBytes; ++i) {
            if (bits[i] != 0) return true;
        }
        if (partBits != 0 && (bits[wholeBytes] & partMask) != 0) return true;
    }
    return false;
}

// Compiles the glyph of `code` into `list`. A glyph that cannot be had leaves its list empty.
void compileGlyph(GlyphSource& source, unsigned long code, GLuint list) {
    if (FT_Load_Char(source.face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return;
    const FT_GlyphSlot glyph = source.face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows != 0) return;
    const auto advance = static_cast<GLfloat>((glyph->advance.x + 32) >> 6);

    if (!hasSetBit(bitmap)) {  // a blank such as the space: advance only
        // FreeType renders the space as a blank 1 x 1 bitmap, and Mesa replays every listed
        // bitmap as a texture draw of its own, so a glyph with nothing to draw gets a zero-size
        // bitmap. Mesa can refuse a null one while compiling a list (GL_OUT_OF_MEMORY, and the
        // advance is lost), so it points at one unused byte.
        glNewList(list, GL_COMPILE);
        glBitmap(0, 0, 0.0f, 0.0f, advance, 0.0f, &kNoPixels);
        glEndList();
        return;
    }
    const unsigned char* rows = flipRows(source, bitmap);
    if (rows == nullptr) return;
    // The origin is the pen position on the baseline: the black box starts `left` pixels to its
    // right and its top row lies `top` pixels above it.
    glNewList(list, GL_COMPILE);
    glBitmap(static_cast<GLsizei>(bitmap.width), static_cast<GLsizei>(bitmap.rows),
             static_cast<GLfloat>(-glyph->bitmap_left),
             static_cast<GLfloat>(static_cast<int>(bitmap.rows) - glyph->bitmap_top), advance, 0.0f,
             rows);
    glEndList();
}

}  // namespace

namespace {

// Compiles the glyph of each of `count` codes, from codeAt(k), into the lists from listBase.
template <typename CodeAt>
void buildLists(const char* face, int pixelHeight, int weight, int count, unsigned int listBase,
                CodeAt codeAt) {
    FontFile file;
    if (face == nullptr || pixelHeight <= 0 || !matchFontFile(face, pixelHeight, file, weight)) {
        return;
    }
    GlyphSource source;
    if (!openFace(source, file, pixelHeight)) return;

    // The bitmaps are byte-packed, most significant bit first; whatever unpacking the host set up
    // is saved around the build and given back.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int k = 0; k < count; ++k) compileGlyph(source, codeAt(k), listBase + k);
    glPopClientAttrib();
}

}  // namespace

void buildGlyphLists(DeviceContext, const char* face, int pixelHeight, unsigned int listBase,
                     int weight) {
    buildLists(face, pixelHeight, weight, kGlyphCount, listBase,
               [](int k) { return static_cast<unsigned long>(kFirstGlyph + k); });
}

// FreeType looks characters up by their Unicode number, and gives a character the face lacks its
// glyph 0, the missing-glyph box.
void buildCharacterLists(DeviceContext, const char* face, int pixelHeight, const char32_t* codes,
                         int count, unsigned int listBase, int weight) {
    buildLists(face, pixelHeight, weight, count, listBase,
               [codes](int k) { return static_cast<unsigned long>(codes[k]); });
}

std::vector<GlyphBitmap> renderGlyphs(DeviceContext, const char* face, int pixelHeight,
                                      const char32_t* codes, int count, int weight) {
    std::vector<GlyphBitmap> glyphs(static_cast<std::size_t>(count));
    FontFile file;
    if (face == nullptr || pixelHeight <= 0 || !matchFontFile(face, pixelHeight, file, weight)) {
        return glyphs;
    }
    GlyphSource source;
    if (!openFace(source, file, pixelHeight)) return glyphs;
    for (int k = 0; k < count; ++k) {
        // As compileGlyph renders it: what it compiles as a bare advance has no rows here.
        const FT_Int32 load = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
        if (FT_Load_Char(source.face, codes[k], load) != 0) continue;
        const FT_GlyphSlot slot = source.face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || !hasSetBit(bitmap)) continue;
        GlyphBitmap& glyph = glyphs[static_cast<std::size_t>(k)];
        glyph.width = static_cast<int>(bitmap.width);
        glyph.height = static_cast<int>(bitmap.rows);
        glyph.xorig = -slot->bitmap_left;
        glyph.yorig = glyph.height - slot->bitmap_top;
        glyph.rows.resize((bitmap.width + 7) / 8 * bitmap.rows);
        flipRows(bitmap, glyph.rows.data());
    }
    return glyphs;
}

std::optional<FontMeasure> measureFont(const char* face, int pixelHeight, const char32_t* codes,
                                       int count, int weight) {
    FontFile file;
    if (face == nullptr || pixelHeight <= 0 || !matchFontFile(face, pixelHeight, file, weight)) {
        return std::nullopt;
    }
    GlyphSource source;
    if (!openFace(source, file, pixelHeight)) return std::nullopt;
    FontMeasure measure{};
    measure.drawn = file.family;
    measure.substitute = file.standsIn ? "" : file.family;
    for (int k = 0; k < kGlyphCount; ++k) {
        // Rendered as compileGlyph renders it: the same advance, the same bitmap top.
        const auto code = static_cast<unsigned long>(kFirstGlyph + k);
        if (FT_Load_Char(source.face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) continue;
        const FT_GlyphSlot glyph = source.face->glyph;
        measure.advances[k] = static_cast<int>((glyph->advance.x + 32) >> 6);
        if (code <= kLastDrawnGlyph && glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO &&
            hasSetBit(glyph->bitmap)) {
            measure.ascent = std::max(measure.ascent, glyph->bitmap_top);
            measure.descent =
                std::max(measure.descent, static_cast<int>(glyph->bitmap.rows) - glyph->bitmap_top);
        }
    }
    // Glyph 0, which FreeType loads for a character the face lacks, is its missing glyph.
    for (int k = 0; k < count; ++k) {
        CharacterMeasure character{codes[k], 0, FT_Get_Char_Index(source.face, codes[k]) != 0};
        if (FT_Load_Char(source.face, codes[k], FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
            character.advance = static_cast<int>((source.face->glyph->advance.x + 32) >> 6);
        }
        measure.characters.push_back(character);
    }
    return measure;
}

}  // namespace vantor::platform

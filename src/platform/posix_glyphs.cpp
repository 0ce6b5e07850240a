// Linux glyph lists: FreeType renders the face fontconfig chose, one glBitmap per list, laid out
// as wglUseFontBitmaps lays out its glyphs, so a line looks and advances the same on both systems.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/posix_font_match.h"

namespace vantor::platform {
namespace {

// Everything one build holds; released in one place whichever step fails.
struct GlyphSource {
    FT_Library library = nullptr;
    FT_Face face = nullptr;  // the chosen one's
    int pixelHeight = 0;
    unsigned char* rows = nullptr;  // one glyph's bitmap, bottom row first
    std::size_t rowsSize = 0;
    // The faces that draw the characters the chosen one lacks, opened when first needed (null
    // until then, and for one that cannot be opened), and which draws each character asked for.
    CoveringFaces covering;
    std::vector<FT_Face> others;
    GlyphSource() = default;
    GlyphSource(const GlyphSource&) = delete;
    GlyphSource& operator=(const GlyphSource&) = delete;
    ~GlyphSource() {
        std::free(rows);
        for (FT_Face other : others) {
            if (other != nullptr) FT_Done_Face(other);
        }
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

// Width 0 follows the height; the height is the em, as CreateFontA takes a negative height.
bool openFile(FT_Library library, const FontFile& file, int pixelHeight, FT_Face& face) {
    if (FT_New_Face(library, file.path, file.index, &face) != 0) {
        face = nullptr;
        return false;
    }
    return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) == 0;
}

bool openFace(GlyphSource& source, const FontFile& file, int pixelHeight) {
    if (FT_Init_FreeType(&source.library) != 0) {
        source.library = nullptr;
        return false;
    }
    source.pixelHeight = pixelHeight;
    return openFile(source.library, file, pixelHeight, source.face);
}

// Finds, for those of the `count` characters `codes` beyond the 96 that the chosen face lacks,
// the faces of the system that have them. A layout whose characters the chosen face all has
// asks fontconfig nothing more.
void findCovering(GlyphSource& source, const char* face, const char32_t* codes, int count) {
    std::vector<char32_t> lacking;
    std::vector<int> at;
    for (int k = 0; k < count; ++k) {
        if (codes[k] >= 0x80 && FT_Get_Char_Index(source.face, codes[k]) == 0) {
            lacking.push_back(codes[k]);
            at.push_back(k);
        }
    }
    if (lacking.empty()) return;
    CoveringFaces found = coveringFaces(face, lacking.data(), static_cast<int>(lacking.size()));
    source.covering.faces = std::move(found.faces);
    source.covering.of.assign(static_cast<std::size_t>(count), -1);
    for (std::size_t i = 0; i < at.size(); ++i) source.covering.of[at[i]] = found.of[i];
    source.others.assign(source.covering.faces.size(), nullptr);
}

// The face that draws character `k` of those findCovering was given: the first face that has it,
// at the same pixel height; the chosen face, whose missing glyph draws it, when none has it.
FT_Face faceFor(GlyphSource& source, int k) {
    const std::vector<int>& of = source.covering.of;
    if (static_cast<std::size_t>(k) >= of.size() || of[k] < 0) return source.face;
    const auto f = static_cast<std::size_t>(of[k]);
    if (source.others[f] == nullptr &&
        !openFile(source.library, source.covering.faces[f], source.pixelHeight, source.others[f])) {
        if (source.others[f] != nullptr) FT_Done_Face(source.others[f]);
        source.others[f] = nullptr;
        return source.face;
    }
    return source.others[f];
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

// Compiles the glyph of `code` in `face` into `list`. A glyph that cannot be had leaves its list
// empty. The bitmap's origin is the pen on the baseline, so a glyph from another face stands on
// the chosen face's baseline.
void compileGlyph(GlyphSource& source, FT_Face face, unsigned long code, GLuint list) {
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return;
    const FT_GlyphSlot glyph = face->glyph;
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

// Compiles the glyph of each of `count` codes, from codeAt(k), into the lists from listBase;
// with `codes`, those the chosen face lacks come from the faces that have them.
template <typename CodeAt>
void buildLists(const char* face, int pixelHeight, int weight, int count, unsigned int listBase,
                CodeAt codeAt, const char32_t* codes) {
    FontFile file;
    if (face == nullptr || pixelHeight <= 0 || !matchFontFile(face, pixelHeight, file, weight)) {
        return;
    }
    GlyphSource source;
    if (!openFace(source, file, pixelHeight)) return;
    if (codes != nullptr) findCovering(source, face, codes, count);

    // The bitmaps are byte-packed, most significant bit first; whatever unpacking the host set up
    // is saved around the build and given back.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int k = 0; k < count; ++k) {
        compileGlyph(source, faceFor(source, k), codeAt(k), listBase + k);
    }
    glPopClientAttrib();
}

}  // namespace

void buildGlyphLists(DeviceContext, const char* face, int pixelHeight, unsigned int listBase,
                     int weight) {
    buildLists(
        face, pixelHeight, weight, kGlyphCount, listBase,
        [](int k) { return static_cast<unsigned long>(kFirstGlyph + k); }, nullptr);
}

// FreeType looks characters up by their Unicode number, and gives a character the face lacks its
// glyph 0, the missing-glyph box.
void buildCharacterLists(DeviceContext, const char* face, int pixelHeight, const char32_t* codes,
                         int count, unsigned int listBase, int weight) {
    buildLists(
        face, pixelHeight, weight, count, listBase,
        [codes](int k) { return static_cast<unsigned long>(codes[k]); }, codes);
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
    findCovering(source, face, codes, count);
    for (int k = 0; k < count; ++k) {
        // As compileGlyph renders it: what it compiles as a bare advance has no rows here.
        const FT_Int32 load = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
        const FT_Face from = faceFor(source, k);
        if (FT_Load_Char(from, codes[k], load) != 0) continue;
        const FT_GlyphSlot slot = from->glyph;
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
        measure.lacks[k] = FT_Get_Char_Index(source.face, code) == 0;
        if (code <= kLastDrawnGlyph && glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO &&
            hasSetBit(glyph->bitmap)) {
            measure.ascent = std::max(measure.ascent, glyph->bitmap_top);
            measure.descent =
                std::max(measure.descent, static_cast<int>(glyph->bitmap.rows) - glyph->bitmap_top);
        }
    }
    // Glyph 0, which FreeType loads for a character no face has, is the chosen face's missing
    // glyph.
    findCovering(source, face, codes, count);
    for (int k = 0; k < count; ++k) {
        const FT_Face from = faceFor(source, k);
        CharacterMeasure character{codes[k], 0, FT_Get_Char_Index(from, codes[k]) != 0};
        if (FT_Load_Char(from, codes[k], FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
            character.advance = static_cast<int>((from->glyph->advance.x + 32) >> 6);
        }
        measure.characters.push_back(character);
    }
    return measure;
}

}  // namespace vantor::platform

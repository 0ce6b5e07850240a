#include "hud/row_cache.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

namespace vantor {
namespace {

// Mesa draws a bitmap as a texture; a row wider than this is drawn in pieces of it, each within
// any driver's texture size.
constexpr int kPieceWidth = 2048;

std::size_t rowBytes(int width) { return (static_cast<std::size_t>(width) + 7) / 8; }

// ORs the `width` x `height` bitmap `from` (rows in whole bytes) into `to`, whose rows are
// `toBytes` long, with its lower left pixel at (x, y). Bits past the width are no pixels.
void orBits(const unsigned char* from, int width, int height, unsigned char* to,
            std::size_t toBytes, int x, int y) {
    const std::size_t fromBytes = rowBytes(width);
    const auto lastMask = static_cast<unsigned char>(0xFFu << (8 - ((width - 1) % 8 + 1)));
    const int shift = x % 8;
    for (int r = 0; r < height; ++r) {
        const unsigned char* source = from + r * fromBytes;
        unsigned char* target = to + (y + r) * toBytes + x / 8;
        for (std::size_t k = 0; k < fromBytes; ++k) {
            const unsigned int bits = k + 1 == fromBytes ? source[k] & lastMask : source[k];
            target[k] |= static_cast<unsigned char>(bits >> shift);
            // Only lit bits cross into the next byte, which the row then has.
            if (const auto spill = static_cast<unsigned char>(bits << (8 - shift));
                shift && spill) {
                target[k + 1] |= spill;
            }
        }
    }
}

}  // namespace

void RowCache::build(platform::DeviceContext dc, const char* face, int pixelHeight, int weight,
                     unsigned int glyphBase, const int* glyphAdvances, unsigned int characterBase,
                     const char32_t* characters, const int* characterAdvances, int characterCount,
                     const Offset* offsets, int offsetCount, bool valueLayers) {
    release();
    std::vector<char32_t> codes(platform::kGlyphCount + characterCount);
    for (int k = 0; k < platform::kGlyphCount; ++k) codes[k] = platform::kFirstGlyph + k;
    std::copy(characters, characters + characterCount, codes.begin() + platform::kGlyphCount);
    std::vector<platform::GlyphBitmap> bitmaps = platform::renderGlyphs(
        dc, face, pixelHeight, codes.data(), static_cast<int>(codes.size()), weight);

    // The widest line: every glyph as far right as the widest advance takes it, and as far out
    // on each side as any glyph reaches from its origin; an effect adds a pixel all round.
    int widest = 0;
    int left = 0, right = 0, bottom = 0, top = 0;
    glyphs_.resize(codes.size());
    for (std::size_t k = 0; k < codes.size(); ++k) {
        const int advance = k < platform::kGlyphCount
                                ? glyphAdvances[k]
                                : characterAdvances[k - platform::kGlyphCount];
        glyphs_[k] = {std::move(bitmaps[k]), advance};
        const platform::GlyphBitmap& b = glyphs_[k].bitmap;
        widest = std::max(widest, advance);
        left = std::min(left, -b.xorig);
        right = std::max(right, b.width - b.xorig);
        bottom = std::min(bottom, -b.yorig);
        top = std::max(top, b.height - b.yorig);
    }
    const int width = widest * (kLineSize - 1) + right - left;
    row_.pixels.assign(rowBytes(width) * static_cast<std::size_t>(top - bottom), 0);
    offsets_.assign(offsets, offsets + offsetCount);
    if (offsetCount > 0) effect_.pixels.assign(rowBytes(width + 2) * (top - bottom + 2), 0);
    if (valueLayers) values_.pixels.assign(row_.pixels.size(), 0);
    for (ValueSpans& values : heldValues_) values.count = 0;
    texts_.assign(static_cast<std::size_t>(kPageRows) * kLineSize, '\0');
    placed_.reserve(RowShaper::kMaxGlyphs);
    std::fill(std::begin(held_), std::end(held_), false);
    glyphBase_ = glyphBase;
    characterBase_ = characterBase;
    valueLayers_ = valueLayers;
    base_ = glGenLists(listCount());
}

void RowCache::release() {
    if (base_ != 0) glDeleteLists(base_, listCount());
    base_ = 0;
    glyphs_.clear();
    row_.pixels.clear();
    effect_.pixels.clear();
    values_.pixels.clear();
    texts_.clear();
}

unsigned int RowCache::find(int row, const char* text) const {
    if (!held_[row]) return 0;
    return std::strcmp(&texts_[static_cast<std::size_t>(row) * kLineSize], text) == 0
               ? base_ + static_cast<unsigned int>(row)
               : 0;
}

const RowCache::Glyph* RowCache::glyphOf(unsigned int list) const {
    if (list - glyphBase_ < static_cast<unsigned int>(platform::kGlyphCount)) {
        return &glyphs_[list - glyphBase_];
    }
    const unsigned int character = list - characterBase_ + platform::kGlyphCount;
    return characterBase_ != 0 && character < glyphs_.size() ? &glyphs_[character] : nullptr;
}

unsigned int RowCache::compose(int row, const char* text, const unsigned int* lists, int count) {
    placed_.clear();
    int pen = 0;
    for (int i = 0; i < count; ++i) {
        const Glyph* glyph = glyphOf(lists[i]);
        if (glyph == nullptr) continue;
        if (!glyph->bitmap.rows.empty()) placed_.push_back({&glyph->bitmap, pen, 0});
        pen += glyph->advance;
    }
    return composePlaced(row, text, pen);
}

unsigned int RowCache::compose(int row, const char* text, const ShapedRun& run, RowShaper& shaper) {
    placed_.clear();
    for (int i = 0; i < run.count; ++i) {
        const platform::ShapedGlyph& glyph = run.glyphs[i];
        const platform::GlyphBitmap& bitmap = shaper.bitmap(glyph.face, glyph.index);
        if (!bitmap.rows.empty()) placed_.push_back({&bitmap, glyph.x, glyph.y});
    }
    return composePlaced(row, text, run.notes.width);
}

unsigned int RowCache::findValues(int row, const ValueSpans& values) const {
    return heldValues_[row].count > 0 && heldValues_[row] == values ? valueList(row) : 0;
}

unsigned int RowCache::composeValues(int row, const ValueSpans& values, const unsigned int* lists,
                                     int count, const int* bounds) {
    placed_.clear();
    int pen = 0;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const Glyph* glyph = glyphOf(lists[i]);
        if (glyph == nullptr) continue;
        while (value < values.count && bounds[2 * value + 1] <= i) ++value;
        if (value < values.count && i >= bounds[2 * value] && !glyph->bitmap.rows.empty()) {
            placed_.push_back({&glyph->bitmap, pen, 0});
        }
        pen += glyph->advance;
    }
    fill(values_);
    compile(valueList(row), values_, pen);
    heldValues_[row] = values;
    return valueList(row);
}

unsigned int RowCache::composePlaced(int row, const char* text, int advance) {
    fill(row_);
    const std::size_t effectBytes = rowBytes(row_.width + 2) * (row_.height + 2);
    if (!offsets_.empty() && effectBytes > effect_.pixels.size()) {
        effect_.pixels.resize(effectBytes);
    }
    const unsigned int list = base_ + static_cast<unsigned int>(row);
    compile(list, row_, advance);
    if (!offsets_.empty()) {
        composeEffect();
        compile(effectList(row), effect_, 0);
    }
    std::memcpy(&texts_[static_cast<std::size_t>(row) * kLineSize], text, std::strlen(text) + 1);
    held_[row] = true;
    widths_[row] = advance;
    heldValues_[row].count = 0;
    return list;
}

void RowCache::fill(Block& block) {
    // Where the inked glyphs reach, from the row's origin.
    int left = 0, right = 0, bottom = 0, top = 0;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const platform::GlyphBitmap& b = *placed_[i].bitmap;
        const int x = placed_[i].x - b.xorig;
        const int y = placed_[i].y - b.yorig;
        left = i > 0 ? std::min(left, x) : x;
        right = i > 0 ? std::max(right, x + b.width) : x + b.width;
        bottom = i > 0 ? std::min(bottom, y) : y;
        top = i > 0 ? std::max(top, y + b.height) : y + b.height;
    }
    const bool inked = !placed_.empty();
    block.width = inked ? right - left : 0;
    block.height = inked ? top - bottom : 0;
    block.left = left;
    block.bottom = bottom;
    const std::size_t bytes = rowBytes(block.width);
    // Shaped glyphs can stand further out than single glyphs do (marks above marks).
    if (bytes * block.height > block.pixels.size()) block.pixels.resize(bytes * block.height);
    std::fill_n(block.pixels.begin(), bytes * block.height, 0);

    // Each glyph ORed in at its place: overlapping glyphs light the union, as their lists do.
    for (const Placed& placed : placed_) {
        const platform::GlyphBitmap& b = *placed.bitmap;
        orBits(b.rows.data(), b.width, b.height, block.pixels.data(), bytes,
               placed.x - b.xorig - left, placed.y - b.yorig - bottom);
    }
}

// The row at each offset, ORed: what the effect's passes light between them. Offsets are at most
// a pixel, so the effect is the row with a pixel all round.
void RowCache::composeEffect() {
    effect_.width = row_.width == 0 ? 0 : row_.width + 2;
    effect_.height = row_.height == 0 ? 0 : row_.height + 2;
    effect_.left = row_.left - 1;
    effect_.bottom = row_.bottom - 1;
    const std::size_t bytes = rowBytes(effect_.width);
    std::fill_n(effect_.pixels.begin(), bytes * effect_.height, 0);
    if (row_.width == 0) return;
    for (const Offset& offset : offsets_) {
        orBits(row_.pixels.data(), row_.width, row_.height, effect_.pixels.data(), bytes,
               1 + offset.x, 1 + offset.y);
    }
}

// The block at the origin its glyphs are placed from; in pieces when wide, all drawn from the
// same raster position, the last moving it by `advance`.
void RowCache::compile(unsigned int list, const Block& block, int advance) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(rowBytes(block.width) * 8));
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glNewList(list, GL_COMPILE);
    if (block.width == 0) {
        glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(advance), 0.0f, &platform::kNoPixels);
    }
    for (int from = 0; from < block.width; from += kPieceWidth) {
        const bool last = from + kPieceWidth >= block.width;
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, from);
        glBitmap(std::min(kPieceWidth, block.width - from), block.height,
                 static_cast<GLfloat>(-block.left - from), static_cast<GLfloat>(-block.bottom),
                 last ? static_cast<GLfloat>(advance) : 0.0f, 0.0f, block.pixels.data());
    }
    glEndList();
    glPopClientAttrib();
}

}  // namespace vantor

// Each row of the page shown drawn as one bitmap (ROW_CACHE=1). Software drivers, and older ones,
// replay every listed bitmap as a draw of its own, so a row costs a draw a character through the
// glyph lists; composed from the same glyphs' bitmaps and kept in a list of the row's own, it
// costs one, and is composed again only when its text changes. The frame is the same, pixel for
// pixel: each glyph lands where its list would put it.
#pragma once

#include <vector>

#include "pages/row_page.h"
#include "platform/platform.h"
#include "shaping/row_shaper.h"
#include "tokens/token_table.h"
#include "tokens/value_spans.h"

namespace vantor {

class RowCache {
public:
    // Window-pixel offsets at which a text effect draws the row again, in its own colour.
    struct Offset {
        int x, y;
    };

    // The glyphs a row can be made of, in `face` at `pixelHeight` and `weight`: the lists from
    // glyphBase (the 96 codes from platform::kFirstGlyph) and from characterBase (`characters`),
    // each with the advance its list applies; and the effect's `offsetCount` offsets (none without
    // one). Sizes the buffers for the widest line of kLineSize - 1 glyphs and makes a list for each
    // row, and one for its effect, and with `valueLayers` one for its values. Needs the GL context
    // current.
    void build(platform::DeviceContext dc, const char* face, int pixelHeight, int weight,
               unsigned int glyphBase, const int* glyphAdvances, unsigned int characterBase,
               const char32_t* characters, const int* characterAdvances, int characterCount,
               const Offset* offsets, int offsetCount, bool valueLayers);

    // Deletes the row lists and lets go of the glyphs.
    void release();

    bool enabled() const { return base_ != 0; }

    // The list of row `row` when it last drew `text`, 0 when it drew another text (or nothing).
    unsigned int find(int row, const char* text) const;

    // Composes `text`, drawn through the `count` glyph lists `lists`, into row `row`'s list, and
    // returns it. Allocates nothing.
    unsigned int compose(int row, const char* text, const unsigned int* lists, int count);

    // Composes `text`, shaped into `run`, from the glyph bitmaps `shaper` renders by index, each
    // at the place the engine gave it, into row `row`'s list, and returns it. Allocates only when
    // the row reaches further than any row of single glyphs could.
    unsigned int compose(int row, const char* text, const ShapedRun& run, RowShaper& shaper);

    // The advance of the row's list: its text's width.
    int width(int row) const { return widths_[row]; }

    // The list that draws row `row`'s effect: the row at every offset at once, in one bitmap, from
    // the row's own position; it leaves the raster position where it was.
    unsigned int effectList(int row) const {
        return base_ + kPageRows + static_cast<unsigned int>(row);
    }

    // The list of row `row`'s values when they were last composed as `values` of the row's text
    // as it is now; 0 when not.
    unsigned int findValues(int row, const ValueSpans& values) const;

    // Composes the glyphs of the row's values, value k being lists bounds[2k] to bounds[2k + 1]
    // of the row's `count` lists, each where the row's list has it, into row `row`'s value list,
    // and returns it. Drawn from the row's position, it ends where the row does. Allocates nothing.
    unsigned int composeValues(int row, const ValueSpans& values, const unsigned int* lists,
                               int count, const int* bounds);

    unsigned int valueList(int row) const {
        return base_ + 2 * kPageRows + static_cast<unsigned int>(row);
    }

private:
    struct Glyph {
        platform::GlyphBitmap bitmap;
        int advance = 0;
    };

    // A list for each row, one for its effect, and one for its values when they have a layer.
    int listCount() const { return (valueLayers_ ? 3 : 2) * kPageRows; }
    const Glyph* glyphOf(unsigned int list) const;
    // An inked glyph's bitmap with its origin, from the row's origin.
    struct Placed {
        const platform::GlyphBitmap* bitmap;
        int x, y;
    };
    unsigned int composePlaced(int row, const char* text, int advance);
    struct Block {  // composed pixels, bottom row first, each row in whole bytes
        std::vector<unsigned char> pixels;
        int width = 0, height = 0;
        int left = 0, bottom = 0;  // of its lower left pixel, from the origin
    };
    // placed_ ORed into `block`, as far as the glyphs reach.
    void fill(Block& block);
    void composeEffect();
    void compile(unsigned int list, const Block& block, int advance);

    unsigned int base_ = 0;  // kPageRows lists, 0 when off
    unsigned int glyphBase_ = 0;
    unsigned int characterBase_ = 0;
    std::vector<Glyph> glyphs_;   // the 96, then the characters
    std::vector<Placed> placed_;  // the row being composed
    Block row_;                   // one composed row
    Block effect_;                // and its effect
    Block values_;                // and its values
    std::vector<Offset> offsets_;
    std::vector<char> texts_;  // kPageRows texts of kLineSize, as last composed
    int widths_[kPageRows] = {};
    bool held_[kPageRows] = {};
    bool valueLayers_ = false;
    ValueSpans heldValues_[kPageRows];  // as last composed; none when the row changed since
};

}  // namespace vantor

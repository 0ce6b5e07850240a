// A page laid out once, without GL: what each row draws, whether it is drawn and where, in the
// overlay space GL is given and in the window's pixels. The HUD draws from it (the panel and the
// text in one pass), the layout checker walks it with the settings it checks or tries, and the
// stand-in host's tools read what shows from it. It allocates nothing: the HUD lays its page out
// every frame.
#pragma once

#include "layout/drawn_width.h"
#include "pages/hud_settings.h"
#include "pages/row_page.h"
#include "platform/platform.h"
#include "tokens/token_table.h"
#include "tokens/value_spans.h"

namespace vantor {

// How far the font's letters reach from a baseline, in window pixel rows: drawn at row b, they
// cover rows b - descent to b + ascent - 1 (platform::FontMeasure).
struct FontInk {
    int ascent = 0;
    int descent = 0;
};

// The host's viewport in window pixels (GL_VIEWPORT). A minimised window's may be empty.
struct Viewport {
    int x = 0;
    int y = 0;
    int width = kOverlayWidth;
    int height = kOverlayHeight;
};

// What lays out the rows the shaping engine orders and shapes (RowShaper::needed): the HUD's
// shaper composes each row's glyphs once its text changes, the checker's measures them.
class RowShaping {
public:
    struct Shaped {
        int width;            // in window pixels, as the engine lays the glyphs out
        unsigned int handle;  // the shaper's own, to what it drew the row into
    };
    // Row `index` of the page, its tokens applied. Allocates nothing for a row shaped before.
    virtual Shaped shape(int index, const char* text, RowEncoding encoding) = 0;

protected:
    ~RowShaping() = default;
};

// Everything a page is laid out from, apart from the page.
struct LayoutInputs {
    const HudSettings& settings;
    const FontAdvances& advances;  // no glyphs: every width is 0, and right corners align by 0
    FontInk ink;
    Viewport viewport;
    const TokenTable& tokens;  // the values the rows' tokens are given
    const platform::CodePageCharacters& codePage;
    RowShaping* shaping = nullptr;  // none: every row is drawn glyph by glyph
};

// Where a value of a row is drawn: from and to, in window pixels from the row's origin.
struct ValueReach {
    int left;
    int right;
};

// One row of the page as it is drawn.
struct LaidRow {
    char text[kLineSize];  // its tokens applied; empty for a BLANK row
    RowEncoding encoding;  // how its bytes are read (token values are ASCII)
    // Whether the HUD draws it: not when BLANK, nor, stretched, when its baseline is below the
    // overlay's bottom edge, where it has no valid raster position. A drawn row held to a corner
    // may still lie partly or wholly outside the viewport, cut at its edges.
    bool drawn;
    float x;  // its origin in the space GL is given (PageLayout::space)
    float y;
    int left;      // the window column its first glyph's origin lands on
    int baseline;  // the window row its baseline stands on
    // Shaped by `LayoutInputs::shaping`, which gave its width and this handle; 0 when not.
    unsigned int shaped;
    int width;   // its drawn width in window pixels, from the advances or the shaping
    int top;     // one above the highest window row its letters can reach: baseline + ascent
    int bottom;  // the lowest: baseline - descent
    // With a value colour (HudSettings::valuesColoured), where its token values are and are drawn;
    // none for a shaped row, whose values keep its colour. None without.
    ValueSpans values;
    ValueReach reach[kMaxValueSpans];
};

// The space rows are placed in: the overlay's 640 x 480 stretched over the viewport, or, held to a
// corner, the viewport's own pixels (at least 1 x 1, over a minimised window's empty viewport).
struct LayoutSpace {
    int width = kOverlayWidth;
    int height = kOverlayHeight;
};
LayoutSpace layoutSpace(const HudSettings& settings, const Viewport& viewport);

struct PageLayout {
    LaidRow rows[kPageRows];
    int count = 0;      // rows of the page, BLANK ones counted
    LayoutSpace space;  // the space the rows' origins are in

    // How many of its rows are drawn.
    int drawnCount() const;
};

// Lays `page` out into `out`. Applies the tokens through each row, which keeps its count of them
// (TextRow::tokenHits) for the next frame.
void layOutPage(const PageView& page, const LayoutInputs& in, PageLayout& out);

}  // namespace vantor

#include "layout/page_layout.h"

#include <cmath>
#include <cstring>

#include "layout/placement.h"
#include "shaping/row_shaper.h"

namespace vantor {
namespace {

// The row's text as drawn, and where its values are when `values` says so; false for a BLANK row.
bool readyText(const TextRow& row, const TokenTable& tokens, bool values, LaidRow& laid) {
    laid.encoding = row.encoding;
    laid.values.count = 0;
    if (row.text[0] == '\0') {
        laid.text[0] = '\0';
        return false;
    }
    std::memcpy(laid.text, row.text, std::strlen(row.text) + 1);
    applyTokens(row, tokens, laid.text, values ? &laid.values : nullptr);
    // The clock's names may bring UTF-8 into a row that was plain ASCII.
    if (laid.encoding == RowEncoding::kAscii && row.tokenHits > 0) {
        laid.encoding = detectEncoding(laid.text);
    }
    return true;
}

// Where the row starts in the space GL is given, and where that lands in the window: stretched,
// the overlay space scaled over the viewport; held to a corner, the viewport's own pixels, which a
// bitmap's pixels start at the floor of.
void place(const LayoutInputs& in, const LayoutSpace& space, int index, int rows, LaidRow& laid) {
    const HudSettings& s = in.settings;
    const Viewport& view = in.viewport;
    if (s.anchor == kStretched) {
        laid.x = s.posX;
        laid.y = rowBaseline(s, index);
        laid.drawn = laid.drawn && laid.y >= 0.0f;
        const WindowPoint at = stretchedPoint(laid.x, laid.y, view.width, view.height);
        laid.left = view.x + static_cast<int>(std::floor(at.x));
        laid.baseline = view.y + static_cast<int>(std::floor(at.y));
    } else {
        const RowOrigin origin = anchoredOrigin(
            s, index, rows, placedByWidth(s.anchor) ? laid.width : 0, space.width, space.height);
        laid.x = origin.x;
        laid.y = origin.y;
        laid.left = view.x + static_cast<int>(std::floor(origin.x));
        laid.baseline = view.y + static_cast<int>(std::floor(origin.y));
    }
    laid.top = laid.baseline + in.ink.ascent;
    laid.bottom = laid.baseline - in.ink.descent;
}

// Each value's reach along the row, measured as the row's width is.
void measureValues(const LayoutInputs& in, LaidRow& laid) {
    const auto width = [&](int from, int to) {
        return drawnWidth({laid.text + from, static_cast<std::size_t>(to - from)}, laid.encoding,
                          in.codePage, in.advances);
    };
    int pen = 0;
    int at = 0;
    for (int k = 0; k < laid.values.count; ++k) {
        const ValueSpan& value = laid.values.at[k];
        pen += width(at, value.begin);
        laid.reach[k].left = pen;
        pen += width(value.begin, value.end);
        laid.reach[k].right = pen;
        at = value.end;
    }
}

}  // namespace

LayoutSpace layoutSpace(const HudSettings& settings, const Viewport& viewport) {
    if (settings.anchor == kStretched) return {};  // the overlay's, whatever the viewport
    return {viewport.width > 0 ? viewport.width : 1, viewport.height > 0 ? viewport.height : 1};
}

int PageLayout::drawnCount() const {
    int drawn = 0;
    for (int i = 0; i < count; ++i) drawn += rows[i].drawn ? 1 : 0;
    return drawn;
}

void layOutPage(const PageView& page, const LayoutInputs& in, PageLayout& out) {
    out.count = page.count;
    out.space = layoutSpace(in.settings, in.viewport);
    for (int i = 0; i < page.count; ++i) {
        LaidRow& laid = out.rows[i];
        laid.drawn = readyText(*page.rows[i], in.tokens, in.settings.valuesColoured(), laid);
        laid.shaped = 0;
        laid.width = 0;
        if (laid.drawn && in.shaping != nullptr &&
            RowShaper::needed(laid.text, laid.encoding, in.codePage)) {
            const RowShaping::Shaped shaped = in.shaping->shape(i, laid.text, laid.encoding);
            laid.shaped = shaped.handle;
            laid.width = shaped.width;
            laid.values.count = 0;  // the engine tells no characters' places
        } else if (laid.drawn) {
            laid.width = drawnWidth(laid.text, laid.encoding, in.codePage, in.advances);
            measureValues(in, laid);
        }
        place(in, out.space, i, page.count, laid);
    }
}

}  // namespace vantor

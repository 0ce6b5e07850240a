// Rows drawn over one another: the letters of a row reach up to the font's ascent above its
// baseline, a window pixel more for the effect, and its neighbour stands a step (or, past BLANK
// rows, several) lower. Letters that reach into the row above are drawn over it; the tails of a
// row's few descenders meeting the tops of the next row's capitals are not counted, or every
// layout at the default FONT_SIZE and HUD_STEP_Y would be told so. The font's tallest letters are
// taken, whatever a row holds, as live values change what it holds from frame to frame.
#include <algorithm>
#include <cmath>
#include <optional>

#include "check/layout.h"

namespace hudhost::check {
namespace {

constexpr const vantor::ConfigKey& kStepY = vantor::configKey("HUD_STEP_Y");

// How far a row's ink reaches from the window row its baseline stands on: `above` rows up from
// it, that row included, and `below` rows under it.
struct Ink {
    int above;
    int below;
};

Ink inkOf(const LayoutFont& font, const vantor::HudSettings& s) {
    // The shadow lies a pixel right and down, the outline a pixel all round.
    const int up = s.textEffect == vantor::kOutline ? 1 : 0;
    const int down = s.textEffect != vantor::kNoEffect ? 1 : 0;
    return {font.measure.ascent + up, down};
}

// Two rows drawn one after the other on a page, with only BLANK rows between them.
struct Neighbours {
    const LoadedRow* upper;
    const LoadedRow* lower;
};

// How many window rows apart the baselines of `pair` stand in its page laid out as `laid`.
int gapOf(const vantor::PageLayout& laid, const Neighbours& pair) {
    return laid.rows[pair.upper->index].baseline - laid.rows[pair.lower->index].baseline;
}

// Whether the ink of every pair of a page, `tall` rows high, stands apart at `at`; touching is
// apart.
bool apart(const Layout& layout, const Trial& at, const std::vector<Neighbours>& pairs, int tall) {
    const auto laid = layOut(layout, pairs.front().upper->page, at);
    return std::all_of(pairs.begin(), pairs.end(),
                       [&](const Neighbours& pair) { return gapOf(*laid, pair) >= tall; });
}

// The lowest value, above the layout's own `own`, from which every value up to `high` set by `set`
// keeps `pairs` apart; none when `high` itself does not.
template <typename Set>
std::optional<int> lowestApart(const Layout& layout, int own, int high, Set set,
                               const std::vector<Neighbours>& pairs, int tall) {
    Trial tried = ownTrial(layout);
    std::optional<int> lowest;
    for (int value = high; value > own; --value) {
        set(tried, value);
        if (!apart(layout, tried, pairs, tall)) break;
        lowest = value;
    }
    return lowest;
}

Trial withStep(const Trial& at, int step) {
    Trial moved = at;
    moved.settings.*kStepY.real = static_cast<float>(step);
    return moved;
}

// HUD_STEP_Y, and in the stretched space the viewport's height, from which on the page's rows
// stand apart.
std::string spacingAdvice(const Layout& layout, const std::vector<Neighbours>& pairs, int tall) {
    const Trial at = ownTrial(layout);
    const std::optional<int> step = lowestApart(
        layout, static_cast<int>(std::lround(at.settings.*kStepY.real)), kStepY.high,
        [](Trial& tried, int value) { tried = withStep(tried, value); }, pairs, tall);
    // Steps wider still only put rows lower: where the first apart is not clean, none is.
    const bool clean = step && endsClean(layout, withStep(at, *step));
    std::string advice =
        clean ? "raise HUD_STEP_Y to at least " + std::to_string(*step)
        : step
            ? "no HUD_STEP_Y parts them and keeps every row whole in the viewport at FONT_SIZE=" +
                  std::to_string(at.settings.fontSize) + "; lower FONT_SIZE"
            : "lower FONT_SIZE";
    if (at.settings.anchor != vantor::kStretched) return advice;
    // From this height on, each pair's steps cover `tall` window rows however the baselines
    // round; a row more for the rounding of the overlay's floats.
    int steps = vantor::kPageRows;
    for (const Neighbours& pair : pairs) {
        steps = std::min(steps, pair.lower->index - pair.upper->index);
    }
    const double covering = std::ceil(static_cast<double>(vantor::kOverlayHeight) * tall /
                                      (steps * static_cast<double>(at.settings.stepY)));
    const std::optional<int> height = lowestApart(
        layout, at.height, static_cast<int>(covering) + 1,
        [](Trial& tried, int value) { tried.height = value; }, pairs, tall);
    if (height && endsClean(layout, {at.settings, at.width, *height})) {
        advice +=
            ", or view them in a viewport at least " + std::to_string(*height) + " pixels high";
    }
    return advice;
}

// The effect's pixel, where the effect draws one beyond the letters.
std::string effectText(const vantor::HudSettings& s) {
    if (s.textEffect == vantor::kShadow) return " (with TEXT_EFFECT=1, the row above one lower)";
    if (s.textEffect == vantor::kOutline) return " (with TEXT_EFFECT=2, one more each way)";
    return "";
}

void tellOverlap(const Layout& layout, const vantor::PageLayout& laid,
                 const std::vector<Neighbours>& pairs, const Neighbours& first, int overlapping,
                 const Ink& ink, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    const int tall = ink.above + ink.below;
    const std::string viewport =
        sizeText(layout.viewWidth, layout.viewHeight) + " viewport" +
        (s.anchor == vantor::kStretched ? ""
                                        : std::string(", held to its ") + kCornerNames[s.anchor]);
    const int gap = gapOf(laid, first);
    findings.add(
        FindingKind::RowsOverlap, Severity::Warning, first.lower->entry->line,
        first.lower->entry->column,
        "rows " + std::to_string(first.upper->index + 1) + " and " +
            std::to_string(first.lower->index + 1) + " of page " +
            std::to_string(first.upper->page + 1) + " are drawn over each other in a " + viewport +
            ": at FONT_SIZE=" + std::to_string(s.fontSize) + " and FONT_FACE=" + s.fontFace +
            " a row's letters reach " + std::to_string(layout.font->measure.ascent) +
            " pixels above its baseline" + effectText(s) +
            ", into the row above, whose baseline "
            "stands only " +
            std::to_string(gap) + (gap == 1 ? " pixel" : " pixels") + " higher" +
            (overlapping > 1
                 ? " (" + std::to_string(overlapping) + " pairs of rows of the page overlap)"
                 : "") +
            "; " + spacingAdvice(layout, pairs, tall));
}

// The rows of each page that hold text, each page in its rows' order.
std::vector<std::vector<const LoadedRow*>> drawnRows(const Layout& layout) {
    std::vector<std::vector<const LoadedRow*>> pages;
    for (const LoadedRow& row : layout.rows) {
        if (row.text[0] == '\0') continue;
        if (pages.size() <= static_cast<std::size_t>(row.page)) pages.resize(row.page + 1);
        pages[row.page].push_back(&row);
    }
    for (std::vector<const LoadedRow*>& rows : pages) {
        std::sort(rows.begin(), rows.end(),
                  [](const LoadedRow* a, const LoadedRow* b) { return a->index < b->index; });
    }
    return pages;
}

}  // namespace

// From the upper row's lowest ink to the lower row's highest: they overlap where this runs upward,
// and count where some of it lies inside the viewport.
bool inkMeets(const Layout& layout, const vantor::LaidRow& upper, const vantor::LaidRow& lower,
              int height) {
    if (layout.font == nullptr) return false;
    const Ink ink = inkOf(*layout.font, layout.settings);
    const int lowest = upper.baseline - ink.below;
    const int highest = lower.baseline + ink.above - 1;
    return highest >= lowest && highest >= 0 && lowest < height;
}

void checkSpacing(const Layout& layout, Findings& findings) {
    if (layout.font == nullptr) return;
    const Ink ink = inkOf(*layout.font, layout.settings);
    for (const std::vector<const LoadedRow*>& rows : drawnRows(layout)) {
        if (rows.size() < 2) continue;
        const auto laid = layOut(layout, rows.front()->page, ownTrial(layout));
        std::vector<Neighbours> pairs;
        for (std::size_t k = 1; k < rows.size(); ++k) {
            if (laid->rows[rows[k]->index].drawn) pairs.push_back({rows[k - 1], rows[k]});
        }
        std::optional<Neighbours> first;
        int overlapping = 0;
        for (const Neighbours& pair : pairs) {
            if (!inkMeets(layout, laid->rows[pair.upper->index], laid->rows[pair.lower->index],
                          layout.viewHeight)) {
                continue;
            }
            if (!first) first = pair;
            ++overlapping;
        }
        if (first) tellOverlap(layout, *laid, pairs, *first, overlapping, ink, findings);
    }
}

}  // namespace hudhost::check

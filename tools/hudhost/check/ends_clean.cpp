// Whether a value the advice names leaves the layout clean: a change that mends one row can push
// another below the bottom edge, over its neighbour or past the top, and advice that leads from
// one finding to the next never ends.
#include "check/layout.h"

namespace hudhost::check {
namespace {

// Whether the drawn rows of a page laid out as `laid`, `tall` pixels high with tails `below`,
// stand whole inside a viewport `height` high.
bool rowInside(const Layout& layout, const vantor::LaidRow& laid, int tall, int below, int height) {
    if (laid.baseline < below || laid.baseline + tall > height) return false;
    return layout.settings.anchor == vantor::kStretched || laid.y >= 0.0f;
}

}  // namespace

bool endsClean(const Layout& layout, const Trial& trial) {
    const int tall =
        layout.font != nullptr ? layout.font->measure.ascent : layout.settings.fontSize;
    const int below = layout.font != nullptr ? layout.font->measure.descent : 0;
    int page = -1;
    std::unique_ptr<vantor::PageLayout> laid;
    const vantor::LaidRow* upper = nullptr;
    for (const LoadedRow& row : layout.rows) {
        if (row.text[0] == '\0') continue;
        if (row.page != page) {
            page = row.page;
            laid = layOut(layout, page, trial);
            upper = nullptr;
        }
        const vantor::LaidRow& at = laid->rows[row.index];
        if (!at.drawn || !rowInside(layout, at, tall, below, trial.height)) return false;
        if (upper != nullptr && inkMeets(layout, *upper, at, trial.height)) return false;
        upper = &at;
    }
    return true;
}

}  // namespace hudhost::check

// Each row's own colour, chosen for each frame: a threshold colour follows a live value.
#include "hud/hud_plugin.h"

namespace vantor {

bool HudPlugin::chooseRowColour(int index) {
    const PageView page = store_.view(currentPage_);
    const TextRow* row = index < page.count ? page.rows[index] : nullptr;
    const RowColour* colour = row != nullptr ? &row->colour : nullptr;
    if (colour == nullptr || colour->count == 0) {
        rowColour_[0] = settings_.red;
        rowColour_[1] = settings_.green;
        rowColour_[2] = settings_.blue;
        return false;
    }
    std::uint32_t rgb = colour->rgb[colour->count - 1];
    if (colour->hasThresholds()) {
        const int token = firstNumberToken(row->text);
        if (token >= 0) rgb = colour->colourFor(tokens_.numbers[token]);
    }
    // As COLOR_* are kept.
    rowColour_[0] = static_cast<float>(rgb >> 16 & 0xFF) * kInverse255;
    rowColour_[1] = static_cast<float>(rgb >> 8 & 0xFF) * kInverse255;
    rowColour_[2] = static_cast<float>(rgb & 0xFF) * kInverse255;
    return true;
}

}  // namespace vantor

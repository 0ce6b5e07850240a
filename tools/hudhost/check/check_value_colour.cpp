// The value colour against each row's: values in the very colour of their row's text cannot be
// told from it.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "check/layout.h"
#include "check/listed.h"
#include "check/page_names.h"

namespace hudhost::check {
namespace {

using vantor::HudSettings;

// The colour keys' parts, in the order of RRGGBB.
constexpr std::int32_t HudSettings::*kValueParts[] = {
    &HudSettings::valueRed, &HudSettings::valueGreen, &HudSettings::valueBlue};
constexpr const char* kValueKeys[] = {"VALUE_RED", "VALUE_GREEN", "VALUE_BLUE"};

std::uint32_t hudColour(const HudSettings& s) {
    std::uint32_t rgb = 0;
    for (float part : {s.red, s.green, s.blue}) {
        rgb = rgb << 8 | static_cast<std::uint32_t>(std::lround(part * vantor::kColourTop));
    }
    return rgb;
}

// The values' colour on a row in `rgb`: each part set, or the row's own.
std::uint32_t valueColour(const HudSettings& s, std::uint32_t rgb) {
    std::uint32_t value = 0;
    for (int k = 0; k < 3; ++k) {
        const std::int32_t part = s.*kValueParts[k];
        const std::uint32_t own = rgb >> (16 - 8 * k) & 0xFF;
        value =
            value << 8 | (part != vantor::kRowsOwnPart ? static_cast<std::uint32_t>(part) : own);
    }
    return value;
}

std::string hex(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(rgb));
    return text;
}

// "VALUE_RED=255 and VALUE_BLUE=0", the keys as the file sets them.
std::string valueKeys(const HudSettings& s) {
    std::vector<std::string> keys;
    for (int k = 0; k < 3; ++k) {
        if (s.*kValueParts[k] == vantor::kRowsOwnPart) continue;
        keys.push_back(kValueKeys[k] + ("=" + std::to_string(s.*kValueParts[k])));
    }
    return listed(keys, " and ");
}

}  // namespace

void checkValueColour(const Layout& layout, Findings& findings) {
    const HudSettings& s = layout.settings;
    if (!s.valuesColoured()) return;
    const Trial own = ownTrial(layout);
    for (const LoadedRow& row : layout.rows) {
        if (laidRow(layout, row, own).values.count == 0) continue;
        const vantor::RowColour& colour = layout.store.view(row.page).rows[row.index]->colour;
        // Each colour the row can take: its own, one of its bands, or the HUD's.
        const int bands = colour.count > 0 ? colour.count : 1;
        for (int band = 0; band < bands; ++band) {
            const std::uint32_t rgb = colour.count > 0 ? colour.rgb[band] : hudColour(s);
            if (valueColour(s, rgb) != rgb) continue;
            const std::string whose = colour.count == 0        ? "the HUD colour"
                                      : colour.hasThresholds() ? "one of its colours"
                                                               : "its own colour";
            findings.add(FindingKind::ValuesInRowColour, Severity::Warning, row.entry->line,
                         row.entry->column,
                         valueKeys(s) + " draws the values of " + rowKey(row.index + 1) + " in " +
                             whose + ", " + hex(rgb) +
                             ", so they cannot be told from the rest of the row; give the values "
                             "a colour apart from it");
            break;
        }
    }
}

}  // namespace hudhost::check

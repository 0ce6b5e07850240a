// ROWCOLOR<n>: a row's own colour, "RRGGBB", or colours that follow the row's first number,
// "RRGGBB<LIMIT,RRGGBB<LIMIT,...,RRGGBB": the first colour whose limit the number is below, else
// the last.
#pragma once

#include <cstdint>
#include <string_view>

namespace vantor {

inline constexpr const char* kRowColourPrefix = "ROWCOLOR";
inline constexpr int kMaxRowColours = 8;  // a few bands; a gauge needs three or four

struct RowColour {
    std::int32_t count = 0;                        // 0: the row is in the HUD colour
    std::uint32_t rgb[kMaxRowColours] = {};        // 0xRRGGBB
    std::int32_t limits[kMaxRowColours - 1] = {};  // rgb[k] for a number below limits[k]

    // The colour of a row whose number is `value` (any, for a single colour).
    std::uint32_t colourFor(std::int64_t value) const {
        for (int k = 0; k + 1 < count; ++k) {
            if (value < limits[k]) return rgb[k];
        }
        return rgb[count - 1];
    }
    bool hasThresholds() const { return count > 1; }
};

// What is wrong with a written value, at which byte of it.
struct RowColourFault {
    enum Kind {
        kNone,
        kNotAColour,     // not six hexadecimal digits
        kNotALimit,      // no whole number after '<', or one out of 32 bits
        kNoLastColour,   // the last colour has a limit, or a ',' ends the value
        kTooManyColours  // more than kMaxRowColours
    };
    Kind kind = kNone;
    std::size_t at = 0;
};

// The colours of `text` into `out`; a value with a fault gives none (the HUD colour) and says
// which. Blanks around each colour and limit are allowed.
RowColourFault parseRowColour(std::string_view text, RowColour& out);

}  // namespace vantor

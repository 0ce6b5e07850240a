#include "pages/row_colour.h"

#include <cstdint>

namespace vantor {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A reading position over the value.
struct Cursor {
    std::string_view text;
    std::size_t at = 0;

    void skipBlanks() {
        while (at < text.size() && isBlank(text[at])) ++at;
    }
    bool take(char c) {
        skipBlanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool colour(std::uint32_t& rgb) {
        skipBlanks();
        if (text.size() - at < 6) return false;
        rgb = 0;
        for (int k = 0; k < 6; ++k) {
            const int digit = hexDigit(text[at + k]);
            if (digit < 0) return false;
            rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
        }
        at += 6;
        return true;
    }
    bool limit(std::int32_t& value) {
        skipBlanks();
        const bool negative = at < text.size() && text[at] == '-';
        std::size_t k = at + (negative ? 1 : 0);
        std::int64_t number = 0;
        const std::size_t first = k;
        for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
            number = number * 10 + (text[k] - '0');
            if (number > INT32_MAX) return false;
        }
        if (k == first) return false;
        value = static_cast<std::int32_t>(negative ? -number : number);
        at = k;
        return true;
    }
};

}  // namespace

RowColourFault parseRowColour(std::string_view text, RowColour& out) {
    out = RowColour{};
    RowColour read;
    Cursor in{text};
    for (;;) {
        if (!in.colour(read.rgb[read.count])) return {RowColourFault::kNotAColour, in.at};
        ++read.count;
        in.skipBlanks();
        if (in.at == text.size()) break;
        if (!in.take('<')) return {RowColourFault::kNotAColour, in.at};
        if (read.count == kMaxRowColours) return {RowColourFault::kTooManyColours, in.at};
        if (!in.limit(read.limits[read.count - 1])) return {RowColourFault::kNotALimit, in.at};
        if (!in.take(',')) return {RowColourFault::kNoLastColour, in.at};
        in.skipBlanks();
        if (in.at == text.size()) return {RowColourFault::kNoLastColour, in.at};
    }
    out = read;
    return {};
}

}  // namespace vantor

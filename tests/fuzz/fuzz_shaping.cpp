// Rows of random text, rich in direction controls, combining marks and letters of scripts that
// join, reorder or run right to left, through the HUD's row reading and the shaping stage: no
// crash, no undefined behaviour, a bounded run, and the same glyphs each time a row is shaped.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "pages/row_encoding.h"
#include "shaping/row_shaper.h"

namespace {

// Characters the algorithm and the engines treat apart: every direction control, marks, joiners,
// Arabic, Hebrew and Devanagari letters and signs, digits of both kinds.
constexpr char32_t kChosen[] = {0x200E, 0x200F, 0x061C, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E,
                                0x2066, 0x2067, 0x2068, 0x2069, 0x0300, 0x0301, 0x064B, 0x0651,
                                0x05B8, 0x093F, 0x094D, 0x0902, 0x200C, 0x200D, 0x0627, 0x0644,
                                0x0645, 0x0633, 0x05E9, 0x05DC, 0x0915, 0x0937, 0x0924, 0x0660,
                                0x06F1, 0x0031, 0x0020, 0x0028, 0x0029, 0x0041, 0x00E9, 0xFEFB};

vantor::RowShaper& shaper() {
    static vantor::RowShaper shaper;
    if (!shaper.opened() && !shaper.open(nullptr, "DejaVu Sans", 20)) std::abort();
    return shaper;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::string row;
    // Chosen characters, any character, and raw bytes, which the reader must take as they come.
    while (input.remaining_bytes() > 0 && row.size() < vantor::kLineSize - 8) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
            case 0:
            case 1:
                vantor::appendUtf8(kChosen[input.ConsumeIntegralInRange<std::size_t>(
                                       0, sizeof kChosen / sizeof kChosen[0] - 1)],
                                   row);
                break;
            case 2:
                vantor::appendUtf8(input.ConsumeIntegralInRange<char32_t>(1, 0x10FFFF), row);
                break;
            default:
                row += static_cast<char>(input.ConsumeIntegralInRange(1, 255));
        }
    }
    const vantor::platform::CodePageCharacters codePage = {};
    const vantor::RowEncoding encoding = vantor::detectEncoding(row.c_str());
    vantor::RowShaper::needed(row.c_str(), encoding, codePage);
    const vantor::ShapedRun first = shaper().shape(row.c_str(), encoding, codePage);
    if (first.count < 0 || first.count > vantor::RowShaper::kMaxGlyphs) std::abort();
    vantor::platform::ShapedGlyph glyphs[vantor::RowShaper::kMaxGlyphs];
    std::memcpy(glyphs, first.glyphs, sizeof glyphs[0] * static_cast<std::size_t>(first.count));
    const int width = first.notes.width;
    for (int g = 0; g < first.count; ++g) shaper().bitmap(glyphs[g].face, glyphs[g].index);
    const vantor::ShapedRun again = shaper().shape(row.c_str(), encoding, codePage);
    if (again.count != first.count || again.notes.width != width ||
        std::memcmp(glyphs, again.glyphs,
                    sizeof glyphs[0] * static_cast<std::size_t>(first.count)) != 0) {
        std::abort();
    }
    return 0;
}

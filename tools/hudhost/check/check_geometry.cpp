// Where the rows land in the overlay space at the configured position, step and font: a row
// whose baseline falls below the bottom edge is never drawn, and text past the right edge is cut.
// Widths come from the build's own glyph advances, with live values as wide as they usually are.
#include <cmath>

#include "known_names.h"
#include "layout.h"
#include "platform/platform.h"
#include "token_marks.h"
#include "tokens/token_table.h"

namespace hudhost::check {
namespace {

constexpr float kWidth = static_cast<float>(vantor::kOverlayWidth);
constexpr float kHeight = static_cast<float>(vantor::kOverlayHeight);
using vantor::platform::kFirstGlyph;
using vantor::platform::kGlyphCount;
// The longest camera name, which the HUD's value keeps until a camera is named.
constexpr const char* kWidestCamera = "Main Perspective";

struct Font {
    int advances[kGlyphCount];

    int width(const std::string& text) const {
        int sum = 0;
        for (char c : text) sum += advance(c);
        return sum;
    }
    int advance(char c) const {
        const int code = static_cast<unsigned char>(c);
        return code >= kFirstGlyph && code < kFirstGlyph + kGlyphCount
                   ? advances[code - kFirstGlyph]
                   : 0;
    }
};

// The font's advances. The installed fonts do not change while hudhost runs, and the font lookup
// is the dearest part of a check, so the last face and size looked up are kept.
bool advancesOf(const vantor::HudSettings& s, Font& font) {
    static std::string face;
    static int size = 0;
    static Font cached;
    static bool found = false;
    if (face != s.fontFace || size != s.fontSize || size == 0) {
        face = s.fontFace;
        size = s.fontSize;
        found = vantor::platform::glyphAdvances(s.fontFace, s.fontSize, cached.advances);
    }
    font = cached;
    return found;
}

// The token values of a frame now, through the HUD's own update, with the camera's named.
std::vector<std::string> sampleValues() {
    vantor::TokenTable table;
    vantor::HostWord camera = 0;
    vantor::updateTokenValues(table, camera,
                              {nullptr, nullptr, 0, 0, vantor::platform::calendarTime()});
    std::vector<std::string> values;
    for (int j = 0; j < vantor::kTokenCount; ++j) {
        values.emplace_back(j == vantor::kCameraNameToken ? kWidestCamera : table.values[j]);
    }
    return values;
}

std::string place(const vantor::HudSettings& s) {
    return "HUD_POS_X=" + std::to_string(std::lround(s.posX)) +
           ", FONT_SIZE=" + std::to_string(s.fontSize) + " and FONT_FACE=" + s.fontFace;
}

// The first byte of the row whose glyph ends past the right edge, and the row's drawn width.
void checkWidth(Layout& layout, const LoadedRow& row, const Font& font,
                const std::vector<std::string>& values) {
    const std::string text = row.text;
    const std::string marked = markTokens(row.text);
    const float room = kWidth - layout.settings.posX;
    int width = 0;
    int crossing = -1;
    for (std::size_t k = 0; k < text.size();) {
        const int token = replacedAt(marked, k);
        width += token >= 0 ? font.width(values[token]) : font.advance(text[k]);
        if (crossing < 0 && static_cast<float>(width) > room) crossing = static_cast<int>(k);
        k += token >= 0 ? tokenKeys()[token].size() : 1;
    }
    if (crossing < 0) return;
    layout.findings.add(Severity::Warning, row.entry->line, row.textColumn + crossing,
                        "the row runs off the right edge from here: at " + place(layout.settings) +
                            " it is " + std::to_string(width) + " pixels wide and " +
                            std::to_string(static_cast<int>(room)) + " fit (in a " +
                            std::to_string(vantor::kOverlayWidth) + " x " +
                            std::to_string(vantor::kOverlayHeight) +
                            " viewport, with live values as wide as a typical frame's); lower "
                            "HUD_POS_X or FONT_SIZE, or shorten the row");
}

// The first row of each page whose baseline lies below the bottom edge.
void checkBottom(Layout& layout) {
    const vantor::HudSettings& s = layout.settings;
    int lastPage = -1;
    for (const LoadedRow& row : layout.rows) {
        const float y = vantor::rowBaseline(s, row.index);
        if (row.page == lastPage || row.text[0] == '\0' || y >= 0.0f) continue;
        lastPage = row.page;
        const int fit = static_cast<int>(s.posY / s.stepY) + 1;
        layout.findings.add(
            Severity::Warning, row.entry->line, row.entry->column,
            "row " + std::to_string(row.index + 1) + " of page " + std::to_string(row.page + 1) +
                " and the rows after it fall below the bottom edge and are never drawn: at "
                "HUD_POS_Y=" +
                std::to_string(std::lround(s.posY)) +
                " and HUD_STEP_Y=" + std::to_string(std::lround(s.stepY)) +
                " a page has room for " + std::to_string(fit) + (fit == 1 ? " row" : " rows") +
                "; raise HUD_POS_Y or lower HUD_STEP_Y");
    }
}

}  // namespace

void checkGeometry(Layout& layout) {
    checkBottom(layout);
    const vantor::HudSettings& s = layout.settings;
    if (!layout.rows.empty() && s.posY + static_cast<float>(s.fontSize) > kHeight) {
        const LoadedRow& first = layout.rows.front();
        layout.findings.add(Severity::Note, first.entry->line, first.entry->column,
                            "the first row's tallest letters may be cut at the top edge: keep "
                            "HUD_POS_Y at most " +
                                std::to_string(vantor::kOverlayHeight) + " less FONT_SIZE");
    }
    Font font;
    if (!advancesOf(s, font)) {
        layout.findings.add(Severity::Note, 0, 0,
                            std::string("no font can be had for FONT_FACE=") + s.fontFace +
                                ": the widths of the rows are not checked");
        return;
    }
    const std::vector<std::string> values = sampleValues();
    for (const LoadedRow& row : layout.rows) {
        const float y = vantor::rowBaseline(s, row.index);
        if (row.text[0] != '\0' && y >= 0.0f) checkWidth(layout, row, font, values);
    }
}

}  // namespace hudhost::check

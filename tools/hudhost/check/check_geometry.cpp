// Where the rows land at the configured position, step and font, in the viewport checked for: the
// overlay space is stretched over it while the glyphs keep their window pixels, so a row whose
// baseline falls below the overlay's bottom edge is never drawn, and text past the right or top
// edge, or tails past the bottom edge, are cut; held to a corner, a row is cut at any edge it
// crosses. Widths and heights come from the build's own glyphs, with live values as wide as they
// usually are. Each finding names the value that mends it: the nearest HUD_POS_X, HUD_POS_Y or
// HUD_STEP_Y at which the HUD's own placement puts the row inside that edge.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "hud/drawn_width.h"
#include "known_names.h"
#include "layout.h"
#include "platform/platform.h"
#include "token_marks.h"
#include "tokens/token_table.h"

namespace hudhost::check {
namespace {

// The longest of the names the camera token gives.
const char* longestCameraName() {
    const char* longest = vantor::kOtherCameraName;
    for (const vantor::CameraName& camera : vantor::kCameraNames) {
        if (std::strlen(camera.name) > std::strlen(longest)) longest = camera.name;
    }
    return longest;
}

// The token values of a frame now, through the HUD's own update; the camera's, which the host
// decides, as long as it can be.
std::vector<std::string> sampleValues() {
    vantor::TokenTable table;
    vantor::HostWord camera = 0;
    vantor::updateTokenValues(table, camera,
                              {nullptr, nullptr, 0, 0, vantor::platform::calendarTime()});
    std::vector<std::string> values;
    for (int j = 0; j < vantor::kTokenCount; ++j) {
        values.emplace_back(j == vantor::kCameraNameToken ? longestCameraName() : table.values[j]);
    }
    return values;
}

// The font's advances as the HUD reads them back from its lists.
struct FontAdvances {
    explicit FontAdvances(const LayoutFont& font) {
        for (int k = 0; k < vantor::platform::kGlyphCount; ++k) {
            glyphs[vantor::platform::kFirstGlyph + k] = font.measure.advances[k];
        }
        for (const vantor::platform::CharacterMeasure& c : font.measure.characters) {
            characters.push_back(c.advance);
        }
    }
    vantor::ByteAdvances glyphs = {};
    std::vector<int> characters;  // those of the gathered characters, in their order
};

// The settings a check tries other values of, to tell the one that mends a finding.
constexpr const vantor::ConfigKey& kPosX = vantor::configKey("HUD_POS_X");
constexpr const vantor::ConfigKey& kPosY = vantor::configKey("HUD_POS_Y");
constexpr const vantor::ConfigKey& kStepY = vantor::configKey("HUD_STEP_Y");

// The value of `key` within its range nearest the layout's own at which `fits` holds of the
// placement, said as the change to make ("raise HUD_POS_Y to at least 20"); empty when none does.
// Each edge moves a row one way as a value grows, so the nearest is the bound of all that fit on
// that side.
template <typename Fits>
std::string nearestFit(const Placement& at, const vantor::ConfigKey& key, Fits fits) {
    const int own = static_cast<int>(std::lround(at.settings.*key.real));
    Placement moved = at;
    for (int away = 1; away <= key.high - key.low; ++away) {
        for (const int value : {own - away, own + away}) {
            if (value < key.low || value > key.high) continue;
            moved.settings.*key.real = static_cast<float>(value);
            if (!fits(moved)) continue;
            return std::string(value > own ? "raise " : "lower ") + key.name +
                   (value > own ? " to at least " : " to at most ") + std::to_string(value);
        }
    }
    return {};
}

// The changes of HUD_POS_Y, then HUD_STEP_Y, that each make `fits` hold, "A or B"; `otherwise`
// when neither can.
template <typename Fits>
std::string verticalAdvice(const Placement& at, Fits fits, const char* otherwise) {
    const std::string byPosition = nearestFit(at, kPosY, fits);
    const std::string byStep = nearestFit(at, kStepY, fits);
    if (byPosition.empty()) return byStep.empty() ? otherwise : byStep;
    return byStep.empty() ? byPosition : byPosition + " or " + byStep;
}

std::string rowName(const LoadedRow& row) {
    return "row " + std::to_string(row.index + 1) + " of page " + std::to_string(row.page + 1);
}

std::string place(const vantor::HudSettings& s) {
    return "HUD_POS_X=" + std::to_string(std::lround(s.posX)) +
           ", FONT_SIZE=" + std::to_string(s.fontSize) + " and FONT_FACE=" + s.fontFace;
}

// A shaped row's width, its tokens given `values`, laid out by the HUD's engine; a row wider than
// `room` crosses it from its first byte, as its glyphs no longer follow its bytes.
int shapedWidth(const Layout& layout, const LoadedRow& row, const std::vector<std::string>& values,
                float room, int& crossing) {
    vantor::RowShaper* shaper = shaperOf(layout.settings);
    if (shaper == nullptr) return 0;
    const std::string marked = markTokens(row.text);
    std::string text;
    for (std::size_t k = 0; k < marked.size();) {
        const int token = replacedAt(marked, k);
        if (token >= 0) {
            text += values[token];
            k += tokenKeys()[token].size();
        } else {
            text += row.text[k++];
        }
    }
    const int width = shaper->shape(text.c_str(), row.encoding, layout.codePage).notes.width;
    crossing = static_cast<float>(width) > room ? 0 : -1;
    return width;
}

// The row's drawn width, its tokens given `values`, and the first byte of it whose glyph ends past
// `room` (-1 for none): each character as the HUD reads and draws it.
int rowWidth(const Layout& layout, const LoadedRow& row, const FontAdvances& font,
             const std::vector<std::string>& values, float room, int& crossing) {
    if (vantor::RowShaper::needed(row.text, row.encoding, layout.codePage)) {
        return shapedWidth(layout, row, values, room, crossing);
    }
    const vantor::DrawnAdvances advances{font.glyphs, layout.characters, font.characters.data()};
    const std::string marked = markTokens(row.text);
    int width = 0;
    crossing = -1;
    for (std::size_t k = 0; k < marked.size();) {
        const int token = replacedAt(marked, k);
        const char* text = row.text + k;
        if (token >= 0) {
            width +=
                vantor::drawnWidth(values[token].c_str(), row.encoding, layout.codePage, advances);
            text += tokenKeys()[token].size();
        } else {
            const char32_t c = vantor::nextCharacter(text, row.encoding, layout.codePage);
            width += vantor::drawnAdvance(c, advances);
        }
        if (crossing < 0 && static_cast<float>(width) > room) crossing = static_cast<int>(k);
        k = static_cast<std::size_t>(text - row.text);
    }
    return width;
}

// The first byte of the row whose glyph ends past the right edge, and the row's drawn width: the
// row starts at HUD_POS_X stretched over the viewport, in glyphs of window pixels.
void checkWidth(const Layout& layout, const LoadedRow& row, const FontAdvances& font,
                const std::vector<std::string>& values, Findings& findings) {
    const vantor::WindowPoint start = vantor::stretchedPoint(
        layout.settings.posX, vantor::rowBaseline(layout.settings, row.index), layout.viewWidth,
        layout.viewHeight);
    const auto room = static_cast<float>(layout.viewWidth - start.x);
    int crossing = -1;
    const int width = rowWidth(layout, row, font, values, room, crossing);
    if (crossing < 0) return;
    const std::string byPosition =
        nearestFit(placementOf(layout, row.page), kPosX, [&](const Placement& at) {
            const double x = vantor::stretchedPoint(at.settings.posX, 0.0, at.width, at.height).x;
            return static_cast<float>(width) <= static_cast<float>(at.width - x);
        });
    findings.add(
        Kind::RowPastRightEdge, Severity::Warning, row.entry->line, columnOf(row, crossing),
        "the row runs off the right edge from here: at " + place(layout.settings) + " it is " +
            std::to_string(width) + " pixels wide and " + std::to_string(static_cast<int>(room)) +
            " fit (in a " + sizeText(layout.viewWidth, layout.viewHeight) +
            " viewport, with live values as wide as a typical frame's); " +
            (byPosition.empty() ? "lower FONT_SIZE" : byPosition + ", lower FONT_SIZE") +
            " or shorten the row");
}

// The window row a baseline at `y` of the overlay space stands on in a viewport `height` high.
int stretchedRow(float y, int height) {
    return static_cast<int>(std::floor(vantor::stretchedPoint(0.0, y, 1, height).y));
}

// The first drawn row whose letters, `tall` pixels from the baseline up, reach past the top edge;
// each row stands lower than the one before, so it is the first drawn row of a page. A font
// measured (`known`) makes it a warning; FONT_SIZE alone only bounds the letters, a note.
void checkTop(const Layout& layout, int tall, bool known, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    const int height = layout.viewHeight;
    for (const LoadedRow& row : layout.rows) {
        const float y = vantor::rowBaseline(s, row.index);
        if (row.text[0] == '\0' || y < 0.0f || stretchedRow(y, height) + tall <= height) continue;
        // The highest HUD_POS_Y that keeps them whole in this viewport.
        const float below = s.posY - y;
        int most = vantor::kOverlayHeight;
        while (most > 0 && stretchedRow(static_cast<float>(most) - below, height) + tall > height)
            --most;
        const std::string advice =
            most > 0 ? "keep HUD_POS_Y at most " + std::to_string(most) : "lower FONT_SIZE";
        const std::string where =
            " at the top edge of a " + sizeText(layout.viewWidth, height) + " viewport";
        findings.add(Kind::RowCutAtTop, known ? Severity::Warning : Severity::Note, row.entry->line,
                     row.entry->column,
                     known ? "the letters of " + rowName(row) + " are cut" + where +
                                 ": at FONT_SIZE=" + std::to_string(s.fontSize) +
                                 " and FONT_FACE=" + s.fontFace + " they reach " +
                                 std::to_string(tall) + " pixels above the baseline; " + advice
                           : "the tallest letters of " + rowName(row) + " may be cut" + where +
                                 ", as they may reach FONT_SIZE pixels above the baseline; " +
                                 advice);
        return;
    }
}

// How far the font's letters reach below their baseline; none known without a font.
int tailsOf(const Layout& layout) {
    return layout.font != nullptr ? layout.font->measure.descent : 0;
}

// The last row of page `page` that holds text.
int lowestRow(const Layout& layout, int page) {
    int lowest = 0;
    for (const LoadedRow& row : layout.rows) {
        if (row.page == page && row.text[0] != '\0') lowest = std::max(lowest, row.index);
    }
    return lowest;
}

// The change that lifts row `index` until the HUD draws it with its tails whole above the bottom
// edge.
std::string liftAdvice(const Layout& layout, const Placement& at, int index) {
    const int below = tailsOf(layout);
    return verticalAdvice(
        at,
        [&](const Placement& moved) {
            return drawnAt(moved, index) && baselineRow(moved, index) >= below;
        },
        "give the page fewer rows");
}

// "a 640 x 480 viewport", and the corner the rows are held to.
std::string viewportText(const Layout& layout) {
    const std::string size = sizeText(layout.viewWidth, layout.viewHeight) + " viewport";
    if (layout.settings.anchor == vantor::kStretched) return size;
    return size + ", held to its " + vantor::kCornerNames[layout.settings.anchor] + " corner";
}

// The first row of each page whose baseline lies below the bottom edge.
void checkBottom(const Layout& layout, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    int lastPage = -1;
    for (const LoadedRow& row : layout.rows) {
        const float y = vantor::rowBaseline(s, row.index);
        if (row.page == lastPage || row.text[0] == '\0' || y >= 0.0f) continue;
        lastPage = row.page;
        const int fit = static_cast<int>(s.posY / s.stepY) + 1;
        findings.add(
            Kind::RowsBelowBottomEdge, Severity::Warning, row.entry->line, row.entry->column,
            rowName(row) +
                " and the rows after it fall below the bottom edge and are never drawn: at "
                "HUD_POS_Y=" +
                std::to_string(std::lround(s.posY)) + " and HUD_STEP_Y=" +
                std::to_string(std::lround(s.stepY)) + " a page has room for " +
                std::to_string(fit) + (fit == 1 ? " row" : " rows") + "; " +
                liftAdvice(layout, placementOf(layout, row.page), lowestRow(layout, row.page)));
    }
}

// A drawn row whose baseline stands `baseline` rows above the bottom edge, fewer than its letters'
// tails reach below it.
void tellTailsCut(const Layout& layout, const LoadedRow& row, int baseline, Findings& findings) {
    const int below = tailsOf(layout);
    findings.add(
        Kind::DescendersCut, Severity::Warning, row.entry->line, row.entry->column,
        "the tails of letters such as g and y in " + rowName(row) +
            " are cut at the bottom edge of a " + viewportText(layout) +
            ": at FONT_SIZE=" + std::to_string(layout.settings.fontSize) +
            " and FONT_FACE=" + layout.settings.fontFace + " they reach " + std::to_string(below) +
            " pixels below the baseline, which stands " +
            (baseline == 0 ? std::string("on the edge") : std::to_string(baseline) + " above it") +
            "; " + liftAdvice(layout, placementOf(layout, row.page), row.index));
}

// The first drawn row of each stretched page whose tails the bottom edge cuts.
void checkTails(const Layout& layout, Findings& findings) {
    int lastPage = -1;
    for (const LoadedRow& row : layout.rows) {
        if (row.page == lastPage || row.text[0] == '\0') continue;
        const Placement at = placementOf(layout, row.page);
        const int baseline = baselineRow(at, row.index);
        if (!drawnAt(at, row.index) || baseline >= tailsOf(layout)) continue;
        lastPage = row.page;
        tellTailsCut(layout, row, baseline, findings);
    }
}

// Positions left at their defaults put the rows 450 pixels from a side: meant for the overlay
// space's 640, rarely for a corner.
void checkCornerPosition(const Layout& layout, Findings& findings) {
    std::string keys;
    std::string values;
    static constexpr const vantor::ConfigKey* kPositions[] = {&kPosX, &kPosY};
    for (const vantor::ConfigKey* config : kPositions) {
        if (static_cast<std::int32_t>(layout.settings.*config->real) != config->fallback) continue;
        keys += (keys.empty() ? "" : " and ") + std::string(config->name);
        values += (values.empty() ? "" : " and ") + std::to_string(config->fallback);
    }
    const bool both = keys.find(" and ") != std::string::npos;
    if (keys.empty()) return;
    const Entry* anchor = configEntry(layout.text, "HUD_ANCHOR");
    findings.add(Kind::AnchorPositionAtDefaults, Severity::Warning,
                 anchor != nullptr ? anchor->line : 0, anchor != nullptr ? anchor->column : 0,
                 "HUD_ANCHOR=" + std::to_string(layout.settings.anchor) +
                     " holds the rows to the " + vantor::kCornerNames[layout.settings.anchor] +
                     " corner, with " + keys +
                     (both ? " at their defaults, " : " at its default, ") + values +
                     " pixels in from it; set HUD_POS_X and HUD_POS_Y with HUD_ANCHOR");
}

// The edges of a viewport `width` x `height` that a row's box crosses, as "left and top".
std::string edgesCrossed(float left, float right, float bottom, float top, int width, int height,
                         bool& across, bool& upright) {
    std::string crossed;
    auto add = [&](bool crosses, const char* edge) {
        if (crosses) crossed += (crossed.empty() ? "" : " and ") + std::string(edge);
    };
    add(left < 0.0f, "left");
    add(right > static_cast<float>(width), "right");
    across = !crossed.empty();
    add(top > static_cast<float>(height), "top");
    add(bottom < 0.0f, "bottom");
    upright = top > static_cast<float>(height) || bottom < 0.0f;
    return crossed;
}

// For each edge a row `textWidth` wide crosses, the change that brings it back inside: the
// nearest HUD_POS_X, HUD_POS_Y or HUD_STEP_Y at which the HUD places it within that edge, the
// letters `tall` pixels high and their tails whole.
std::string cornerAdvice(const Layout& layout, const LoadedRow& row, const Placement& at,
                         int textWidth, int tall, float left, float right, float top,
                         float bottom) {
    const auto origin = [&](const Placement& moved) {
        return vantor::anchoredOrigin(moved.settings, row.index, moved.rows, textWidth, moved.width,
                                      moved.height);
    };
    std::string advice;
    const auto add = [&](const std::string& more) {
        advice += (advice.empty() ? "" : "; ") + more;
    };
    if (left < 0.0f || right > static_cast<float>(at.width)) {
        const std::string byPosition = nearestFit(at, kPosX, [&](const Placement& moved) {
            const float x = origin(moved).x;
            return x >= 0.0f && x + static_cast<float>(textWidth) <= static_cast<float>(at.width);
        });
        add((byPosition.empty() ? "" : byPosition + ", ") + "lower FONT_SIZE or shorten the row");
    }
    if (top > static_cast<float>(at.height)) {
        add(verticalAdvice(
            at,
            [&](const Placement& moved) {
                return origin(moved).y + static_cast<float>(tall) <= static_cast<float>(at.height);
            },
            "lower FONT_SIZE"));
    }
    if (bottom < 0.0f) add(liftAdvice(layout, at, row.index));
    return advice;
}

// Each row of an anchored page that crosses an edge of the viewport, or lies wholly outside it,
// and the first of a page whose tails alone the bottom edge cuts.
void checkCorner(const Layout& layout, const LayoutFont* font,
                 const std::vector<std::string>& values, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    const int width = layout.viewWidth;
    const int height = layout.viewHeight;
    const std::optional<FontAdvances> advances =
        font != nullptr ? std::optional<FontAdvances>(*font) : std::nullopt;
    // The letters' height above the baseline: the font's own, or at most FONT_SIZE.
    const int tall = font != nullptr ? font->measure.ascent : s.fontSize;
    int tailsTold = -1;  // the last page told of
    for (const LoadedRow& row : layout.rows) {
        if (row.text[0] == '\0') continue;
        const Placement at = placementOf(layout, row.page);
        int crossing = -1;
        const int textWidth =
            advances ? rowWidth(layout, row, *advances, values, 0.0f, crossing) : 0;
        const vantor::RowOrigin origin =
            vantor::anchoredOrigin(s, row.index, at.rows, textWidth, width, height);
        const float right = origin.x + static_cast<float>(textWidth);
        const float top = origin.y + static_cast<float>(tall);
        bool across = false;
        bool upright = false;
        const std::string crossed =
            edgesCrossed(origin.x, right, origin.y, top, width, height, across, upright);
        const int baseline = baselineRow(at, row.index);
        if (!upright && baseline < tailsOf(layout) && tailsTold != row.page) {
            tailsTold = row.page;
            tellTailsCut(layout, row, baseline, findings);
        }
        if (crossed.empty()) continue;
        const bool outside = right <= 0.0f || origin.x >= static_cast<float>(width) ||
                             top <= 0.0f || origin.y >= static_cast<float>(height);
        findings.add(
            Kind::AnchoredRowCut, Severity::Warning, row.entry->line, row.entry->column,
            rowName(row) + (outside ? " lies wholly beyond the " : " is cut at the ") + crossed +
                " edge of a " + viewportText(layout) +
                (outside  ? ", and is never seen; "
                 : across ? " (live values as wide as a typical frame's); "
                          : "; ") +
                cornerAdvice(layout, row, at, textWidth, tall, origin.x, right, top, origin.y));
    }
}

// A FONT_FACE the system has no face of is drawn in another; a stand-in made to its metrics is no
// news.
void checkFace(const Layout& layout, const vantor::platform::FontMeasure& font,
               Findings& findings) {
    if (font.substitute.empty()) return;
    const Entry* face = configEntry(layout.text, "FONT_FACE");
    findings.add(Kind::FontSubstituted, Severity::Note, face != nullptr ? face->line : 0,
                 face != nullptr ? face->valueColumn : 0,
                 std::string("FONT_FACE=") + layout.settings.fontFace + " is drawn as " +
                     font.substitute +
                     ": this system has no face of that name; check its spelling");
}

}  // namespace

Placement placementOf(const Layout& layout, int page) {
    layout.store.selectPage(page);
    return {layout.settings, layout.viewWidth, layout.viewHeight, layout.store.getRowCount()};
}

bool drawnAt(const Placement& at, int index) {
    return at.settings.anchor != vantor::kStretched ||
           vantor::rowBaseline(at.settings, index) >= 0.0f;
}

int baselineRow(const Placement& at, int index) {
    if (at.settings.anchor == vantor::kStretched) {
        return stretchedRow(vantor::rowBaseline(at.settings, index), at.height);
    }
    // Held to a corner, the HUD moves its raster position by whole pixels.
    const vantor::RowOrigin origin =
        vantor::anchoredOrigin(at.settings, index, at.rows, 0, at.width, at.height);
    return static_cast<int>(std::lround(origin.y));
}

void checkGeometry(const Layout& layout, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    const LayoutFont* font = layout.font;
    if (font != nullptr) checkFace(layout, font->measure, findings);
    if (s.anchor != vantor::kStretched) {
        checkCornerPosition(layout, findings);
        checkCorner(layout, font, sampleValues(), findings);
        return;
    }
    checkBottom(layout, findings);
    checkTop(layout, font != nullptr ? font->measure.ascent : s.fontSize, font != nullptr,
             findings);
    if (font == nullptr) {
        findings.add(Kind::NoFont, Severity::Note, 0, 0,
                     std::string("no font can be had for FONT_FACE=") + s.fontFace +
                         ": the widths of the rows are not checked");
        return;
    }
    checkTails(layout, findings);
    const std::vector<std::string> values = sampleValues();
    const FontAdvances advances(*font);
    for (const LoadedRow& row : layout.rows) {
        const float y = vantor::rowBaseline(s, row.index);
        if (row.text[0] != '\0' && y >= 0.0f) checkWidth(layout, row, advances, values, findings);
    }
}

}  // namespace hudhost::check

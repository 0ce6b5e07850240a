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

#include "check/known_names.h"
#include "check/layout.h"
#include "check/token_marks.h"
#include "layout/drawn_width.h"
#include "layout/placement.h"
#include "platform/platform.h"

namespace hudhost::check {
namespace {

// The settings a check tries other values of, to tell the one that mends a finding.
constexpr const vantor::ConfigKey& kPosX = vantor::configKey("HUD_POS_X");
constexpr const vantor::ConfigKey& kPosY = vantor::configKey("HUD_POS_Y");
constexpr const vantor::ConfigKey& kStepY = vantor::configKey("HUD_STEP_Y");

// The value of `key` within its range nearest the layout's own at which `fits` holds of the
// placement, said as the change to make ("raise HUD_POS_Y to at least 20"); empty when none does.
// Each edge moves a row one way as a value grows, so the nearest is the bound of all that fit on
// that side.
template <typename Fits>
std::string nearestFit(const Trial& at, const vantor::ConfigKey& key, Fits fits) {
    const int own = static_cast<int>(std::lround(at.settings.*key.real));
    Trial moved = at;
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

// The changes of HUD_POS_Y, then HUD_STEP_Y, that each make `fits` hold and leave the layout clean,
// "A or B"; `otherwise` when neither can, said after the values that mend this row alone.
template <typename Fits>
std::string verticalAdvice(const Layout& layout, const Trial& at, Fits fits,
                           const char* otherwise) {
    const auto clean = [&](const Trial& moved) { return fits(moved) && endsClean(layout, moved); };
    const std::string byPosition = nearestFit(at, kPosY, clean);
    const std::string byStep = nearestFit(at, kStepY, clean);
    if (!byPosition.empty()) return byStep.empty() ? byPosition : byPosition + " or " + byStep;
    if (!byStep.empty()) return byStep;
    if (nearestFit(at, kPosY, fits).empty() && nearestFit(at, kStepY, fits).empty()) {
        return otherwise;
    }
    return "no HUD_POS_Y or HUD_STEP_Y mends it and keeps every row whole and apart at FONT_SIZE=" +
           std::to_string(at.settings.fontSize) + "; " + otherwise;
}

std::string rowName(const LoadedRow& row) {
    return "row " + std::to_string(row.index + 1) + " of page " + std::to_string(row.page + 1);
}

std::string place(const vantor::HudSettings& s) {
    return "HUD_POS_X=" + std::to_string(std::lround(s.posX)) +
           ", FONT_SIZE=" + std::to_string(s.fontSize) + " and FONT_FACE=" + s.fontFace;
}

// The first byte of the row whose glyph ends past `room` (-1 for none): each character as the HUD
// reads and draws it, its tokens given the layout's values.
int crossingAt(const Layout& layout, const LoadedRow& row, float room) {
    const std::string marked = markTokens(row.text);
    int width = 0;
    for (std::size_t k = 0; k < marked.size();) {
        const int token = replacedAt(marked, k);
        const char* text = row.text + k;
        if (token >= 0) {
            width += vantor::drawnWidth(layout.values.values[token], row.encoding, layout.codePage,
                                        layout.advances);
            text += tokenKeys()[token].size();
        } else {
            const char32_t c = vantor::nextCharacter(text, row.encoding, layout.codePage);
            width += vantor::drawnAdvance(c, layout.advances);
        }
        if (static_cast<float>(width) > room) return static_cast<int>(k);
        k = static_cast<std::size_t>(text - row.text);
    }
    return -1;
}

// The first byte of the row whose glyph ends past the right edge, and the row's drawn width: the
// row starts at HUD_POS_X stretched over the viewport, in glyphs of window pixels.
void checkWidth(const Layout& layout, const LoadedRow& row, const vantor::LaidRow& laid,
                Findings& findings) {
    const vantor::WindowPoint start =
        vantor::stretchedPoint(laid.x, laid.y, layout.viewWidth, layout.viewHeight);
    const auto room = static_cast<float>(layout.viewWidth - start.x);
    // A shaped row's glyphs no longer follow its bytes: past the edge, it crosses from the start.
    const bool shaped = laid.shaped != 0;
    const int crossing =
        shaped ? (static_cast<float>(laid.width) > room ? 0 : -1) : crossingAt(layout, row, room);
    if (crossing < 0) return;
    const int width = laid.width;
    const std::string byPosition = nearestFit(ownTrial(layout), kPosX, [&](const Trial& at) {
        const double x = vantor::stretchedPoint(at.settings.posX, 0.0, at.width, at.height).x;
        return static_cast<float>(width) <= static_cast<float>(at.width - x);
    });
    findings.add(
        FindingKind::RowPastRightEdge, Severity::Warning, row.entry->line, columnOf(row, crossing),
        "the row runs off the right edge from here: at " + place(layout.settings) + " it is " +
            std::to_string(width) + " pixels wide and " + std::to_string(static_cast<int>(room)) +
            " fit (in a " + sizeText(layout.viewWidth, layout.viewHeight) +
            " viewport, with live values as wide as a typical frame's); " +
            (byPosition.empty() ? "lower FONT_SIZE" : byPosition + ", lower FONT_SIZE") +
            " or shorten the row");
}

// The first drawn row whose letters, `tall` pixels from the baseline up, reach past the top edge;
// each row stands lower than the one before, so it is the first drawn row of a page. A font
// measured (`known`) makes it a warning; FONT_SIZE alone only bounds the letters, a note.
void checkTop(const Layout& layout, int tall, bool known, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    const int height = layout.viewHeight;
    for (const LoadedRow& row : layout.rows) {
        const vantor::LaidRow laid = laidRow(layout, row, ownTrial(layout));
        if (!laid.drawn || laid.baseline + tall <= height) continue;
        // The highest HUD_POS_Y that keeps them whole in this viewport.
        Trial moved = ownTrial(layout);
        int most = vantor::kOverlayHeight;
        for (; most > 0; --most) {
            moved.settings.posY = static_cast<float>(most);
            if (laidRow(layout, row, moved).baseline + tall <= height && endsClean(layout, moved)) {
                break;
            }
        }
        const std::string advice =
            most > 0 ? "keep HUD_POS_Y at most " + std::to_string(most) : "lower FONT_SIZE";
        const std::string where =
            " at the top edge of a " + sizeText(layout.viewWidth, height) + " viewport";
        findings.add(FindingKind::RowCutAtTop, known ? Severity::Warning : Severity::Note,
                     row.entry->line, row.entry->column,
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
std::string liftAdvice(const Layout& layout, const Trial& at, int page, int index) {
    const int below = tailsOf(layout);
    return verticalAdvice(
        layout, at,
        [&](const Trial& moved) {
            const vantor::LaidRow laid = laidRow(layout, page, index, moved);
            return laid.drawn && laid.baseline >= below;
        },
        "give the page fewer rows");
}

// "a 640 x 480 viewport", and the corner the rows are held to.
std::string viewportText(const Layout& layout) {
    const std::string size = sizeText(layout.viewWidth, layout.viewHeight) + " viewport";
    if (layout.settings.anchor == vantor::kStretched) return size;
    return size + ", held to its " + kCornerNames[layout.settings.anchor];
}

// The first row of each page whose baseline lies below the bottom edge.
void checkBottom(const Layout& layout, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    int lastPage = -1;
    for (const LoadedRow& row : layout.rows) {
        if (row.page == lastPage || row.text[0] == '\0') continue;
        if (laidRow(layout, row, ownTrial(layout)).drawn) continue;
        lastPage = row.page;
        const int fit = static_cast<int>(s.posY / s.stepY) + 1;
        findings.add(
            FindingKind::RowsBelowBottomEdge, Severity::Warning, row.entry->line, row.entry->column,
            rowName(row) +
                " and the rows after it fall below the bottom edge and are never drawn: at "
                "HUD_POS_Y=" +
                std::to_string(std::lround(s.posY)) +
                " and HUD_STEP_Y=" + std::to_string(std::lround(s.stepY)) +
                " a page has room for " + std::to_string(fit) + (fit == 1 ? " row" : " rows") +
                "; " + liftAdvice(layout, ownTrial(layout), row.page, lowestRow(layout, row.page)));
    }
}

// A drawn row whose baseline stands `baseline` rows above the bottom edge, fewer than its letters'
// tails reach below it.
void tellTailsCut(const Layout& layout, const LoadedRow& row, int baseline, Findings& findings) {
    const int below = tailsOf(layout);
    findings.add(
        FindingKind::DescendersCut, Severity::Warning, row.entry->line, row.entry->column,
        "the tails of letters such as g and y in " + rowName(row) +
            " are cut at the bottom edge of a " + viewportText(layout) +
            ": at FONT_SIZE=" + std::to_string(layout.settings.fontSize) +
            " and FONT_FACE=" + layout.settings.fontFace + " they reach " + std::to_string(below) +
            " pixels below the baseline, which stands " +
            (baseline == 0 ? std::string("on the edge") : std::to_string(baseline) + " above it") +
            "; " + liftAdvice(layout, ownTrial(layout), row.page, row.index));
}

// The first drawn row of each stretched page whose tails the bottom edge cuts.
void checkTails(const Layout& layout, Findings& findings) {
    int lastPage = -1;
    for (const LoadedRow& row : layout.rows) {
        if (row.page == lastPage || row.text[0] == '\0') continue;
        const vantor::LaidRow laid = laidRow(layout, row, ownTrial(layout));
        if (!laid.drawn || laid.baseline >= tailsOf(layout)) continue;
        lastPage = row.page;
        tellTailsCut(layout, row, laid.baseline, findings);
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
    const std::int32_t a = layout.settings.anchor;
    if (a == vantor::kTopCentre || a == vantor::kBottomCentre) {
        if (static_cast<std::int32_t>(layout.settings.posX) != kPosX.fallback) return;
        findings.add(FindingKind::AnchorPositionAtDefaults, Severity::Warning,
                     anchor != nullptr ? anchor->line : 0, anchor != nullptr ? anchor->column : 0,
                     "HUD_ANCHOR=" + std::to_string(a) + " centres the rows at the " +
                         kCornerNames[a] + ", but with HUD_POS_X at its default, " +
                         std::to_string(kPosX.fallback) + ", their middle stands " +
                         std::to_string(kPosX.fallback - vantor::kCentredPosX) +
                         " pixels right of the viewport's; set HUD_POS_X=" +
                         std::to_string(vantor::kCentredPosX) + " to centre them");
        return;
    }
    findings.add(FindingKind::AnchorPositionAtDefaults, Severity::Warning,
                 anchor != nullptr ? anchor->line : 0, anchor != nullptr ? anchor->column : 0,
                 "HUD_ANCHOR=" + std::to_string(layout.settings.anchor) +
                     " holds the rows to the " + kCornerNames[layout.settings.anchor] + ", with " +
                     keys + (both ? " at their defaults, " : " at its default, ") + values +
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

// For each edge the laid-out row crosses, the change that brings it back inside: the nearest
// HUD_POS_X, HUD_POS_Y or HUD_STEP_Y at which the HUD places it within that edge, the letters
// `tall` pixels high and their tails whole.
std::string cornerAdvice(const Layout& layout, const LoadedRow& row, const vantor::LaidRow& laid,
                         int tall) {
    const Trial at = ownTrial(layout);
    const auto origin = [&](const Trial& moved) { return laidRow(layout, row, moved); };
    const float right = laid.x + static_cast<float>(laid.width);
    const float top = laid.y + static_cast<float>(tall);
    std::string advice;
    const auto add = [&](const std::string& more) {
        advice += (advice.empty() ? "" : "; ") + more;
    };
    if (laid.x < 0.0f || right > static_cast<float>(at.width)) {
        const std::string byPosition = nearestFit(at, kPosX, [&](const Trial& moved) {
            const float x = origin(moved).x;
            return x >= 0.0f && x + static_cast<float>(laid.width) <= static_cast<float>(at.width);
        });
        add((byPosition.empty() ? "" : byPosition + ", ") + "lower FONT_SIZE or shorten the row");
    }
    if (top > static_cast<float>(at.height)) {
        add(verticalAdvice(
            layout, at,
            [&](const Trial& moved) {
                return origin(moved).y + static_cast<float>(tall) <= static_cast<float>(at.height);
            },
            "lower FONT_SIZE"));
    }
    if (laid.y < 0.0f) add(liftAdvice(layout, at, row.page, row.index));
    return advice;
}

// Each row of an anchored page that crosses an edge of the viewport, or lies wholly outside it,
// and the first of a page whose tails alone the bottom edge cuts.
void checkCorner(const Layout& layout, Findings& findings) {
    const int width = layout.viewWidth;
    const int height = layout.viewHeight;
    // The letters' height above the baseline: the font's own, or at most FONT_SIZE.
    const int tall =
        layout.font != nullptr ? layout.font->measure.ascent : layout.settings.fontSize;
    int tailsTold = -1;  // the last page told of
    for (const LoadedRow& row : layout.rows) {
        if (row.text[0] == '\0') continue;
        const vantor::LaidRow laid = laidRow(layout, row, ownTrial(layout));
        const float right = laid.x + static_cast<float>(laid.width);
        const float top = laid.y + static_cast<float>(tall);
        bool across = false;
        bool upright = false;
        const std::string crossed =
            edgesCrossed(laid.x, right, laid.y, top, width, height, across, upright);
        if (!upright && laid.baseline < tailsOf(layout) && tailsTold != row.page) {
            tailsTold = row.page;
            tellTailsCut(layout, row, laid.baseline, findings);
        }
        if (crossed.empty()) continue;
        const bool outside = right <= 0.0f || laid.x >= static_cast<float>(width) || top <= 0.0f ||
                             laid.y >= static_cast<float>(height);
        findings.add(FindingKind::AnchoredRowCut, Severity::Warning, row.entry->line,
                     row.entry->column,
                     rowName(row) + (outside ? " lies wholly beyond the " : " is cut at the ") +
                         crossed + " edge of a " + viewportText(layout) +
                         (outside  ? ", and is never seen; "
                          : across ? " (live values as wide as a typical frame's); "
                                   : "; ") +
                         cornerAdvice(layout, row, laid, tall));
    }
}

// A FONT_FACE the system has no face of is drawn in another; a stand-in made to its metrics is no
// news.
void checkFace(const Layout& layout, const vantor::platform::FontMeasure& font,
               Findings& findings) {
    if (font.substitute.empty()) return;
    const Entry* face = configEntry(layout.text, "FONT_FACE");
    findings.add(FindingKind::FontSubstituted, Severity::Note, face != nullptr ? face->line : 0,
                 face != nullptr ? face->valueColumn : 0,
                 std::string("FONT_FACE=") + layout.settings.fontFace + " is drawn as " +
                     font.substitute +
                     ": this system has no face of that name; check its spelling");
}

}  // namespace

void checkGeometry(const Layout& layout, Findings& findings) {
    const vantor::HudSettings& s = layout.settings;
    const LayoutFont* font = layout.font;
    if (font != nullptr) checkFace(layout, font->measure, findings);
    if (s.anchor != vantor::kStretched) {
        checkCornerPosition(layout, findings);
        checkCorner(layout, findings);
        return;
    }
    checkBottom(layout, findings);
    checkTop(layout, font != nullptr ? font->measure.ascent : s.fontSize, font != nullptr,
             findings);
    if (font == nullptr) {
        findings.add(FindingKind::NoFont, Severity::Note, 0, 0,
                     std::string("no font can be had for FONT_FACE=") + s.fontFace +
                         ": the widths of the rows are not checked");
        return;
    }
    checkTails(layout, findings);
    for (const LoadedRow& row : layout.rows) {
        const vantor::LaidRow laid = laidRow(layout, row, ownTrial(layout));
        if (laid.drawn) checkWidth(layout, row, laid, findings);
    }
}

}  // namespace hudhost::check

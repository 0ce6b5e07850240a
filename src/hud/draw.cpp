// The drawing pass, in phases: save the host's state, set up the overlay, draw the page, restore.
// The GL calls keep the order hosts have always seen, which is why the restore is not a mirror of
// the save: depth testing and lighting come back before the matrices do.
#include <GL/gl.h>

#include <cstring>

#include "hud/hud_plugin.h"

namespace vantor {
namespace {

// What the pass saves of the host's state by hand; the matrices are pushed.
struct SavedState {
    GLboolean lighting;
};

SavedState saveHostState() {
    const SavedState saved{glIsEnabled(GL_LIGHTING)};
    glDisable(GL_LIGHTING);
    return saved;
}

// A space of width x height over whatever viewport the host has, drawn in the HUD colour.
void setUpOverlay(const HudSettings& settings, int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glColor3f(settings.red, settings.green, settings.blue);
}

// Depth testing ends enabled and the projection matrix selected whatever the host had (the
// contract in hud_plugin.h); lighting and both matrices go back as they were. A pass that set up
// no overlay gives back only the lighting.
void restoreHostState(const SavedState& saved, bool overlaid) {
    if (overlaid) glEnable(GL_DEPTH_TEST);
    if (saved.lighting) glEnable(GL_LIGHTING);
    if (!overlaid) return;
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}

// Shaped rows laid out as the HUD draws them: each composed into its row list when its text
// changed, and found there otherwise.
class ComposedShaping final : public RowShaping {
public:
    ComposedShaping(RowCache& cache, RowShaper& shaper,
                    const platform::CodePageCharacters& codePage)
        : cache_(cache), shaper_(shaper), codePage_(codePage) {}

    Shaped shape(int index, const char* text, RowEncoding encoding) override {
        unsigned int list = cache_.find(index, text);
        if (list == 0) {
            list = cache_.compose(index, text, shaper_.shape(text, encoding, codePage_), shaper_);
        }
        return {cache_.width(index), list};
    }

private:
    RowCache& cache_;
    RowShaper& shaper_;
    const platform::CodePageCharacters& codePage_;
};

}  // namespace

bool HudPlugin::draw(Arg flag) {
    if (flag != 0) return true;
    if (!rebuildNeeded_ && settings_.autoReload != 0) followFile();
    if (rebuildNeeded_) rebuildGlResources();
    if (rebuildNeeded_) return true;
    // Hidden frames count too, so that the rate is right the moment the HUD is shown.
    const std::uint32_t now = platform::tickCount();
    frameRate_.countFrame(now);

    const SavedState saved = saveHostState();
    if (visible_) {
        refreshTokens(now);
        const Viewport viewport = readViewport();
        layOutCurrentPage(viewport);
        setUpOverlay(settings_, layout_.space.width, layout_.space.height);
        drawPage(viewport);
    }
    restoreHostState(saved, visible_);
    return true;
}

void HudPlugin::refreshTokens(std::uint32_t now) {
    updateTokenValues(
        tokens_, cachedCamera_,
        {scene_, services_, startTick_, now, platform::calendarTime(), frameRate_.perSecond,
         settings_.dateFormat, settings_.timeFormat, &clockNames_});
}

Viewport HudPlugin::readViewport() const {
    if (settings_.anchor == kStretched && settings_.panelAlpha <= 0.0f) return {};
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return {viewport[0], viewport[1], viewport[2], viewport[3]};
}

// A page cursor outside the pages lays out no rows.
void HudPlugin::layOutCurrentPage(const Viewport& viewport) {
    const PageView page = readThroughCursor(store_, currentPage_);
    const FontAdvances advances = fontAdvances();
    ComposedShaping shaping(rowCache_, shaper_, codePage_);
    RowShaping* shaped = shaper_.opened() && rowCache_.enabled() ? &shaping : nullptr;
    layOutPage(page, {settings_, advances, ink_, viewport, tokens_, codePage_, shaped}, layout_);
}

FontAdvances HudPlugin::fontAdvances() const {
    if (!advancesMeasured_) return {nullptr, characterLists_.gathered(), nullptr};
    const int* characters = characterLists_.base() != 0 ? characterAdvances_ : nullptr;
    return {advances_, characterLists_.gathered(), characters};
}

// The rows of the current page; an empty ("BLANK") row keeps its line.
void HudPlugin::drawPage(const Viewport& viewport) {
    if (settings_.panelAlpha > 0.0f) drawPanel(viewport);
    ReadyLine line;
    bool inHudColour = true;  // whether the HUD colour is the current one
    for (int i = 0; i < layout_.count; ++i) {
        if (layout_.rows[i].text[0] == '\0') continue;
        line.row = &layout_.rows[i];
        line.index = i;
        prepareLine(line);
        // The colour first: a bitmap takes the one current when its raster position is set. A row
        // in the HUD colour after one in another sets it again.
        const bool ownColour = chooseRowColour(i);
        if (ownColour || !inHudColour) glColor3f(rowColour_[0], rowColour_[1], rowColour_[2]);
        inHudColour = !ownColour;
        setRasterPosition(line.row->x, line.row->y);
        if (settings_.textEffect != kNoEffect) drawTextEffect(line);
        drawLine(line);
        if (line.row->values.count > 0) {
            drawValues(line);
            inHudColour = false;
        }
    }
    // The host finds the HUD colour current after the pass, whatever colours the rows had.
    if (!inHudColour) glColor3f(settings_.red, settings_.green, settings_.blue);
}

void HudPlugin::setRasterPosition(float x, float y) {
    if (settings_.anchor == kStretched) {
        glRasterPos2f(x, y);
        return;
    }
    // Positions are whole pixels, so the move lands exactly where the row starts.
    const int width = layout_.space.width;
    const int height = layout_.space.height;
    const float insideX = x < 0.0f ? 0.0f : x > width - 1 ? width - 1 : x;
    const float insideY = y < 0.0f ? 0.0f : y > height - 1 ? height - 1 : y;
    glRasterPos2f(insideX, insideY);
    if (insideX != x || insideY != y) {
        glBitmap(0, 0, 0.0f, 0.0f, x - insideX, y - insideY, &platform::kNoPixels);
    }
}

void HudPlugin::drawText(const char* text) {
    if (text != nullptr) drawBytes(text, text + std::strlen(text));
}

void HudPlugin::drawBytes(const char* text, const char* end) {
    if (fontListBase_ == 0) return;

    // Only the glyph codes have a list; any other byte would name a list that may be the host's,
    // so a line is sent in runs of glyph bytes and other bytes draw nothing.
    constexpr int kEndGlyph = platform::kFirstGlyph + platform::kGlyphCount;
    glPushAttrib(GL_LIST_BIT);
    glListBase(fontListBase_ - platform::kFirstGlyph);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const auto* last = reinterpret_cast<const unsigned char*>(end);
    const auto glyph = [](unsigned char c) { return c >= platform::kFirstGlyph && c < kEndGlyph; };
    while (bytes != last) {
        const unsigned char* run = bytes;
        while (bytes != last && glyph(*bytes)) ++bytes;
        if (bytes != run) glCallLists(static_cast<GLsizei>(bytes - run), GL_UNSIGNED_BYTE, run);
        while (bytes != last && !glyph(*bytes)) ++bytes;
    }
    glPopAttrib();
}

void HudPlugin::prepareLine(ReadyLine& line) {
    const LaidRow& row = *line.row;
    line.composed = row.shaped != 0 || (settings_.rowCache != 0 && rowCache_.enabled());
    if (row.shaped != 0) {
        line.rowList = row.shaped;
        return;
    }
    if (line.composed) {
        line.listCount = -1;
        line.rowList = rowCache_.find(line.index, row.text);
        if (line.rowList == 0) {
            listLine(line);
            line.rowList = rowCache_.compose(line.index, row.text, line.lists, line.listCount);
        }
        if (row.values.count > 0) prepareValues(line);
        return;
    }
    if (row.encoding == RowEncoding::kAscii) {
        line.listCount = -1;
        return;
    }
    listLine(line);
}

// The row's encoding, or UTF-8 where the clock's names brought it in, holds for the line. A value's
// edge before a character falls before that character's list.
void HudPlugin::listLine(ReadyLine& line) {
    const unsigned int glyphBase = fontListBase_ - platform::kFirstGlyph;
    const unsigned int missing = glyphBase + '?';
    const ValueSpans& values = line.row->values;
    const auto edgeAt = [&](int edge) {
        const ValueSpan& value = values.at[edge / 2];
        return edge % 2 == 0 ? value.begin : value.end;
    };
    const int edges = 2 * values.count;
    int edge = 0;
    int count = 0;
    for (const char* text = line.row->text; *text != '\0';) {
        for (const auto at = text - line.row->text; edge < edges && edgeAt(edge) <= at; ++edge) {
            line.valueBounds[edge] = count;
        }
        const char32_t c = nextCharacter(text, line.row->encoding, codePage_);
        if (c < 0x80) {
            if (c >= static_cast<char32_t>(platform::kFirstGlyph))
                line.lists[count++] = glyphBase + c;
        } else if (GatheredCharacters::wanted(c)) {
            const unsigned int list = characterLists_.listOf(c);
            line.lists[count++] = list != 0 ? list : missing;
        }
    }
    for (; edge < edges; ++edge) line.valueBounds[edge] = count;
    line.listCount = count;
}

void HudPlugin::drawLine(const ReadyLine& line) {
    if (line.composed) {
        glCallList(line.rowList);
        return;
    }
    if (line.listCount < 0) {
        drawText(line.row->text);
        return;
    }
    if (fontListBase_ == 0) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(0);
    glCallLists(line.listCount, GL_UNSIGNED_INT, line.lists);
    glPopAttrib();
}

}  // namespace vantor

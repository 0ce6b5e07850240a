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
        readSpace();
        setUpOverlay(settings_, spaceWidth_, spaceHeight_);
        drawPage();
    }
    restoreHostState(saved, visible_);
    return true;
}

void HudPlugin::refreshTokens(std::uint32_t now) {
    updateTokenValues(
        tokens_, cachedCamera_,
        {scene_, services_, startTick_, now, platform::calendarTime(), frameRate_.perSecond});
}

// The rows of the current page; an empty ("BLANK") row keeps its line.
void HudPlugin::drawPage() {
    if (store_.getPageCount() <= 0 || currentPage_ < 0 || currentPage_ >= store_.getPageCount()) {
        return;
    }
    store_.selectPage(currentPage_);
    const int rows = store_.getRowCount();
    if (settings_.panelAlpha > 0.0f) drawPanel(rows);
    for (int i = 0; i < rows; ++i) {
        if (!readyRow(i)) continue;
        const RowOrigin origin = rowOrigin(i, rows);
        setRasterPosition(origin.x, origin.y);
        if (settings_.textEffect != kNoEffect) drawTextEffect(origin.x, origin.y);
        drawLine();
    }
}

bool HudPlugin::readyRow(int row) {
    store_.selectRow(row);
    const char* text = store_.getRowText();
    if (text == nullptr || text[0] == '\0') return false;
    std::memcpy(line_, text, std::strlen(text) + 1);
    applyTokens(store_, tokens_, line_);
    prepareLine(row, store_.getRowEncoding());
    return true;
}

void HudPlugin::readSpace() {
    if (settings_.anchor == kStretched) {  // the overlay's, whatever a layout before it used
        spaceWidth_ = kOverlayWidth;
        spaceHeight_ = kOverlayHeight;
        return;
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // A minimised window may have an empty viewport, over which no projection can be made.
    spaceWidth_ = viewport[2] > 0 ? viewport[2] : 1;
    spaceHeight_ = viewport[3] > 0 ? viewport[3] : 1;
}

RowOrigin HudPlugin::rowOrigin(int row, int rows) const {
    if (settings_.anchor == kStretched) return {settings_.posX, rowBaseline(settings_, row)};
    const bool right = settings_.anchor == kTopRight || settings_.anchor == kBottomRight;
    const int width = right ? lineWidth() : 0;
    return anchoredOrigin(settings_, row, rows, width, spaceWidth_, spaceHeight_);
}

void HudPlugin::setRasterPosition(float x, float y) {
    if (settings_.anchor == kStretched) {
        glRasterPos2f(x, y);
        return;
    }
    // Positions are whole pixels, so the move lands exactly where the row starts.
    static const GLubyte kNoPixels = 0;
    const float insideX = x < 0.0f ? 0.0f : x > spaceWidth_ - 1 ? spaceWidth_ - 1 : x;
    const float insideY = y < 0.0f ? 0.0f : y > spaceHeight_ - 1 ? spaceHeight_ - 1 : y;
    glRasterPos2f(insideX, insideY);
    if (insideX != x || insideY != y) {
        glBitmap(0, 0, 0.0f, 0.0f, x - insideX, y - insideY, &kNoPixels);
    }
}

void HudPlugin::drawText(const char* text) {
    if (text == nullptr || fontListBase_ == 0) return;

    // Only the glyph codes have a list; any other byte would name a list that may be the host's,
    // so a line is sent in runs of glyph bytes and other bytes draw nothing.
    constexpr int kEndGlyph = platform::kFirstGlyph + platform::kGlyphCount;
    glPushAttrib(GL_LIST_BIT);
    glListBase(fontListBase_ - platform::kFirstGlyph);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0) {
        const unsigned char* run = bytes;
        while (*bytes >= platform::kFirstGlyph && *bytes < kEndGlyph) ++bytes;
        if (bytes != run) glCallLists(static_cast<GLsizei>(bytes - run), GL_UNSIGNED_BYTE, run);
        while (*bytes != 0 && (*bytes < platform::kFirstGlyph || *bytes >= kEndGlyph)) ++bytes;
    }
    glPopAttrib();
}

// A row whose list holds its text is drawn from it without asking again whether it is shaped.
void HudPlugin::prepareLine(int row, RowEncoding encoding) {
    lineEncoding_ = encoding;
    const bool lists = rowCache_.enabled();
    rowList_ = lists ? rowCache_.find(row, line_) : 0;
    const bool shaped =
        lists && rowList_ == 0 && shaper_.opened() && RowShaper::needed(line_, encoding, codePage_);
    lineComposed_ = lists && (settings_.rowCache != 0 || rowList_ != 0 || shaped);
    if (lineComposed_) {
        rowShown_ = row;
        if (shaped) {
            rowList_ =
                rowCache_.compose(row, line_, shaper_.shape(line_, encoding, codePage_), shaper_);
        } else if (rowList_ == 0) {
            listLine(encoding);
            rowList_ = rowCache_.compose(row, line_, lineLists_, lineListCount_);
        }
        rowWidth_ = rowCache_.width(row);
        return;
    }
    if (encoding == RowEncoding::kAscii) {
        lineListCount_ = -1;
        return;
    }
    listLine(encoding);
}

// The token values are plain ASCII, so the row's encoding holds for the line they went into.
void HudPlugin::listLine(RowEncoding encoding) {
    const unsigned int glyphBase = fontListBase_ - platform::kFirstGlyph;
    const unsigned int missing = glyphBase + '?';
    int count = 0;
    for (const char* text = line_; *text != '\0';) {
        const char32_t c = nextCharacter(text, encoding, codePage_);
        if (c < 0x80) {
            if (c >= static_cast<char32_t>(platform::kFirstGlyph))
                lineLists_[count++] = glyphBase + c;
        } else if (CharacterLists::wanted(c)) {
            const unsigned int list = characterLists_.listOf(c);
            lineLists_[count++] = list != 0 ? list : missing;
        }
    }
    lineListCount_ = count;
}

void HudPlugin::drawLine() {
    if (lineComposed_) {
        glCallList(rowList_);
        return;
    }
    if (lineListCount_ < 0) {
        drawText(line_);
        return;
    }
    if (fontListBase_ == 0) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(0);
    glCallLists(lineListCount_, GL_UNSIGNED_INT, lineLists_);
    glPopAttrib();
}

int HudPlugin::lineWidth() const {
    if (lineComposed_) return rowWidth_;
    const int* characters = characterLists_.base() != 0 ? characterAdvances_ : nullptr;
    return drawnWidth(line_, lineEncoding_, codePage_, {advances_, characterLists_, characters});
}

}  // namespace vantor

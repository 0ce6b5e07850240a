// The HUD plug-in: the one object the host drives, with its catalogue, commands and drawing pass.
#pragma once

#include <cstdint>
#include <optional>

#include "abi/host_records.h"
#include "abi/plugin_base.h"
#include "hud/character_lists.h"
#include "hud/drawn_width.h"
#include "hud/row_cache.h"
#include "pages/hud_settings.h"
#include "pages/page_store.h"
#include "platform/platform.h"
#include "shaping/row_shaper.h"
#include "tokens/token_table.h"

namespace vantor {

namespace test {
class HudInspector;
}

class HudPlugin final : public PluginBase {
public:
    HudPlugin();

    // Keeps the host's scene and services, which the drawing pass reads; called by
    // initializePlugin.
    void attachHost(const SceneContext* scene, const HostServices* services);

    // Function catalogue, by PluginFunction: the drawing function is of kind 2, the commands of
    // kind 0.
    std::int32_t functionCount() override;
    const char* functionName(Arg function) override;
    std::int32_t functionKind(Arg function) override;

    // Runs one of the four commands; any other number does nothing. Always true.
    bool execute(Arg function) override;

    // With 0: deletes the font lists and marks the GL resources as not built.
    void release(Arg value) override;

    // Draws the current page over the viewport in calls with flag 0, building the GL resources
    // first when they are not built. Always true. A visible pass leaves depth testing enabled,
    // the HUD colour current, the raster position where the last line ended and the projection
    // matrix selected; lighting, the list base and both matrices are as they were. A hidden pass
    // or one with a flag other than 0 leaves the GL state as it was, apart from lists it builds.
    bool draw(Arg flag) override;

private:
    friend class test::HudInspector;  // what tests read of the state, in their support kit

    // When a GL context is current: restarts the elapsed timer, reloads the configuration and
    // rebuilds the font lists, and the rebuild is no longer needed. Without one, nothing changes
    // and the next frame tries again.
    void rebuildGlResources();

    // The drawing pass's own phases; the GL save, set-up and restore are in draw.cpp.
    void refreshTokens(std::uint32_t now);
    void drawPage();

    // Row `row` of the current page into line_, its tokens applied, readied for drawing; false for
    // an empty ("BLANK") row, which draws nothing.
    bool readyRow(int row);

    // The panel behind the page's `rows` rows: one blended rectangle over the block their letters
    // can reach, the margin around it, in window pixels; nothing when no row is drawn. Everything
    // it sets is put back.
    void drawPanel(int rows);

    // With AUTO_RELOAD, once a second at most: when the file's stamp differs from the one it had
    // when last read, and it can be read, the resources are rebuilt as Reload INI does.
    void followFile();

    // Draws one line at the current raster position through the font lists.
    void drawText(const char* text);

    // Readies line_, row `row`'s text, for drawing: with the row cache, or when the row is shaped,
    // its row list, composed when the text changed; else a row that is not plain ASCII is turned
    // into the lists that draw its characters, once, however many times its effect draws it.
    void prepareLine(int row, RowEncoding encoding);

    // line_ as the lists that draw it, in lineLists_.
    void listLine(RowEncoding encoding);

    // Draws line_ as prepareLine left it, at the current raster position.
    void drawLine();

    // The width in window pixels of line_ as prepareLine left it: composed, its row list's; else
    // drawnWidth's.
    int lineWidth() const;

    // The space rows are placed in for this frame: the overlay's 640 x 480, or, anchored, the
    // viewport's pixels read from GL_VIEWPORT.
    void readSpace();

    // Where row `row` of `rows` starts, its line in line_, in the space of this frame.
    RowOrigin rowOrigin(int row, int rows) const;

    // The raster position at (x, y). Anchored, a row may start outside the viewport, where a
    // position set directly is invalid and draws nothing: the position is set inside and moved
    // out, so that the row is cut at the edge.
    void setRasterPosition(float x, float y);

    // Reads back the advance each glyph list applies, for right-aligned rows.
    void measureGlyphAdvances();

    // Draws the line buffer in the effect colour at the settings' effect offsets, in window
    // pixels, from the row's position (x, y); then sets the text colour and that position again.
    void drawTextEffect(float x, float y);

    // The window-pixel offsets of the settings' effect; none without one.
    struct Offsets {
        const RowCache::Offset* at;
        int count;
    };
    Offsets effectOffsets() const;

    const SceneContext* scene_ = nullptr;
    const HostServices* services_ = nullptr;
    bool rebuildNeeded_ = true;  // set by Reload INI and release; cleared by a rebuild
    unsigned int fontListBase_ = 0;
    char line_[kLineSize];
    int spaceWidth_ = kOverlayWidth;  // the space of this frame (readSpace)
    int spaceHeight_ = kOverlayHeight;
    ByteAdvances advances_ = {};  // kept at rebuild when anchored
    CharacterLists characterLists_;
    int characterAdvances_[kMaxCharacterLists] = {};  // by character, kept with advances_
    platform::CodePageCharacters codePage_ = {};      // read at rebuild
    unsigned int lineLists_[kLineSize];               // line_ as lists, when not plain ASCII
    int lineListCount_ = -1;                          // -1 when line_ is drawn as its bytes
    RowEncoding lineEncoding_ = RowEncoding::kAscii;  // how line_'s bytes are read
    RowCache rowCache_;
    RowShaper shaper_;           // open when some row of the layout is shaped
    bool lineComposed_ = false;  // line_ is drawn as its row list
    unsigned int rowList_ = 0;   // line_'s row list, when composed
    int rowShown_ = 0;           // line_'s row
    int panelAscent_ = 0;        // the font's reach above and below a baseline, for the panel
    int panelDescent_ = 0;
    std::optional<platform::FileStamp> loadedStamp_;  // the file's when last read
    std::uint32_t lastFileCheck_ = 0;
    int rowWidth_ = 0;  // and its width
    std::uint32_t startTick_ = 0;
    bool visible_ = false;
    std::int32_t currentPage_ = 0;
    PageStore store_;
    HudSettings settings_;
    HostWord cachedCamera_ = 0;
    TokenTable tokens_;
    FrameRate frameRate_;
};

}  // namespace vantor

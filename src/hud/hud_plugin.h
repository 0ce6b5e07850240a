// The HUD plug-in: the one object the host drives, with its catalogue, commands and drawing pass.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "abi/host_records.h"
#include "abi/plugin_base.h"
#include "hud/character_lists.h"
#include "hud/row_cache.h"
#include "layout/page_layout.h"
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
    // The viewport the page is laid out over: GL_VIEWPORT when a corner or the panel needs it, else
    // the overlay's own size, which a stretched page is placed in whatever the viewport.
    Viewport readViewport() const;
    // The current page laid out into layout_ over `viewport`, read through the store's cursor.
    void layOutCurrentPage(const Viewport& viewport);
    // Draws layout_: the panel, then each drawn row.
    void drawPage(const Viewport& viewport);

    // The panel behind the page's rows: one blended rectangle over the block their letters can
    // reach, the margin around it, in window pixels; nothing when no row is drawn. Everything it
    // sets is put back.
    void drawPanel(const Viewport& viewport);

    // Row `index` of the current page's colour into rowColour_: its ROWCOLOR, or with thresholds
    // the band of its first number token's value (the last band for a row without one); the HUD
    // colour for a row without. True when the row has a colour of its own.
    bool chooseRowColour(int index);

    // With AUTO_RELOAD, once a second at most: when the file's stamp differs from the one it had
    // when last read, and it can be read, the resources are rebuilt as Reload INI does.
    void followFile();

    // Draws one line at the current raster position through the font lists.
    void drawText(const char* text);
    // Draws bytes [text, end) so, as many as they are.
    void drawBytes(const char* text, const char* end);

    // A row of layout_ readied for drawing: shaped, or with the row cache, its row list, composed
    // when the text changed; else, for a row that is not plain ASCII, the lists that draw its
    // characters, made once however many times its effect draws it.
    struct ReadyLine {
        const LaidRow* row;
        int index;             // its row of the page
        bool composed;         // drawn as its row list
        unsigned int rowList;  // when composed
        int listCount;         // -1 when the row is drawn as its bytes
        unsigned int lists[kLineSize];
        // With lists, where the row's values start and end among them: value k is lists
        // valueBounds[2k] to valueBounds[2k + 1].
        int valueBounds[2 * kMaxValueSpans];
        unsigned int valueList;  // composed: the list of the row's values (RowCache::valueList)
    };
    void prepareLine(ReadyLine& line);

    // The row's text as the lists that draw it, into line.lists.
    void listLine(ReadyLine& line);

    // Draws the line as prepareLine left it, at the current raster position.
    void drawLine(const ReadyLine& line);

    // Composed, the list of the line's values, made again when they moved (value_colour.cpp).
    void prepareValues(ReadyLine& line);
    // After the line: its values again over it in the value colour, each glyph where the line
    // drew it; the raster position ends where the line ended, and the value colour is current.
    void drawValues(const ReadyLine& line);

    // The raster position at (x, y). Anchored, a row may start outside the viewport, where a
    // position set directly is invalid and draws nothing: the position is set inside and moved
    // out, so that the row is cut at the edge.
    void setRasterPosition(float x, float y);

    // The advances the layout measures rows with: those read back from the lists when a corner, the
    // row cache, the panel or a value colour needs them (readListAdvances), none else.
    FontAdvances fontAdvances() const;

    // Draws the line in the effect colour at the settings' effect offsets, in window pixels, from
    // its row's position; then sets the text colour and that position again.
    void drawTextEffect(const ReadyLine& line);

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
    // At rebuild, when a corner, the row cache, the panel or a value colour needs them.
    bool advancesMeasured_ = false;
    ByteAdvances advances_ = {};
    CharacterLists characterLists_;
    int characterAdvances_[kMaxCharacterLists] = {};  // by character, kept with advances_
    platform::CodePageCharacters codePage_ = {};      // read at rebuild
    std::string face_;                                // FONT_FACE in UTF-8, made at rebuild
    RowCache rowCache_;
    RowShaper shaper_;         // open when some row of the layout is shaped
    float rowColour_[3] = {};  // the colour the row being drawn is in (chooseRowColour)
    FontInk ink_;        // the font's reach above and below a baseline, measured for the panel
    PageLayout layout_;  // the page of this frame
    std::optional<platform::FileStamp> loadedStamp_;  // the file's when last read
    std::uint32_t lastFileCheck_ = 0;
    std::uint32_t startTick_ = 0;
    bool visible_ = false;
    bool everBuilt_ = false;  // whether the resources were built once: START_VISIBLE's moment
    std::int32_t currentPage_ = 0;
    PageStore store_;
    HudSettings settings_;
    HostWord cachedCamera_ = 0;
    TokenTable tokens_;
    platform::ClockNames clockNames_ = {};  // read at rebuild when a clock format spells one
    FrameRate frameRate_;
};

}  // namespace vantor

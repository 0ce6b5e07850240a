// The checks of one layout, each a concern of its own (check_*.cpp). Each takes what it reads and
// returns what it adds; checkLayout (layout_check.cpp) runs them in their order and hands each
// what the ones before it found.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check/findings.h"
#include "check/layout_text.h"
#include "hud/character_lists.h"
#include "layout/page_layout.h"
#include "pages/hud_settings.h"
#include "pages/row_encoding.h"
#include "platform/platform.h"
#include "shaping/row_shaper.h"

namespace hudhost::check {

// A row the HUD loaded, with where it is written.
struct LoadedRow {
    int page;   // from 0
    int index;  // from 0
    const Entry* entry;
    const char* text;              // the store's text: what the HUD draws, before its tokens
    int textColumn;                // where that text starts in its line
    vantor::RowEncoding encoding;  // as the HUD reads its bytes
};

// FONT_FACE at FONT_SIZE as this build draws it.
struct LayoutFont {
    vantor::platform::FontMeasure measure;  // with the characters the HUD makes lists of
    std::string face;                       // FONT_FACE in UTF-8, as the HUD hands it over
};

// Puts the advances of `face` (UTF-8) at the settings' size and weight, and of the characters of
// `lists`, as the lists the HUD makes of them move the raster position, in place of those
// `measure` holds. In the current GL context, left as it was; without one, in a tiny one of its
// own, and with none to be had, `measure` stays as it is.
void readDrawnAdvances(const std::string& face, const vantor::HudSettings& settings,
                       vantor::CharacterLists& lists, vantor::platform::FontMeasure& measure);

// The characters beyond ASCII of the loaded rows as the HUD gathers them, and the font that draws
// them (null when none can be had).
struct RowCharacters {
    vantor::platform::CodePageCharacters codePage = {};
    std::unique_ptr<vantor::CharacterLists> lists = std::make_unique<vantor::CharacterLists>();
    const LayoutFont* font = nullptr;
};

// The layout as the HUD read it, whole, for the checks of what it draws: the file as written
// beside the HUD's own page store and settings, filled by its own reloadConfig.
struct Layout {
    const LayoutText& text;
    const vantor::PageStore& store;
    const vantor::HudSettings& settings;
    const std::vector<LoadedRow>& rows;
    const vantor::platform::CodePageCharacters& codePage;
    const vantor::CharacterLists& characters;
    const LayoutFont* font;
    int viewWidth;  // the viewport checked in, in window pixels
    int viewHeight;
    const vantor::FontAdvances& advances;  // the font's, as the HUD draws with them; none without
    const vantor::TokenTable& values;      // live values as wide as a typical frame's
};

// Settings and a viewport `width` x `height` that the pages are laid out with: the layout's own,
// or those a check tries in their place.
struct Trial {
    vantor::HudSettings settings;
    int width;
    int height;
};
inline Trial ownTrial(const Layout& layout) {
    return {layout.settings, layout.viewWidth, layout.viewHeight};
}

// Page `page` (from 0) as the HUD lays it out at `trial`, the font's ink measured.
std::unique_ptr<vantor::PageLayout> layOut(const Layout& layout, int page, const Trial& trial);
// Row `index` of it.
vantor::LaidRow laidRow(const Layout& layout, int page, int index, const Trial& trial);
inline vantor::LaidRow laidRow(const Layout& layout, const LoadedRow& row, const Trial& trial) {
    return laidRow(layout, row.page, row.index, trial);
}

// Whether the letters of `lower`, with their effect, reach into `upper`'s inside a viewport
// `height` high: the rows overlap.
bool inkMeets(const Layout& layout, const vantor::LaidRow& upper, const vantor::LaidRow& lower,
              int height);
// Whether the pages laid out at `trial` draw every row whole, inside the viewport and clear of its
// neighbours: what advice must reach before it names a value.
bool endsClean(const Layout& layout, const Trial& trial);

// Where each anchor holds the rows, by vantor::HudAnchor, as messages name it ("held to its top
// left corner"); the stretched space has none.
inline constexpr const char* kCornerNames[] = {"",
                                               "top left corner",
                                               "top right corner",
                                               "bottom left corner",
                                               "bottom right corner",
                                               "top centre",
                                               "bottom centre"};

// The font's advances as the HUD draws with them, and the token values the checks lay pages out
// with; held for a Layout.
struct LayoutMeasure {
    explicit LayoutMeasure(const RowCharacters& characters);
    LayoutMeasure(const LayoutMeasure&) = delete;  // its advances point into it
    LayoutMeasure& operator=(const LayoutMeasure&) = delete;
    vantor::ByteAdvances glyphs = {};
    std::vector<int> characterAdvances;  // those of the gathered characters, in their order
    vantor::FontAdvances advances;
    vantor::TokenTable values;
};

// The column of byte `at` of `text`, from 0, counted in characters as the HUD decodes a row in
// `encoding`: a character of a UTF-8 row is one column, as an editor shows it; a byte of any
// other row is one.
int characterColumn(const char* text, vantor::RowEncoding encoding, std::size_t at);
// The column in its line of byte `at` of a loaded row's text.
inline int columnOf(const LoadedRow& row, std::size_t at) {
    return row.textColumn + characterColumn(row.text, row.encoding, at);
}

// `c` in UTF-8.
std::string utf8Text(char32_t c);
// What the conversion of `c` to the system code page `page` and back gives, in UTF-8: `c`, a like
// letter, '?', or nothing.
std::string inCodePage(char32_t c, const vantor::platform::CodePageCharacters& page);
// "\"é\" (U+00E9)": a character as the findings name it.
std::string named(char32_t c);
// `text`, a row's or part of one, read in `encoding` as the HUD reads it, in UTF-8 for a finding.
std::string shownText(const Layout& layout, const std::string& text, vantor::RowEncoding encoding);

// "640 x 480", as the findings name a viewport's size.
inline std::string sizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// The file at `path` (as the HUD's reader takes it): it can be opened, read and is not empty.
// Empty when not, with the reason among the findings.
std::optional<LayoutText> checkFile(const std::string& path, Findings& findings);

// What the file's form leaves the HUD's reader.
struct FileForm {
    bool readable;       // the reader takes something of the file: there is more to check
    bool lossExplained;  // a finding tells why the reader loses sections
};
// The file's size, byte-order marks, UTF-16 and CR line ends, judged by what the reader of this
// build makes of them.
FileForm checkEncoding(const LayoutText& text, Findings& findings);
// Section names, repeated sections, the page sections the HUD reaches, stray lines.
void checkSections(const LayoutText& text, const vantor::PageStore& store, bool lossExplained,
                   Findings& findings);
// The keys of each page, which of them the HUD loads: the rows it loaded.
std::vector<LoadedRow> checkPages(const LayoutText& text, const vantor::PageStore& store,
                                  Findings& findings);
// The CONFIG keys and the values the HUD takes from them, read as the HUD reads them.
void checkConfig(const LayoutText& text, const vantor::PageStore& store, Findings& findings);
// Settings that are each in range but defeat one another or the file: a panel in the text's own
// colour, a file followed for edits that cannot be saved to it.
void checkSettingsTogether(const Layout& layout, Findings& findings);
// The characters of the loaded rows beyond ASCII, gathered as the HUD gathers them, and the font
// that draws them.
RowCharacters readCharacters(const vantor::PageStore& store, const vantor::HudSettings& settings);
// The values of each loaded row drawn in the very colour of the rest of it, VALUE_* set.
void checkValueColour(const Layout& layout, Findings& findings);
// The text of each loaded row: BLANK, length, tokens.
void checkRows(const Layout& layout, Findings& findings);
// The characters of each loaded row that draw nothing or not as written, and a row read in the
// code page although it holds UTF-8.
void checkCharacters(const Layout& layout, Findings& findings);
// The characters of a UTF-16 file's rows that its conversion to the code page loses, and rows
// read in the code page whose bytes are another's.
void checkCodePage(const Layout& layout, Findings& findings);
// What the HUD draws for `c`, a character of a loaded row: `c`, '?' for one left out of its
// lists for their bound, 0 for nothing (vantor::drawnAs).
char32_t drawnAs(const Layout& layout, char32_t c);
// Rows and text that leave the viewport checked in, and the font the system draws them with.
void checkGeometry(const Layout& layout, Findings& findings);
// Neighbouring drawn rows whose letters, with their effect, overlap in the viewport checked in.
void checkSpacing(const Layout& layout, Findings& findings);

// The shaping engine over FONT_FACE (read in the layout's code page) of FONT_WEIGHT at FONT_SIZE,
// as the HUD shapes rows with it, opened at the first use and kept while the font stays the same;
// null when the face cannot be had.
vantor::RowShaper* shaperOf(const vantor::HudSettings& settings,
                            const vantor::platform::CodePageCharacters& codePage);

}  // namespace hudhost::check

// One layout under check: the file as written (the line scan) beside the file as the HUD reads it
// (its own page store and settings, filled by its own reloadConfig), and the findings so far.
// Each check_*.cpp adds the findings of one concern.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "findings.h"
#include "hud/character_lists.h"
#include "layout_text.h"
#include "pages/hud_settings.h"
#include "platform/platform.h"

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
    // Per measured character: for one it lacks, a face that has it (empty when none is known).
    std::vector<std::string> facesHaving;
};

struct Layout {
    std::string path;  // as the HUD's reader takes it
    LayoutText text;
    std::unique_ptr<vantor::PageStore> store = std::make_unique<vantor::PageStore>();
    vantor::HudSettings settings{};
    std::vector<std::size_t> firstOfName;  // per scanned section: the first of its name
    std::vector<bool> sectionRead;         // per scanned section: whether the reader sees its keys
    bool lossExplained = false;   // a file-wide finding already tells why sections are lost
    std::vector<LoadedRow> rows;  // filled by checkPages
    int viewWidth = vantor::kOverlayWidth;  // the viewport checked in, in window pixels
    int viewHeight = vantor::kOverlayHeight;
    // The characters beyond ASCII as the HUD gathers them, and the font (null when none can be
    // had), filled by readCharacters.
    vantor::platform::CodePageCharacters codePage = {};
    std::unique_ptr<vantor::CharacterLists> characters = std::make_unique<vantor::CharacterLists>();
    const LayoutFont* font = nullptr;
    Findings findings;

    // Whether the reader finds `key` in `section`, whatever its value, empty included.
    bool readerHas(const std::string& section, const std::string& key) const;
};

// "640 x 480", as the findings name a viewport's size.
inline std::string sizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// The file can be opened and is not empty; on false the reason is among the findings.
bool checkFile(Layout& layout);
// The file's size, byte-order marks, UTF-16 and CR line ends, judged by what the reader made of
// them. False when the reader takes nothing of the file, which leaves nothing more to check.
bool checkEncoding(Layout& layout);
// Section names, repeated sections, the page sections the HUD reaches, stray lines.
void checkSections(Layout& layout);
// The keys of each page, which of them the HUD loads; fills layout.rows.
void checkPages(Layout& layout);
// The CONFIG keys and the values the HUD takes from them.
void checkConfig(Layout& layout);
// The characters of the loaded rows beyond ASCII, gathered as the HUD gathers them, and the font
// that draws them.
void readCharacters(Layout& layout);
// The text of each loaded row: BLANK, length, tokens.
void checkRows(Layout& layout);
// The characters of each loaded row that draw nothing or not as written, and a row read in the
// code page although it holds UTF-8.
void checkCharacters(Layout& layout);
// What the HUD draws for `c`, a character of a loaded row: `c`, '?' for one left out of its
// lists for their bound, 0 for nothing (vantor::drawnAs).
char32_t drawnAs(const Layout& layout, char32_t c);
// Rows and text that leave the viewport checked in, and the font the system draws them with.
void checkGeometry(Layout& layout);

}  // namespace hudhost::check

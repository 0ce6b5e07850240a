// The facts of the HUD's file and overlay that the HUD and the layout checker both go by: where
// the file is, the names it is read by, and the overlay space its positions are in. The CONFIG
// keys themselves are the table in hud_settings.h.
#pragma once

#include <string>
#include <string_view>

#include "pages/row_page.h"
#include "platform/slashes.h"

namespace vantor {

// Relative to the host's working directory, with '\' between folders as the host's own paths
// are; the HUD's readers take it so on both systems.
inline constexpr const char* kIniPath = "Plugins\\Startup Plugins\\VantorHUD.ini";
// The file's name alone, after its folders.
inline constexpr const char* kIniName = kIniPath + std::string_view(kIniPath).rfind('\\') + 1;

// kIniPath's folders with '/' between them, which a tool's own file functions take on both
// systems.
inline std::string iniFolder() { return platform::withSlashes({kIniPath, kIniName - 1}); }

// The section of the settings, and the names the pages and their rows are numbered after, from 1:
// up to kPageCount page sections, each with up to kPageRows rows (row_page.h).
inline constexpr const char* kConfigSection = "CONFIG";
inline constexpr const char* kPageSectionPrefix = "SECTION";
inline constexpr const char* kRowKeyPrefix = "ROWDATA";
inline constexpr int kPageCount = 5;

// "[SECTION1] to [SECTION5]" and "ROWDATA1 to ROWDATA28", as messages name them.
inline std::string pageSectionRange() {
    const std::string prefix = std::string("[") + kPageSectionPrefix;
    return prefix + "1] to " + prefix + std::to_string(kPageCount) + "]";
}
inline std::string rowKeyRange() {
    return kRowKeyPrefix + std::string("1 to ") + kRowKeyPrefix + std::to_string(kPageRows);
}

// The most characters a value is read with: a text field less its zero. A longer row, name or
// path is cut there.
inline constexpr int kMaxTextChars = kTextSize - 1;

// A row of exactly this text is empty but keeps its line.
inline constexpr const char* kBlankRow = "BLANK";

// The overlay space every position is in, whatever the size of the host's viewport.
inline constexpr int kOverlayWidth = 640;
inline constexpr int kOverlayHeight = 480;

}  // namespace vantor

// The facts of the HUD's file and overlay that the HUD and the layout checker both go by: where
// the file is, the names it is read by, and the overlay space its positions are in. The CONFIG
// keys themselves are the table in hud_settings.h.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace vantor {

// Relative to the host's working directory, with '\' between folders as the host's own paths
// are; the HUD's readers take it so on both systems.
inline constexpr const char* kIniPath = "Plugins\\Startup Plugins\\VantorHUD.ini";
// The file's name alone, after its folders.
inline constexpr const char* kIniName = kIniPath + std::string_view(kIniPath).rfind('\\') + 1;

// kIniPath's folders with '/' between them, which a tool's own file functions take on both
// systems.
inline std::string iniFolder() {
    std::string folder(kIniPath, kIniName - 1);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return folder;
}

// The section of the settings, and the names the pages and their rows are numbered after:
// [SECTION1] to [SECTION5], each with ROWDATA1 to ROWDATA28.
inline constexpr const char* kConfigSection = "CONFIG";
inline constexpr const char* kPageSectionPrefix = "SECTION";
inline constexpr const char* kRowKeyPrefix = "ROWDATA";
// A row written as this, alone and in capitals, is an empty line.
inline constexpr const char* kBlankRow = "BLANK";

// The overlay space every position is in, whatever the size of the host's viewport.
inline constexpr int kOverlayWidth = 640;
inline constexpr int kOverlayHeight = 480;

}  // namespace vantor

#include "hud_layout.h"

namespace vantor::bench {
namespace {

// Rows 0, 4, 8, ... of the drawn page carry the tokens; the others are plain text, which the HUD
// copies without a token pass after its first frame.
constexpr const char* kTokenRows[] = {"View      *CAMERA_NAME*, through its camera",
                                      "Date      *CUR_DATE*, local calendar day",
                                      "Time      *CUR_TIME*, local clock now",
                                      "Elapsed   *ELAPSED* since the last reload",
                                      "Faces     *SEL_FACES* selected in face mode",
                                      "Edges     *SEL_EDGES* selected in edge mode",
                                      "Vertices  *SEL_VERTICES* selected in vertex mode"};

std::string drawnPage() {
    std::string page = "[SECTION1]\n";
    for (int r = 0; r < kDrawnRows; ++r) {
        std::string text =
            r % 4 == 0 ? kTokenRows[r / 4]
                       : "Row " + std::to_string(r + 1) + ": plain text, the same each frame";
        page += "ROWDATA" + std::to_string(r + 1) + "=" + text + "\n";
    }
    return page;
}

}  // namespace

std::string fullLayoutIni() {
    std::string ini = "; a full layout\n" + drawnPage();
    for (int p = 2; p <= 5; ++p) {
        ini += "[SECTION" + std::to_string(p) + "]\n";
        for (int r = 1; r <= kDrawnRows; ++r) {
            std::string text =
                "Page " + std::to_string(p) + " row " + std::to_string(r) + " *CUR_TIME* ";
            text.resize(80, '.');
            ini += "ROWDATA" + std::to_string(r) + "=" + text + "\n";
        }
    }
    // Every row of page 1 on screen: 470 - 27 * 16 = 38.
    return ini + "[CONFIG]\nHUD_POS_X=10\nHUD_POS_Y=470\nHUD_STEP_Y=16\nFONT_SIZE=" +
           std::to_string(kPixelHeight) + "\nFONT_FACE=" + kFace +
           "\nCOLOR_RED=255\nCOLOR_GREEN=200\nCOLOR_BLUE=0\n";
}

}  // namespace vantor::bench

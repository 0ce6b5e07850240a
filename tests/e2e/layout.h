// What an INI file asks the HUD to draw, read with the platform's own INI reader, so that the
// picture checks follow the file.
#pragma once

#include <string>
#include <vector>

#include "picture.h"

namespace e2e {

struct Layout {
    int posX = 0;
    int posY = 0;
    int stepY = 0;
    int fontSize = 0;
    Rgb colour{0, 0, 0};
    bool hasEffect = false;  // TEXT_EFFECT 1 or 2: pixels of effectColour around the text
    Rgb effectColour{0, 0, 0};
    std::vector<bool> rowHasText;  // of one page; false for a BLANK row
};

// Reads CONFIG (every key must be present, but for the optional text effect) and the rows of
// SECTION<page> of the INI file at `path`. False when a CONFIG key is missing.
bool readLayout(const std::string& path, int page, Layout& layout);

}  // namespace e2e

// The picture check shared by the end-to-end tests: where a page's rows may draw, and in which
// colour, taken from the layout the test wrote or, for the example, from the values it holds.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "picture.h"

namespace e2e {

constexpr int kColourTolerance = 1;
constexpr int kMinPixelsPerRow = 20;  // a few glyphs' worth

// What an INI file asks the HUD to draw on one page.
struct Layout {
    int posX = 0;
    int posY = 0;
    int stepY = 0;
    int fontSize = 0;
    Rgb colour{0, 0, 0};
    std::vector<bool> rowHasText;  // false for a BLANK row
    bool hasEffect = false;        // TEXT_EFFECT 1 or 2: pixels of effectColour around the text
    Rgb effectColour{0, 0, 0};

    // The CONFIG section that asks for this layout.
    std::string config() const;
    // The same page `numerator / denominator` as large, as over a viewport that much larger.
    Layout scaled(int numerator, int denominator) const;
};

// The layout of page `page` (1 to 3) of the example INI file shipped in examples/.
Layout exampleLayout(int page);

// Every pixel in which `hud` differs from `scene` (the same frame without the HUD) is in the
// layout's colour (or its effect colour), right of its x and inside the band of a row with text (so
// BLANK rows draw nothing), and every row with text drew something. The layout is in pixels of the
// pictures.
void expectRowsInTheirBands(const Picture& hud, const Picture& scene, const Layout& layout);

// The pixels in which `hud` differs from `scene`, each as its distance in pixels from the side
// (the right one when `right`) and from the top or bottom edge (the top when `top`) of the picture.
std::set<std::pair<int, int>> drawnFromCorner(const Picture& hud, const Picture& scene, bool right,
                                              bool top);

// Renders the scene alone and then with the HUD, `hudArgs` added (a working folder holding the
// example INI file, commands), the same view in both, and checks that page `page` of the example
// drew in its bands; for page 0, that nothing drew. `name` names the kept pictures.
void expectExamplePage(const std::string& name, const std::vector<std::string>& hudArgs, int page);

}  // namespace e2e

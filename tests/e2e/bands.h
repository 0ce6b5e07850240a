// The picture check shared by the end-to-end tests: where a page's rows may draw, and in which
// colour.
#pragma once

#include "layout.h"
#include "picture.h"

namespace e2e {

constexpr int kColourTolerance = 1;
constexpr int kMinPixelsPerRow = 20;  // a few glyphs' worth

// Every pixel in which `hud` differs from `scene` (the same frame without the HUD) is in the
// layout's colour (or its effect colour), right of its x and inside the band of a row with text (so
// BLANK rows draw nothing), and every row with text drew something. The layout is in pixels of the
// pictures.
void expectRowsInTheirBands(const Picture& hud, const Picture& scene, const Layout& layout);

}  // namespace e2e

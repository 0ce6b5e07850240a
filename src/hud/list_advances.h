// How far the glyph lists really move the raster position: the advances the HUD aligns and
// measures its rows by, and that the layout checker measures them with.
#pragma once

namespace vantor {

// `count` display lists from `base` (none when `base` is 0), and where their advances go, one
// each, in whole window pixels.
struct ListRun {
    unsigned int base;
    int count;
    int* advances;
};

// Calls each list of `glyphs`, then of `characters`, once from the middle of the viewport under
// an empty scissor box, reading the raster position before and after: nothing is drawn. Needs a
// current GL context, and puts back everything it sets.
void readListAdvances(const ListRun& glyphs, const ListRun& characters);

}  // namespace vantor

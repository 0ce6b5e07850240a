#include "bands.h"

#include <gtest/gtest.h>

#include <vector>

#include "host_run.h"

namespace e2e {
namespace {

// The pixel rows a text row's glyphs may cover: from below the baseline by a descender to a
// full character height above it.
bool inBand(const Layout& layout, int row, int y) {
    const int baseline = layout.posY - row * layout.stepY;
    return y >= baseline - layout.fontSize / 3 - 1 && y <= baseline + layout.fontSize + 1;
}

int textRowAt(const Layout& layout, int y) {
    for (int row = 0; row < static_cast<int>(layout.rowHasText.size()); ++row) {
        if (layout.rowHasText[row] && inBand(layout, row, y)) return row;
    }
    return -1;
}

}  // namespace

std::set<std::pair<int, int>> drawnFromCorner(const Picture& hud, const Picture& scene, bool right,
                                              bool top) {
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < hud.height; ++y) {
        for (int x = 0; x < hud.width; ++x) {
            if (near(colourAt(hud, x, y), colourAt(scene, x, y), 0)) continue;
            drawn.emplace(right ? hud.width - 1 - x : x, top ? hud.height - 1 - y : y);
        }
    }
    return drawn;
}

std::string Layout::config() const {
    return "[CONFIG]\nHUD_POS_X=" + std::to_string(posX) + "\nHUD_POS_Y=" + std::to_string(posY) +
           "\nHUD_STEP_Y=" + std::to_string(stepY) + "\nFONT_SIZE=" + std::to_string(fontSize) +
           "\nCOLOR_RED=" + std::to_string(colour.r) + "\nCOLOR_GREEN=" + std::to_string(colour.g) +
           "\nCOLOR_BLUE=" + std::to_string(colour.b) + "\n";
}

Layout Layout::scaled(int numerator, int denominator) const {
    Layout larger = *this;
    larger.posX = posX * numerator / denominator;
    larger.posY = posY * numerator / denominator;
    larger.stepY = stepY * numerator / denominator;
    return larger;
}

Layout exampleLayout(int page) {
    // examples/Plugins/Startup Plugins/VantorHUD.ini: its CONFIG and which rows are BLANK.
    Layout layout{16, 456, 20, 16, {255, 214, 90}, {}, true, {0, 0, 0}};
    const std::vector<bool> pages[] = {{true, true, true, false, true},
                                       {true, false, true, true, true, false, true},
                                       {true, false, true, true, true}};
    layout.rowHasText = pages[page - 1];
    return layout;
}

void expectRowsInTheirBands(const Picture& hud, const Picture& scene, const Layout& layout) {
    ASSERT_FALSE(layout.rowHasText.empty());
    ASSERT_EQ(hud.width, scene.width);
    ASSERT_EQ(hud.height, scene.height);
    long offColour = 0;
    long outside = 0;
    std::vector<long> perRow(layout.rowHasText.size(), 0);
    for (int y = 0; y < hud.height; ++y) {
        for (int x = 0; x < hud.width; ++x) {
            const Rgb pixel = colourAt(hud, x, y);
            if (near(pixel, colourAt(scene, x, y), 0)) continue;
            const int row = textRowAt(layout, y);
            const bool effect =
                layout.hasEffect && near(pixel, layout.effectColour, kColourTolerance);
            if (!effect && !near(pixel, layout.colour, kColourTolerance)) {
                ++offColour;
            } else if (row < 0 || x < layout.posX - 3) {
                ++outside;
            } else {
                ++perRow[row];
            }
        }
    }
    EXPECT_EQ(offColour, 0) << "pixels changed to another colour than the HUD's";
    EXPECT_EQ(outside, 0) << "HUD pixels outside the rows' bands";
    for (std::size_t row = 0; row < perRow.size(); ++row) {
        if (layout.rowHasText[row]) {
            EXPECT_GE(perRow[row], kMinPixelsPerRow) << "row " << row + 1 << " drew nothing";
        }
    }
}

void expectExamplePage(const std::string& name, const std::vector<std::string>& hudArgs, int page) {
    // The scene alone has no plug-in to show a selection; the camera is the scene's own.
    Picture scene;
    ASSERT_EQ(render(name + "-scene", {"--no-plugin", "--camera", "top"}, scene).status, 0);

    std::vector<std::string> args = hudArgs;
    args.insert(args.end(), {"--camera", "top", "--selection-mode", "edge", "--edges", "12"});
    Picture hud;
    const HostRun run = render(name, args, hud);
    ASSERT_EQ(run.status, 0) << (run.err.empty() ? "" : run.err.front());
    ASSERT_EQ(hud.width, 640);  // the overlay space at one pixel a unit
    ASSERT_EQ(hud.height, 480);
    if (page == 0) {
        EXPECT_TRUE(hud == scene) << "the HUD drew while it should not";
    } else {
        expectRowsInTheirBands(hud, scene, exampleLayout(page));
    }
}

}  // namespace e2e

// A layout that uses neither text effects nor the frame-rate token draws the very pixels it drew
// before either existed: the stored pictures hold the HUD's pixels as hudhost rendered them then.
#include <gtest/gtest.h>

#include "host_run.h"

namespace e2e {
namespace {

const std::string kReferenceDir = std::string(E2E_DATA_DIR) + "/plain-reference";

class PlainLayout : public ::testing::TestWithParam<const char*> {};

// The frame must be the scene with exactly the reference's lit pixels laid over it.
TEST_P(PlainLayout, DrawsTheStoredPixelsExactly) {
    const std::string size = GetParam();
    Picture reference;
    ASSERT_TRUE(loadPng(kReferenceDir + "/hud-" + size + ".png", reference));
    Picture scene;
    Picture hud;
    ASSERT_EQ(render("plain-scene-" + size, {"--no-plugin", "--size", size}, scene).status, 0);
    ASSERT_EQ(
        render("plain-" + size,
               {"--workdir", kReferenceDir, "--cmd", "switch", "--faces", "12", "--size", size},
               hud)
            .status,
        0);
    ASSERT_EQ(hud.width, reference.width);
    ASSERT_EQ(hud.height, reference.height);

    int differing = 0;
    for (int y = 0; y < hud.height; ++y) {
        for (int x = 0; x < hud.width; ++x) {
            const Rgb r = colourAt(reference, x, y);
            const Rgb expected = (r.r | r.g | r.b) != 0 ? r : colourAt(scene, x, y);
            if (!near(colourAt(hud, x, y), expected, 0)) ++differing;
        }
    }
    EXPECT_EQ(differing, 0) << "pixels that differ from the reference, in " << size;
}

// At one pixel a unit, and stretched (the glyphs are not).
INSTANTIATE_TEST_SUITE_P(Hudhost, PlainLayout, ::testing::Values("640x480", "1000x700"));

}  // namespace
}  // namespace e2e

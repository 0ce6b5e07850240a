// When the preview's idle frames may draw the scene they kept rather than render it again.
#include <gtest/gtest.h>

#include "render/kept_scene.h"

namespace hudhost {
namespace {

TEST(KeptScene, RendersAfreshForANewCameraSizeOrUncoveringAndKeepsOtherwise) {
    const struct {
        const char* what;
        bool uncovered;  // the window was uncovered or resized before the frame
        Shot shot;
        bool afresh;
    } steps[] = {
        {"the first frame", false, {Camera::MainPerspective, 640, 480}, true},
        {"an idle frame", false, {Camera::MainPerspective, 640, 480}, false},
        {"another", false, {Camera::MainPerspective, 640, 480}, false},
        {"a new camera", false, {Camera::Top, 640, 480}, true},
        {"idle through it", false, {Camera::Top, 640, 480}, false},
        {"a new width", false, {Camera::Top, 800, 480}, true},
        {"a new height", false, {Camera::Top, 800, 600}, true},
        {"Expose or WM_PAINT", true, {Camera::Top, 800, 600}, true},
        {"idle after it", false, {Camera::Top, 800, 600}, false},
        {"the camera before", false, {Camera::MainPerspective, 800, 600}, true},
    };
    KeptScene kept;
    for (const auto& step : steps) {
        if (step.uncovered) kept.uncovered();
        EXPECT_EQ(kept.renderAfresh(step.shot), step.afresh) << step.what;
    }
}

}  // namespace
}  // namespace hudhost

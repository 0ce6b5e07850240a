// The scene's pixels of a rendered frame, kept to be drawn again in place of rendering it: while
// the camera and the size stay, an idle preview redraws only the HUD over them.
#pragma once

#include <vector>

#include "host/scene_setup.h"

namespace hudhost {

// What a frame's scene is rendered as: the camera it is seen through, the viewport's size.
struct Shot {
    Camera camera;
    int width;
    int height;
};

class KeptScene {
public:
    // Decides the next frame, of `shot`: true when it renders its scene afresh and keeps it, false
    // when it draws the kept one. A new camera or size renders afresh, and so does the first frame
    // and the first after the window was uncovered; any other keeps.
    bool renderAfresh(const Shot& shot) {
        const bool afresh = !trusted_ || shot.camera != shot_.camera || shot.width != shot_.width ||
                            shot.height != shot_.height;
        shot_ = shot;
        trusted_ = true;
        return afresh;
    }

    // The window was uncovered or resized (Expose on X, WM_PAINT on Windows): pixels read while
    // part of it was covered, or before the window system replaced its buffers, cannot be trusted.
    void uncovered() { trusted_ = false; }

    // Reads the colour buffer of the frame just rendered afresh, at its shot's size from the lower
    // left corner, before anything is drawn over the scene.
    void keep();

    // Draws the kept picture over the viewport as it was read. Needs the scene's frame state
    // (Scene::setState) and leaves it as it found it.
    void restore() const;

private:
    Shot shot_{};
    bool trusted_ = false;
    std::vector<unsigned char> pixels_;  // RGBA, bottom row first
};

}  // namespace hudhost

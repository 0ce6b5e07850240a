// The scene's pixels of a rendered frame, kept to be drawn again in place of rendering it: while
// the camera and the size stay, an idle preview redraws only the HUD over them.
#pragma once

#include <vector>

namespace hudhost {

class KeptScene {
public:
    // Reads the colour buffer of the frame just rendered, width x height from the lower left
    // corner, before anything is drawn over the scene.
    void keep(int width, int height);

    // Whether a picture of that size is kept.
    bool holds(int width, int height) const {
        return !pixels_.empty() && width == width_ && height == height_;
    }

    // Draws the kept picture over the viewport as it was read. Needs the scene's frame state
    // (Scene::setState) and leaves it as it found it.
    void restore() const;

    // Forgets the picture: the next frame renders the scene.
    void drop() { pixels_.clear(); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> pixels_;  // RGBA, bottom row first
};

}  // namespace hudhost

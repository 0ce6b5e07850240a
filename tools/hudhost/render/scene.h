// The host's own viewport: a lit, depth-tested torus standing on a grid, seen through the active
// camera, in OpenGL 1.1.
#pragma once

#include "host/scene_setup.h"

namespace hudhost {

class Scene {
public:
    // Compiles the grid and the torus into two display lists of the host's own. Needs a current
    // GL context, which must still be current when the scene is destroyed.
    Scene(Camera camera, Rgb background);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Clears and draws one frame into the whole viewport. Sets every piece of GL state it relies
    // on, each frame, as a modeller does: whatever a plug-in's drawing pass left changed in the
    // previous frame (depth testing, current colour, raster position, matrix mode) cannot alter
    // this one.
    void render(int width, int height) const;

    // Sets the GL state that render leaves, without clearing or drawing anything: for a frame
    // whose scene pixels are restored from a picture of an earlier one.
    void setState(int width, int height) const;

private:
    void pass(int width, int height, bool drawn) const;

    Camera camera_;
    Rgb background_;
    unsigned int lists_ = 0;  // grid, then torus
};

}  // namespace hudhost

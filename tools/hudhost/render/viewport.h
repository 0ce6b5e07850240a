// The host's viewport, frame by frame: its own scene first, then the plug-in's drawing calls, as
// the modeller renders.
#pragma once

#include <cstdint>
#include <vector>

#include "host/host_side.h"
#include "render/gl_state.h"
#include "render/kept_scene.h"
#include "render/scene.h"

namespace hudhost {

class Viewport {
public:
    // `host` is null when no plug-in is loaded. One drawing call per flag, in order, each frame.
    Viewport(const Scene& scene, const HostSide* host, std::vector<std::int32_t> drawFlags,
             int width, int height);

    // Reads the GL state around every drawing call from now on.
    void watch(GlStateWatch* watch) { watch_ = watch; }

    // Renders one frame and flushes it; the plug-in is called only when `withHud` is set and one
    // is loaded.
    void frame(bool withHud) const;

    // Renders one frame with the HUD as frame(true) does, its scene rendered afresh and kept in
    // `kept` when `afresh` (KeptScene::renderAfresh), else taken from it.
    void frame(KeptScene& kept, bool afresh) const;

    int width() const { return width_; }
    int height() const { return height_; }

private:
    // The plug-in's drawing calls over the scene, and the end of the frame.
    void finish(bool withHud) const;

    const Scene& scene_;
    const HostSide* host_;
    std::vector<std::int32_t> drawFlags_;
    int width_;
    int height_;
    GlStateWatch* watch_ = nullptr;
};

}  // namespace hudhost

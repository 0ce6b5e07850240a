#include "render/viewport.h"

#include <GL/gl.h>

#include <utility>

namespace hudhost {

Viewport::Viewport(const Scene& scene, const HostSide* host, std::vector<std::int32_t> drawFlags,
                   int width, int height)
    : scene_(scene),
      host_(host),
      drawFlags_(std::move(drawFlags)),
      width_(width),
      height_(height) {}

void Viewport::frame(bool withHud) const {
    scene_.render(width_, height_);
    finish(withHud);
}

void Viewport::frame(KeptScene& kept, bool afresh) const {
    if (afresh) {
        scene_.render(width_, height_);
        kept.keep();
    } else {
        scene_.setState(width_, height_);
        kept.restore();
    }
    finish(true);
}

void Viewport::finish(bool withHud) const {
    if (withHud && host_ != nullptr) {
        for (std::int32_t flag : drawFlags_) {
            if (watch_) watch_->before();
            host_->draw(flag);
            if (watch_) watch_->after();
        }
    }
    // The modeller's buffer swap ends each frame and hands its work to the GL; without it an
    // offscreen context queues frame after frame (llvmpipe grows by gigabytes).
    glFlush();
}

}  // namespace hudhost

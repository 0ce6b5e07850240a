#include "bench.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>

namespace hudhost {
namespace {

// Frames rendered before timing, so that both runs start with warm caches and built lists.
constexpr long kWarmUpFrames = 20;

double framesPerSecond(const Viewport& viewport, bool withHud, long frames) {
    for (long i = 0; i < kWarmUpFrames; ++i) viewport.frame(withHud);
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < frames; ++i) {
        viewport.frame(withHud);
        glFinish();  // a frame counts once the GL has drawn it, as a swap would wait for it
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return static_cast<double>(frames) / seconds.count();
}

}  // namespace

void runBench(const Viewport& viewport, long frames) {
    const double on = framesPerSecond(viewport, true, frames);
    const double off = framesPerSecond(viewport, false, frames);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("bench: %dx%d, %ld frames each, %s\n", viewport.width(), viewport.height(), frames,
                renderer != nullptr ? renderer : "unknown renderer");
    std::printf("bench: HUD on   %9.1f fps  %7.3f ms a frame\n", on, 1000.0 / on);
    std::printf("bench: HUD off  %9.1f fps  %7.3f ms a frame\n", off, 1000.0 / off);
    std::printf("bench: on/off   %9.3f\n", on / off);
}

}  // namespace hudhost

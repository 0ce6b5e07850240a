// An offscreen OpenGL compatibility context, such as the modeller renders its viewport in:
// EGL surfaceless with a pbuffer on Linux, a hidden window with WGL on Windows.
#pragma once

#include <memory>
#include <string>

namespace hudhost {

class GlContext {
public:
    // Creates a context with an RGBA8 colour buffer and a 24-bit depth buffer of the given size
    // and makes it current. Null, with a one-line reason in `error`, when none can be had.
    static std::unique_ptr<GlContext> create(int width, int height, std::string& error);

    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    void makeCurrent();
    // Leaves no context current on this thread.
    void releaseCurrent();

private:
    struct Native;
    explicit GlContext(std::unique_ptr<Native> native);

    std::unique_ptr<Native> native_;
};

}  // namespace hudhost

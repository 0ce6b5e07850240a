#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "gl_context.h"

namespace hudhost {

struct GlContext::Native {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};

GlContext::GlContext(std::unique_ptr<Native> native) : native_(std::move(native)) {}

GlContext::~GlContext() {
    if (native_->display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(native_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (native_->context != EGL_NO_CONTEXT) eglDestroyContext(native_->display, native_->context);
    if (native_->surface != EGL_NO_SURFACE) eglDestroySurface(native_->display, native_->surface);
    // The display stays initialised (eglInitialize on it again is harmless): terminating it
    // unloads the driver, and leak checkers can then no longer name the driver's own leftovers.
}

std::unique_ptr<GlContext> GlContext::create(int width, int height, std::string& error) {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        error = "EGL has no eglGetPlatformDisplayEXT";
        return nullptr;
    }
    auto native = std::make_unique<Native>();
    // Surfaceless: no window system needed, so it works on a headless machine.
    native->display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (native->display == EGL_NO_DISPLAY || !eglInitialize(native->display, nullptr, nullptr)) {
        native->display = EGL_NO_DISPLAY;
        error = "no EGL display (Mesa surfaceless platform)";
        return nullptr;
    }
    std::unique_ptr<GlContext> result(new GlContext(std::move(native)));
    Native& n = *result->native_;

    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_ALPHA_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       24,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(n.display, configAttributes, &config, 1, &configs) || configs < 1) {
        error = "no EGL config with a pbuffer and desktop OpenGL";
        return nullptr;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        error = "EGL cannot bind desktop OpenGL";
        return nullptr;
    }
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    n.surface = eglCreatePbufferSurface(n.display, config, surfaceAttributes);
    // The default context is a compatibility one: display lists and glBitmap are there.
    n.context = eglCreateContext(n.display, config, EGL_NO_CONTEXT, nullptr);
    if (n.surface == EGL_NO_SURFACE || n.context == EGL_NO_CONTEXT) {
        error = "cannot create an EGL pbuffer or context";
        return nullptr;
    }
    result->makeCurrent();
    return result;
}

void GlContext::makeCurrent() {
    eglMakeCurrent(native_->display, native_->surface, native_->surface, native_->context);
}

void GlContext::releaseCurrent() {
    eglMakeCurrent(native_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

}  // namespace hudhost

#include <windows.h>

#include "gl_context.h"
#include "gl_context_wgl.h"

namespace hudhost {

bool setViewportPixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cAlphaBits = 8;
    format.cDepthBits = 24;
    format.iLayerType = PFD_MAIN_PLANE;
    const int chosen = ChoosePixelFormat(dc, &format);
    return chosen != 0 && SetPixelFormat(dc, chosen, &format);
}

struct GlContext::Native {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

GlContext::GlContext(std::unique_ptr<Native> native) : native_(std::move(native)) {}

GlContext::~GlContext() {
    wglMakeCurrent(nullptr, nullptr);
    if (native_->context) wglDeleteContext(native_->context);
    if (native_->dc) ReleaseDC(native_->window, native_->dc);
    if (native_->window) DestroyWindow(native_->window);
}

std::unique_ptr<GlContext> GlContext::create(int width, int height, std::string& error) {
    const char* className = "hudhost-gl";
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);  // fails harmlessly when a second context registers it again

    auto native = std::make_unique<Native>();
    // Never shown: the host's viewport is drawn into the window's back buffer and read back. A
    // popup window has no frame, so all of it is the drawing area.
    native->window = CreateWindowExA(0, className, "hudhost", WS_POPUP, 0, 0, width, height,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
    if (native->window == nullptr) {
        error = "cannot create a window for WGL";
        return nullptr;
    }
    RECT client{};
    if (!GetClientRect(native->window, &client) || client.right != width ||
        client.bottom != height) {
        DestroyWindow(native->window);
        error = "cannot get a window with a drawing area of " + std::to_string(width) + "x" +
                std::to_string(height);
        return nullptr;
    }
    std::unique_ptr<GlContext> result(new GlContext(std::move(native)));
    Native& n = *result->native_;
    n.dc = GetDC(n.window);

    if (!setViewportPixelFormat(n.dc)) {
        error = "no WGL pixel format with RGBA and depth";
        return nullptr;
    }
    n.context = wglCreateContext(n.dc);
    if (n.context == nullptr) {
        error = "cannot create a WGL context";
        return nullptr;
    }
    result->makeCurrent();
    return result;
}

void GlContext::makeCurrent() { wglMakeCurrent(native_->dc, native_->context); }

void GlContext::releaseCurrent() { wglMakeCurrent(nullptr, nullptr); }

}  // namespace hudhost

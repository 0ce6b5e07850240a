// The preview window in plain Win32 with a WGL context, as the modeller's own viewport is made.
#include <windows.h>

#include <string>

#include "gl_context_wgl.h"
#include "preview.h"
#include "window_session.h"

namespace hudhost {
namespace {

constexpr const char* kClassName = "hudhost-preview";

// A virtual key as the preview names it: letters and digits are numbered alike.
int keyOf(WPARAM key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<int>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        return kKeyKeypad0 + static_cast<int>(key - VK_NUMPAD0);
    }
    switch (key) {
        case VK_PRIOR:
            return kKeyPageUp;
        case VK_NEXT:
            return kKeyPageDown;
        case VK_F12:
            return kKeyF12;
        case VK_ESCAPE:
            return kKeyEscape;
        default:
            return -1;
    }
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* session = reinterpret_cast<WindowSession*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (session == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_KEYDOWN:
            // Bit 30: the key was already down, so this is a repeat.
            if ((lParam & (1L << 30)) == 0) session->key(keyOf(wParam));
            return 0;
        case WM_CHAR:
            session->character(static_cast<unsigned int>(wParam));
            return 0;
        case WM_SIZE:
            session->invalidate();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            session->invalidate();
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the frame covers it all
        case WM_CLOSE:
            session->close();  // the window goes after the plug-in has released its lists
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The window, its device context and its GL context, released in the reverse order.
class Window {
public:
    ~Window() {
        if (context_ != nullptr) {
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(context_);
        }
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
        if (window_ != nullptr) DestroyWindow(window_);
    }

    // A window whose drawing area is `width` x `height`, with its context current.
    bool open(int width, int height, std::string& error) {
        WNDCLASSA windowClass{};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        RECT area{0, 0, width, height};
        AdjustWindowRect(&area, WS_OVERLAPPEDWINDOW, FALSE);
        window_ = CreateWindowExA(0, kClassName, "hudhost", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, area.right - area.left, area.bottom - area.top,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
        if (window_ == nullptr) {
            error = "cannot open a window: error " + std::to_string(GetLastError());
            return false;
        }
        dc_ = GetDC(window_);
        if (!setViewportPixelFormat(dc_)) {
            error = "cannot open a window: no WGL pixel format with RGBA and depth";
            return false;
        }
        context_ = wglCreateContext(dc_);
        if (context_ == nullptr || !wglMakeCurrent(dc_, context_)) {
            error = "cannot open a window: cannot create a WGL context";
            return false;
        }
        return true;
    }

    void attach(WindowSession& session) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session));
        ShowWindow(window_, SW_SHOW);
    }

    void size(int& width, int& height) const {
        RECT area{};
        GetClientRect(window_, &area);
        width = area.right;
        height = area.bottom;
    }

    void setTitle(const std::string& title) const { SetWindowTextA(window_, title.c_str()); }
    void show() const { SwapBuffers(dc_); }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
};

// Sleeps until a message or the file watch's notification arrives, or `limitMs` have passed,
// then hands the window's messages to its procedure.
void waitForEvents(HANDLE watch, int limitMs) {
    MsgWaitForMultipleObjects(watch != nullptr ? 1 : 0, &watch, FALSE, static_cast<DWORD>(limitMs),
                              QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);  // WM_CHAR for + and -
        DispatchMessageA(&message);
    }
}

}  // namespace

bool runPreview(const Options& options, const std::string& picturePath, HostSide& host,
                std::string& error) {
    Window window;
    if (!window.open(options.width, options.height, error)) return false;
    WindowSession session(host, options, picturePath);
    window.attach(session);

    int width = 0;
    int height = 0;
    window.size(width, height);
    session.start(width, height);
    window.show();

    // The frames: only when something shown may have changed, so that an idle window sleeps.
    std::string title;
    while (!session.closing()) {
        if (session.title() != title) {
            title = session.title();
            window.setTitle(title);
        }
        waitForEvents(reinterpret_cast<HANDLE>(session.watch().waitHandle()),
                      session.waitLimitMs());
        window.size(width, height);
        if (session.update(width, height)) window.show();
    }
    session.finish();
    return true;
}

}  // namespace hudhost

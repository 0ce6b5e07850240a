// The preview window in plain Win32 with a WGL context, as the modeller's own viewport is made.
#include <windows.h>

#include <string>

#include "gl_context_wgl.h"
#include "preview/preview.h"
#include "preview/preview_loop.h"

namespace hudhost {
namespace {

constexpr const char* kClassName = "hudhost-preview";

// Windows' virtual key codes for the preview's keys.
constexpr struct {
    WPARAM virtualKey;
    Key key;
} kVirtualKeys[] = {
    {'S', Key::S},
    {'N', Key::N},
    {'P', Key::P},
    {'R', Key::R},
    {'F', Key::F},
    {'E', Key::E},
    {'V', Key::V},
    {'Q', Key::Q},
    {VK_NEXT, Key::PageDown},
    {VK_PRIOR, Key::PageUp},
    {VK_F12, Key::F12},
    {VK_ESCAPE, Key::Escape},
    {'1', Key::Digit1},
    {'2', Key::Digit2},
    {'3', Key::Digit3},
    {'4', Key::Digit4},
    {'5', Key::Digit5},
    {'6', Key::Digit6},
    {'7', Key::Digit7},
    {'8', Key::Digit8},
    {VK_NUMPAD1, Key::Keypad1},
    {VK_NUMPAD2, Key::Keypad2},
    {VK_NUMPAD3, Key::Keypad3},
    {VK_NUMPAD4, Key::Keypad4},
    {VK_NUMPAD5, Key::Keypad5},
    {VK_NUMPAD6, Key::Keypad6},
    {VK_NUMPAD7, Key::Keypad7},
    {VK_NUMPAD8, Key::Keypad8},
};

void onKey(PreviewLoop& loop, WPARAM virtualKey) {
    for (const auto& row : kVirtualKeys) {
        if (row.virtualKey == virtualKey) return loop.press(bindingOfKey(row.key));
    }
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* loop = reinterpret_cast<PreviewLoop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (loop == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_KEYDOWN:
            // Bit 30: the key was already down, so this is a repeat.
            if ((lParam & (1L << 30)) == 0) onKey(*loop, wParam);
            return 0;
        case WM_CHAR:
            loop->press(bindingOfCharacter(static_cast<unsigned int>(wParam)));
            return 0;
        case WM_SIZE:
            loop->invalidate();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            loop->invalidate();
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the frame covers it all
        case WM_CLOSE:
            loop->close();  // the window goes after the plug-in has released its lists
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

    void attach(PreviewLoop& loop) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&loop));
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

bool runPreview(const PreviewSetup& setup, HostSide& host, std::string& error) {
    Window window;
    if (!window.open(setup.width, setup.height, error)) return false;
    PreviewLoop loop(host, setup);
    window.attach(loop);

    int width = 0;
    int height = 0;
    window.size(width, height);
    loop.start(width, height);
    window.show();

    // The frames: only when something shown may have changed, so that an idle window sleeps.
    std::string title;
    while (!loop.closing()) {
        if (loop.takeTitle(title)) window.setTitle(title);
        waitForEvents(reinterpret_cast<HANDLE>(loop.watch().waitHandle()), loop.waitLimitMs());
        window.size(width, height);
        if (loop.update(width, height)) window.show();
    }
    loop.finish();
    return true;
}

}  // namespace hudhost

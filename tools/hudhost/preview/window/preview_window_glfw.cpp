// The preview window through GLFW on X11, with a compatibility context so that the HUD's OpenGL
// 1.1 drawing works in it as in the modeller's viewport.
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <poll.h>

#include <memory>
#include <string>

#include "preview/preview.h"
#include "preview/preview_loop.h"

namespace hudhost {
namespace {

// The last GLFW failure, as one line.
std::string glfwFailure() {
    const char* description = nullptr;
    glfwGetError(&description);
    return description != nullptr ? description : "unknown GLFW error";
}

// GLFW's key codes for the preview's keys.
constexpr struct {
    int glfwKey;
    Key key;
} kGlfwKeys[] = {
    {GLFW_KEY_S, Key::S},
    {GLFW_KEY_N, Key::N},
    {GLFW_KEY_P, Key::P},
    {GLFW_KEY_R, Key::R},
    {GLFW_KEY_F, Key::F},
    {GLFW_KEY_E, Key::E},
    {GLFW_KEY_V, Key::V},
    {GLFW_KEY_Q, Key::Q},
    {GLFW_KEY_PAGE_DOWN, Key::PageDown},
    {GLFW_KEY_PAGE_UP, Key::PageUp},
    {GLFW_KEY_F12, Key::F12},
    {GLFW_KEY_ESCAPE, Key::Escape},
    {GLFW_KEY_1, Key::Digit1},
    {GLFW_KEY_2, Key::Digit2},
    {GLFW_KEY_3, Key::Digit3},
    {GLFW_KEY_4, Key::Digit4},
    {GLFW_KEY_5, Key::Digit5},
    {GLFW_KEY_6, Key::Digit6},
    {GLFW_KEY_7, Key::Digit7},
    {GLFW_KEY_8, Key::Digit8},
    {GLFW_KEY_KP_1, Key::Keypad1},
    {GLFW_KEY_KP_2, Key::Keypad2},
    {GLFW_KEY_KP_3, Key::Keypad3},
    {GLFW_KEY_KP_4, Key::Keypad4},
    {GLFW_KEY_KP_5, Key::Keypad5},
    {GLFW_KEY_KP_6, Key::Keypad6},
    {GLFW_KEY_KP_7, Key::Keypad7},
    {GLFW_KEY_KP_8, Key::Keypad8},
};

PreviewLoop& loopOf(GLFWwindow* window) {
    return *static_cast<PreviewLoop*>(glfwGetWindowUserPointer(window));
}

void onKey(GLFWwindow* window, int glfwKey, int, int action, int) {
    if (action != GLFW_PRESS) return;
    for (const auto& row : kGlfwKeys) {
        if (row.glfwKey == glfwKey) return loopOf(window).press(bindingOfKey(row.key));
    }
}

// Sleeps until the X server or the file watch has something, or `limitMs` have passed, then
// hands the window's events to its callbacks. GLFW's own wait cannot include the watch.
void waitForEvents(Display* display, int watchFd, int limitMs) {
    // Xlib may already hold events read from the connection, which poll would not see.
    if (XPending(display) == 0) {
        pollfd ready[] = {{ConnectionNumber(display), POLLIN, 0}, {watchFd, POLLIN, 0}};
        poll(ready, watchFd >= 0 ? 2 : 1, limitMs);
    }
    glfwPollEvents();
}

struct WindowDeleter {
    void operator()(GLFWwindow* window) const { glfwDestroyWindow(window); }
};
using Window = std::unique_ptr<GLFWwindow, WindowDeleter>;

Window openWindow(const PreviewSetup& setup, std::string& error) {
    glfwDefaultWindowHints();
    // A compatibility context of any version, double-buffered with a depth buffer, as the
    // modeller's viewport has.
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_ANY_PROFILE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
    Window window(glfwCreateWindow(setup.width, setup.height, "hudhost", nullptr, nullptr));
    if (!window) {
        error = "cannot open a window: " + glfwFailure();
        return nullptr;
    }
    glfwMakeContextCurrent(window.get());
    glfwSwapInterval(1);
    return window;
}

}  // namespace

bool runPreview(const PreviewSetup& setup, HostSide& host, std::string& error) {
    // The window and its context. GLFW is never terminated: the program ends with the window, and
    // terminating unloads the GL driver, after which leak checkers can no longer name the driver's
    // own leftovers.
    if (!glfwInit()) {
        error = "cannot open a window: " + glfwFailure();
        return false;
    }
    Window window = openWindow(setup, error);
    if (!window) return false;
    GLFWwindow* w = window.get();
    PreviewLoop loop(host, setup);
    glfwSetWindowUserPointer(w, &loop);
    glfwSetKeyCallback(w, onKey);
    glfwSetCharCallback(w, [](GLFWwindow* w, unsigned int codepoint) {
        loopOf(w).press(bindingOfCharacter(codepoint));
    });
    glfwSetFramebufferSizeCallback(w, [](GLFWwindow* w, int, int) { loopOf(w).invalidate(); });
    glfwSetWindowRefreshCallback(w, [](GLFWwindow* w) { loopOf(w).invalidate(); });
    glfwSetWindowCloseCallback(w, [](GLFWwindow* w) { loopOf(w).close(); });

    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(w, &width, &height);
    loop.start(width, height);
    glfwSwapBuffers(w);

    // The frames: only when something shown may have changed, so that an idle window sleeps.
    Display* display = glfwGetX11Display();
    std::string title;
    while (!loop.closing()) {
        if (loop.takeTitle(title)) glfwSetWindowTitle(w, title.c_str());
        waitForEvents(display, static_cast<int>(loop.watch().waitHandle()), loop.waitLimitMs());
        glfwGetFramebufferSize(w, &width, &height);
        if (loop.update(width, height)) glfwSwapBuffers(w);
    }
    loop.finish();
    return true;
}

}  // namespace hudhost

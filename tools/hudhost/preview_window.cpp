// The preview window through GLFW on X11, with a compatibility context so that the HUD's OpenGL
// 1.1 drawing works in it as in the modeller's viewport.
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <poll.h>

#include <memory>
#include <string>

#include "preview.h"
#include "window_session.h"

namespace hudhost {
namespace {

// The last GLFW failure, as one line.
std::string glfwFailure() {
    const char* description = nullptr;
    glfwGetError(&description);
    return description != nullptr ? description : "unknown GLFW error";
}

// A GLFW key as the preview names it: letters and digits are numbered alike.
int keyOf(int key) {
    if ((key >= GLFW_KEY_A && key <= GLFW_KEY_Z) || (key >= GLFW_KEY_0 && key <= GLFW_KEY_9)) {
        return key;
    }
    if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) return kKeyKeypad0 + (key - GLFW_KEY_KP_0);
    switch (key) {
        case GLFW_KEY_PAGE_UP:
            return kKeyPageUp;
        case GLFW_KEY_PAGE_DOWN:
            return kKeyPageDown;
        case GLFW_KEY_F12:
            return kKeyF12;
        case GLFW_KEY_ESCAPE:
            return kKeyEscape;
        default:
            return -1;
    }
}

WindowSession& sessionOf(GLFWwindow* window) {
    return *static_cast<WindowSession*>(glfwGetWindowUserPointer(window));
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

Window openWindow(const Options& options, std::string& error) {
    glfwDefaultWindowHints();
    // A compatibility context of any version, double-buffered with a depth buffer, as the
    // modeller's viewport has.
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_ANY_PROFILE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
    Window window(glfwCreateWindow(options.width, options.height, "hudhost", nullptr, nullptr));
    if (!window) {
        error = "cannot open a window: " + glfwFailure();
        return nullptr;
    }
    glfwMakeContextCurrent(window.get());
    glfwSwapInterval(1);
    return window;
}

}  // namespace

bool runPreview(const Options& options, const std::string& picturePath, HostSide& host,
                std::string& error) {
    // The window and its context. GLFW is never terminated: the program ends with the window, and
    // terminating unloads the GL driver, after which leak checkers can no longer name the driver's
    // own leftovers.
    if (!glfwInit()) {
        error = "cannot open a window: " + glfwFailure();
        return false;
    }
    Window window = openWindow(options, error);
    if (!window) return false;
    GLFWwindow* w = window.get();
    WindowSession session(host, options, picturePath);
    glfwSetWindowUserPointer(w, &session);
    glfwSetKeyCallback(w, [](GLFWwindow* w, int key, int, int action, int) {
        if (action == GLFW_PRESS) sessionOf(w).key(keyOf(key));
    });
    glfwSetCharCallback(
        w, [](GLFWwindow* w, unsigned int codepoint) { sessionOf(w).character(codepoint); });
    glfwSetFramebufferSizeCallback(w, [](GLFWwindow* w, int, int) { sessionOf(w).invalidate(); });
    glfwSetWindowRefreshCallback(w, [](GLFWwindow* w) { sessionOf(w).invalidate(); });
    glfwSetWindowCloseCallback(w, [](GLFWwindow* w) { sessionOf(w).close(); });

    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(w, &width, &height);
    session.start(width, height);
    glfwSwapBuffers(w);

    // The frames: only when something shown may have changed, so that an idle window sleeps.
    Display* display = glfwGetX11Display();
    std::string title;
    while (!session.closing()) {
        if (session.title() != title) {
            title = session.title();
            glfwSetWindowTitle(w, title.c_str());
        }
        waitForEvents(display, static_cast<int>(session.watch().waitHandle()),
                      session.waitLimitMs());
        glfwGetFramebufferSize(w, &width, &height);
        if (session.update(width, height)) glfwSwapBuffers(w);
    }
    session.finish();
    return true;
}

}  // namespace hudhost

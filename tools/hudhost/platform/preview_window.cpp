// The preview window through GLFW, with a compatibility context so that the HUD's OpenGL 1.1
// drawing works in it as in the modeller's viewport.
#include <GLFW/glfw3.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "file_watch.h"
#include "png_writer.h"
#include "preview.h"
#include "preview_controls.h"
#include "preview_keys.h"
#include "scene.h"
#include "viewport.h"

namespace hudhost {
namespace {

// The longest wait for input: the clock tokens are redrawn at least this often (seconds).
constexpr double kClockTick = 0.1;
constexpr const char* kIniFolder = "Plugins/Startup Plugins";
constexpr const char* kIniName = "VantorHUD.ini";

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

// The last GLFW failure, as one line.
std::string glfwFailure() {
    const char* description = nullptr;
    glfwGetError(&description);
    return description != nullptr ? description : "unknown GLFW error";
}

void showState(GLFWwindow* window, const PreviewControls& controls) {
    const std::string title = "hudhost: " + controls.stateText();
    glfwSetWindowTitle(window, title.c_str());
}

void apply(GLFWwindow* window, const KeyBinding* binding) {
    if (binding == nullptr) return;
    auto& controls = *static_cast<PreviewControls*>(glfwGetWindowUserPointer(window));
    switch (controls.apply(*binding)) {
        case PreviewControls::Outcome::Nothing:
            return;
        case PreviewControls::Outcome::ShowState:
            return showState(window, controls);
        case PreviewControls::Outcome::Close:
            return glfwSetWindowShouldClose(window, GLFW_TRUE);
    }
}

void onKey(GLFWwindow* window, int glfwKey, int, int action, int) {
    if (action != GLFW_PRESS) return;
    for (const auto& row : kGlfwKeys) {
        if (row.glfwKey == glfwKey) return apply(window, bindingOfKey(row.key));
    }
}

void onCharacter(GLFWwindow* window, unsigned int codepoint) {
    apply(window, bindingOfCharacter(codepoint));
}

// The viewport at the window's current size, seen through the current camera. The scene's lists
// live in the window's context, so a Frames must go before the window does.
class Frames {
public:
    Frames(const HostSide& host, std::vector<std::int32_t> drawFlags)
        : host_(host), drawFlags_(std::move(drawFlags)) {}
    ~Frames() {
        viewport_.reset();  // it refers to the scene
    }

    // Draws one frame into the back buffer; false when the window has no area (minimised).
    bool draw(GLFWwindow* window, Camera camera) {
        int width = 0;
        int height = 0;
        glfwGetFramebufferSize(window, &width, &height);
        if (width <= 0 || height <= 0) return false;
        if (!scene_ || camera != camera_) {
            viewport_.reset();
            scene_ = std::make_unique<Scene>(camera);
            camera_ = camera;
        }
        if (!viewport_ || width != viewport_->width() || height != viewport_->height()) {
            viewport_ = std::make_unique<Viewport>(*scene_, &host_, drawFlags_, width, height);
        }
        viewport_->frame(true);
        return true;
    }

    // Writes the back buffer's frame to `path`, through a temporary file renamed into place, so
    // that a reader never sees half a picture.
    bool save(const std::string& path, std::string& error) const {
        const std::string part = path + ".part";
        if (!writeFramePng(part, viewport_->width(), viewport_->height(), error)) return false;
        std::error_code ec;
        std::filesystem::rename(part, path, ec);
        if (ec) error = "cannot write " + path + ": " + ec.message();
        return !ec;
    }

private:
    const HostSide& host_;
    std::vector<std::int32_t> drawFlags_;
    Camera camera_ = Camera::MainPerspective;
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<Viewport> viewport_;
};

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

const char* previewKeys() { return previewKeysText(); }

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
    PreviewControls controls(host, options);
    glfwSetWindowUserPointer(window.get(), &controls);
    glfwSetKeyCallback(window.get(), onKey);
    glfwSetCharCallback(window.get(), onCharacter);
    controls.checkLayout();
    showState(window.get(), controls);

    // The INI file: a change on disk runs Reload INI, as the user would after saving.
    FileWatch watch;
    std::string watchError;
    if (!watch.start(kIniFolder, kIniName, watchError)) {
        report(watchError + "; press R to reload after editing");
    }
    std::fputs(previewKeysText(), stderr);

    // Start-up: the first frame reads the INI file, then the commands of the command line.
    Frames frames(host, options.drawFlags);
    frames.draw(window.get(), controls.camera());
    glfwSwapBuffers(window.get());
    for (Command command : options.commands) host.execute(command);

    // The frames: keys and file changes first, so that a picture asked for shows their effect.
    while (!glfwWindowShouldClose(window.get())) {
        glfwWaitEventsTimeout(kClockTick);
        if (watch.changed()) {
            host.execute(Command::Reload);
            report(std::string(kIniName) +
                   " changed: " + host.functionName(static_cast<int>(Command::Reload)));
            controls.checkLayout();
            showState(window.get(), controls);
        }
        if (!frames.draw(window.get(), controls.camera())) continue;
        if (controls.takeSaveWish()) {
            std::string saveError;
            if (frames.save(picturePath, saveError)) {
                report("picture: " + picturePath);
            } else {
                report(saveError);
            }
        }
        glfwSwapBuffers(window.get());
    }

    // Shut down as the modeller does: the plug-in releases its lists while the context is current.
    host.release();
    return true;
}

}  // namespace hudhost

// The preview window through GLFW, with a compatibility context so that the HUD's OpenGL 1.1
// drawing works in it as in the modeller's viewport.
#include <GLFW/glfw3.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "file_watch.h"
#include "layout_check.h"
#include "pages/hud_settings.h"
#include "png_writer.h"
#include "preview.h"
#include "scene.h"
#include "viewport.h"

namespace hudhost {
namespace {

// The longest wait for input: the clock tokens are redrawn at least this often (seconds).
constexpr double kClockTick = 0.1;
constexpr const char* kIniFolder = "Plugins/Startup Plugins";
constexpr const char* kIniName = "VantorHUD.ini";
constexpr std::uint32_t kMaxCount = 2147483647;  // as --faces, --edges and --vertices take

constexpr char kKeys[] = R"(Keys in the preview window (hudhost --window):
  S                 Switch: show or hide the HUD (it starts hidden)
  N or Page Down    Next Page
  P or Page Up      Prev Page
  R                 Reload INI (it also runs by itself when the INI file changes on disk)
  1 to 7            camera: Main Perspective, Top, Left, Right, Front, Back, Bottom
  8                 a free camera, which the HUD names Free Ortho
  F, E, V           select faces, edges or vertices
  + and -           one more or one fewer selected in that mode; hold to run
  F12               save the frame as the --out picture
  Esc or Q          close the window
)";

enum class Action { Command, Camera, Mode, Count, Save, Close };

struct Binding {
    int key;  // a GLFW key, or a character for the character bindings
    Action action;
    int value;  // the command, the camera, the selection mode or the step of the count
};

constexpr int of(Command command) { return static_cast<int>(command); }
constexpr int of(Camera camera) { return static_cast<int>(camera); }

constexpr Binding kKeyBindings[] = {
    {GLFW_KEY_S, Action::Command, of(Command::Switch)},
    {GLFW_KEY_N, Action::Command, of(Command::Next)},
    {GLFW_KEY_PAGE_DOWN, Action::Command, of(Command::Next)},
    {GLFW_KEY_P, Action::Command, of(Command::Prev)},
    {GLFW_KEY_PAGE_UP, Action::Command, of(Command::Prev)},
    {GLFW_KEY_R, Action::Command, of(Command::Reload)},
    {GLFW_KEY_1, Action::Camera, of(Camera::MainPerspective)},
    {GLFW_KEY_2, Action::Camera, of(Camera::Top)},
    {GLFW_KEY_3, Action::Camera, of(Camera::Left)},
    {GLFW_KEY_4, Action::Camera, of(Camera::Right)},
    {GLFW_KEY_5, Action::Camera, of(Camera::Front)},
    {GLFW_KEY_6, Action::Camera, of(Camera::Back)},
    {GLFW_KEY_7, Action::Camera, of(Camera::Bottom)},
    {GLFW_KEY_8, Action::Camera, of(Camera::Free)},
    {GLFW_KEY_KP_1, Action::Camera, of(Camera::MainPerspective)},
    {GLFW_KEY_KP_2, Action::Camera, of(Camera::Top)},
    {GLFW_KEY_KP_3, Action::Camera, of(Camera::Left)},
    {GLFW_KEY_KP_4, Action::Camera, of(Camera::Right)},
    {GLFW_KEY_KP_5, Action::Camera, of(Camera::Front)},
    {GLFW_KEY_KP_6, Action::Camera, of(Camera::Back)},
    {GLFW_KEY_KP_7, Action::Camera, of(Camera::Bottom)},
    {GLFW_KEY_KP_8, Action::Camera, of(Camera::Free)},
    {GLFW_KEY_F, Action::Mode, 0},
    {GLFW_KEY_E, Action::Mode, 1},
    {GLFW_KEY_V, Action::Mode, 2},
    {GLFW_KEY_F12, Action::Save, 0},
    {GLFW_KEY_ESCAPE, Action::Close, 0},
    {GLFW_KEY_Q, Action::Close, 0},
};

// + and - by the character typed, so that they are found on any keyboard layout, the keypad's
// included; a held key repeats its character.
constexpr Binding kCharacterBindings[] = {
    {'+', Action::Count, 1},
    {'-', Action::Count, -1},
};

void report(const std::string& line) { std::fprintf(stderr, "hudhost: %s\n", line.c_str()); }

// The last GLFW failure, as one line.
std::string glfwFailure() {
    const char* description = nullptr;
    glfwGetError(&description);
    return description != nullptr ? description : "unknown GLFW error";
}

// The count the selection mode shows, or null for a mode the HUD shows no count for.
std::uint32_t* countOf(SceneSetup& setup) {
    switch (setup.selectionMode) {
        case 0:
            return &setup.faces;
        case 1:
            return &setup.edges;
        case 2:
            return &setup.vertices;
        default:
            return nullptr;
    }
}

std::string selectionText(SceneSetup setup) {
    static const char* const kWhat[] = {"faces", "edges", "vertices"};
    const std::uint32_t* count = countOf(setup);
    if (count == nullptr) return "selection mode " + std::to_string(setup.selectionMode);
    return std::to_string(*count) + " " + kWhat[setup.selectionMode] + " selected";
}

// The user's side of the window: what the keys change, and the picture F12 asks for.
class Preview {
public:
    Preview(HostSide& host, const Options& options)
        : host_(host),
          setup_{options.camera, options.selectionMode, options.faces, options.edges,
                 options.vertices} {}

    void key(GLFWwindow* window, int key, int action) {
        if (action != GLFW_PRESS) return;
        for (const Binding& binding : kKeyBindings) {
            if (binding.key == key) return apply(window, binding);
        }
    }

    void character(GLFWwindow* window, unsigned int codepoint) {
        for (const Binding& binding : kCharacterBindings) {
            if (static_cast<unsigned int>(binding.key) == codepoint) return apply(window, binding);
        }
    }

    void showState(GLFWwindow* window) const {
        const std::string title = std::string("hudhost: ") + cameraName(setup_.camera) + ", " +
                                  selectionText(setup_) + "; layout: " + layoutCounts_;
        glfwSetWindowTitle(window, title.c_str());
    }

    // The layout check, run with every reload: its findings on stderr, its counts in the title.
    void checkLayout(GLFWwindow* window) {
        layoutCounts_ = check::titleCounts(check::checkLayout(vantor::kIniPath, stderr));
        showState(window);
    }

    Camera camera() const { return setup_.camera; }

    // Whether F12 was pressed since the last call.
    bool takeSaveWish() {
        const bool wanted = saveWanted_;
        saveWanted_ = false;
        return wanted;
    }

private:
    void apply(GLFWwindow* window, const Binding& binding) {
        switch (binding.action) {
            case Action::Command:
                host_.execute(static_cast<Command>(binding.value));
                report(host_.functionName(binding.value));
                if (binding.value == of(Command::Reload)) checkLayout(window);
                return;
            case Action::Camera:
                setup_.camera = static_cast<Camera>(binding.value);
                report(std::string("camera ") + cameraName(setup_.camera));
                break;
            case Action::Mode:
                setup_.selectionMode = binding.value;
                report(selectionText(setup_));
                break;
            case Action::Count:
                if (!step(binding.value)) return;
                report(selectionText(setup_));
                break;
            case Action::Save:
                saveWanted_ = true;
                return;
            case Action::Close:
                glfwSetWindowShouldClose(window, GLFW_TRUE);
                return;
        }
        host_.setScene(setup_);
        showState(window);
    }

    // Changes the current mode's count by `by`, within 0 and kMaxCount; false when it stays.
    bool step(int by) {
        std::uint32_t* count = countOf(setup_);
        if (count == nullptr) return false;
        if (by < 0 && *count == 0) return false;
        if (by > 0 && *count == kMaxCount) return false;
        *count = by < 0 ? *count - 1 : *count + 1;
        return true;
    }

    HostSide& host_;
    SceneSetup setup_;
    std::string layoutCounts_;
    bool saveWanted_ = false;
};

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

const char* previewKeys() { return kKeys; }

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
    Preview preview(host, options);
    glfwSetWindowUserPointer(window.get(), &preview);
    glfwSetKeyCallback(window.get(), [](GLFWwindow* w, int key, int, int action, int) {
        static_cast<Preview*>(glfwGetWindowUserPointer(w))->key(w, key, action);
    });
    glfwSetCharCallback(window.get(), [](GLFWwindow* w, unsigned int codepoint) {
        static_cast<Preview*>(glfwGetWindowUserPointer(w))->character(w, codepoint);
    });
    preview.checkLayout(window.get());

    // The INI file: a change on disk runs Reload INI, as the user would after saving.
    FileWatch watch;
    std::string watchError;
    if (!watch.start(kIniFolder, kIniName, watchError)) {
        report(watchError + "; press R to reload after editing");
    }
    std::fputs(kKeys, stderr);

    // Start-up: the first frame reads the INI file, then the commands of the command line.
    Frames frames(host, options.drawFlags);
    frames.draw(window.get(), preview.camera());
    glfwSwapBuffers(window.get());
    for (Command command : options.commands) host.execute(command);

    // The frames: keys and file changes first, so that a picture asked for shows their effect.
    while (!glfwWindowShouldClose(window.get())) {
        glfwWaitEventsTimeout(kClockTick);
        if (watch.changed()) {
            host.execute(Command::Reload);
            report(std::string(kIniName) + " changed: " + host.functionName(of(Command::Reload)));
            preview.checkLayout(window.get());
        }
        if (!frames.draw(window.get(), preview.camera())) continue;
        if (preview.takeSaveWish()) {
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

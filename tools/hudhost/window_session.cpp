#include "window_session.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "png_writer.h"
#include "preview.h"
#include "scene.h"
#include "viewport.h"

namespace hudhost {
namespace {

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

void report(const std::string& line) { std::fprintf(stderr, "hudhost: %s\n", line.c_str()); }

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

long long currentSecond() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

enum class Action { Command, Camera, Mode, Count, Save, Close };

constexpr int of(Command command) { return static_cast<int>(command); }
constexpr int of(Camera camera) { return static_cast<int>(camera); }

}  // namespace

struct KeyBinding {
    int key;  // a Key, or a character for the character bindings
    Action action;
    int value;  // the command, the camera, the selection mode or the step of the count
};

namespace {

// The preview's keys, one table for every platform's window.
constexpr KeyBinding kKeyBindings[] = {
    {'S', Action::Command, of(Command::Switch)},
    {'N', Action::Command, of(Command::Next)},
    {kKeyPageDown, Action::Command, of(Command::Next)},
    {'P', Action::Command, of(Command::Prev)},
    {kKeyPageUp, Action::Command, of(Command::Prev)},
    {'R', Action::Command, of(Command::Reload)},
    {'1', Action::Camera, of(Camera::MainPerspective)},
    {'2', Action::Camera, of(Camera::Top)},
    {'3', Action::Camera, of(Camera::Left)},
    {'4', Action::Camera, of(Camera::Right)},
    {'5', Action::Camera, of(Camera::Front)},
    {'6', Action::Camera, of(Camera::Back)},
    {'7', Action::Camera, of(Camera::Bottom)},
    {'8', Action::Camera, of(Camera::Free)},
    {kKeyKeypad0 + 1, Action::Camera, of(Camera::MainPerspective)},
    {kKeyKeypad0 + 2, Action::Camera, of(Camera::Top)},
    {kKeyKeypad0 + 3, Action::Camera, of(Camera::Left)},
    {kKeyKeypad0 + 4, Action::Camera, of(Camera::Right)},
    {kKeyKeypad0 + 5, Action::Camera, of(Camera::Front)},
    {kKeyKeypad0 + 6, Action::Camera, of(Camera::Back)},
    {kKeyKeypad0 + 7, Action::Camera, of(Camera::Bottom)},
    {kKeyKeypad0 + 8, Action::Camera, of(Camera::Free)},
    {'F', Action::Mode, 0},
    {'E', Action::Mode, 1},
    {'V', Action::Mode, 2},
    {kKeyF12, Action::Save, 0},
    {kKeyEscape, Action::Close, 0},
    {'Q', Action::Close, 0},
};

// + and - by the character typed, so that they are found on any keyboard layout, the keypad's
// included; a held key repeats its character.
constexpr KeyBinding kCharacterBindings[] = {
    {'+', Action::Count, 1},
    {'-', Action::Count, -1},
};

}  // namespace

// The viewport at the window's current size, seen through the current camera. The scene's lists
// live in the window's context, so a Frames must go before the context does.
class Frames {
public:
    Frames(const HostSide& host, const Options& options)
        : host_(host), drawFlags_(options.drawFlags), background_(options.background) {}
    ~Frames() {
        viewport_.reset();  // it refers to the scene
    }

    void draw(int width, int height, Camera camera) {
        if (!scene_ || camera != camera_) {
            viewport_.reset();
            scene_ = std::make_unique<Scene>(camera, background_);
            camera_ = camera;
        }
        if (!viewport_ || width != viewport_->width() || height != viewport_->height()) {
            viewport_ = std::make_unique<Viewport>(*scene_, &host_, drawFlags_, width, height);
        }
        viewport_->frame(true);
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
    Rgb background_;
    Camera camera_ = Camera::MainPerspective;
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<Viewport> viewport_;
};

const char* previewKeys() { return kKeys; }

WindowSession::WindowSession(HostSide& host, const Options& options, std::string picturePath)
    : host_(host),
      setup_{options.camera, options.selectionMode, options.faces, options.edges, options.vertices},
      picturePath_(std::move(picturePath)),
      commands_(options.commands),
      frames_(std::make_unique<Frames>(host, options)) {}

WindowSession::~WindowSession() = default;

void WindowSession::start(int width, int height) {
    // The INI file: a change on disk runs Reload INI, as the user would after saving.
    std::string watchError;
    if (!watch_.start(kIniFolder, kIniName, watchError)) {
        report(watchError + "; watching it once it is there, and R reloads");
    }
    std::fputs(kKeys, stderr);
    frames_->draw(width, height, setup_.camera);
    shownSecond_ = currentSecond();
    dirty_ = false;
    for (Command command : commands_) host_.execute(command);
    if (!commands_.empty()) dirty_ = true;
}

void WindowSession::key(int key) {
    for (const KeyBinding& binding : kKeyBindings) {
        if (binding.key == key) return apply(binding);
    }
}

void WindowSession::character(unsigned int codepoint) {
    for (const KeyBinding& binding : kCharacterBindings) {
        if (static_cast<unsigned int>(binding.key) == codepoint) return apply(binding);
    }
}

std::string WindowSession::title() const {
    return std::string("hudhost: ") + cameraName(setup_.camera) + ", " + selectionText(setup_);
}

int WindowSession::waitLimitMs() const {
    using namespace std::chrono;
    const auto sinceEpoch = system_clock::now().time_since_epoch();
    const auto intoSecond =
        duration_cast<milliseconds>(sinceEpoch - duration_cast<seconds>(sinceEpoch));
    return static_cast<int>(1000 - intoSecond.count()) + 1;  // just past the turn of the second
}

bool WindowSession::update(int width, int height) {
    std::string news;
    const bool changed = watch_.changed(news);
    if (!news.empty()) report(news);
    if (changed) reload(std::string(kIniName) + " changed");
    const long long second = currentSecond();
    if (second != shownSecond_) dirty_ = true;
    // A minimised window has no area: it is drawn when it has one again.
    if (!dirty_ || width <= 0 || height <= 0) return false;
    frames_->draw(width, height, setup_.camera);
    shownSecond_ = second;
    dirty_ = false;
    if (saveWanted_) {
        saveWanted_ = false;
        std::string error;
        report(frames_->save(picturePath_, error) ? "picture: " + picturePath_ : error);
    }
    return true;
}

void WindowSession::reload(const std::string& cause) {
    host_.execute(Command::Reload);
    const char* name = host_.functionName(of(Command::Reload));
    report(cause.empty() ? std::string(name) : cause + ": " + name);
    dirty_ = true;
}

void WindowSession::finish() {
    host_.release();
    frames_.reset();
}

void WindowSession::apply(const KeyBinding& binding) {
    switch (binding.action) {
        case Action::Command:
            if (binding.value == of(Command::Reload)) return reload("");
            host_.execute(static_cast<Command>(binding.value));
            report(host_.functionName(binding.value));
            dirty_ = true;
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
            dirty_ = true;
            return;
        case Action::Close:
            closing_ = true;
            return;
    }
    host_.setScene(setup_);
    dirty_ = true;
}

// Changes the current mode's count by `by`, within 0 and kMaxCount; false when it stays.
bool WindowSession::step(int by) {
    std::uint32_t* count = countOf(setup_);
    if (count == nullptr) return false;
    if (by < 0 && *count == 0) return false;
    if (by > 0 && *count == kMaxCount) return false;
    *count = by < 0 ? *count - 1 : *count + 1;
    return true;
}

}  // namespace hudhost

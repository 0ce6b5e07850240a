#include "preview/preview_loop.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include "pages/file_format.h"
#include "preview/preview.h"
#include "render/kept_scene.h"
#include "render/png_writer.h"
#include "render/scene.h"
#include "render/viewport.h"

namespace hudhost {
namespace {

long long currentSecond() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

// The viewport at the window's current size, seen through the current camera. The scene's lists
// live in the window's context, so a WindowView must go before the context does.
class WindowView {
public:
    WindowView(const HostSide& host, const PreviewSetup& setup)
        : host_(host), drawFlags_(setup.drawFlags), background_(setup.background) {}
    ~WindowView() {
        viewport_.reset();  // it refers to the scene
    }

    // Renders the scene afresh when the kept scene says so, and otherwise draws the HUD over the
    // scene kept from the last such frame.
    void draw(int width, int height, Camera camera) {
        if (!scene_ || camera != camera_) {
            viewport_.reset();
            scene_ = std::make_unique<Scene>(camera, background_);
            camera_ = camera;
        }
        if (!viewport_ || width != viewport_->width() || height != viewport_->height()) {
            viewport_ = std::make_unique<Viewport>(*scene_, &host_, drawFlags_, width, height);
        }
        viewport_->frame(kept_, kept_.renderAfresh({camera, width, height}));
    }

    // The window was resized or uncovered.
    void renderAfresh() { kept_.uncovered(); }

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
    KeptScene kept_;
};

PreviewLoop::PreviewLoop(HostSide& host, const PreviewSetup& setup)
    : host_(host),
      controls_(host, setup.scene),
      picturePath_(setup.picturePath),
      commands_(setup.commands),
      view_(std::make_unique<WindowView>(host, setup)) {}

PreviewLoop::~PreviewLoop() = default;

void PreviewLoop::invalidate() {
    view_->renderAfresh();
    dirty_ = true;
}

void PreviewLoop::start(int width, int height) {
    // The INI file: a change on disk runs Reload INI, as the user would after saving.
    std::string watchError;
    if (!watch_.start(vantor::iniFolder(), vantor::kIniName, watchError)) {
        say(watchError + "; watching it once it is there, and R reloads");
    }
    std::fputs(previewKeysText().c_str(), stderr);
    checkedWidth_ = width;
    checkedHeight_ = height;
    controls_.checkLayout(width, height, PreviewControls::Print::EachTime);
    view_->draw(width, height, controls_.camera());
    shownSecond_ = currentSecond();
    dirty_ = false;
    for (vantor::PluginFunction command : commands_) {
        host_.execute(command);
        controls_.commanded(command);
    }
    if (!commands_.empty()) dirty_ = true;
    say(controls_.pageText());
}

void PreviewLoop::press(const KeyBinding* binding) {
    if (binding == nullptr) return;
    if (binding->action == KeyAction::Command && binding->value == vantor::kReloadIniCommand) {
        reload("");
    } else {
        const PreviewControls::Outcome outcome = controls_.apply(*binding);
        closing_ = closing_ || outcome == PreviewControls::Outcome::Close;
        titleDue_ = titleDue_ || outcome == PreviewControls::Outcome::ShowState;
    }
    dirty_ = true;
}

bool PreviewLoop::takeTitle(std::string& title) {
    if (!titleDue_) return false;
    titleDue_ = false;
    title =
        "hudhost: " + controls_.stateText() +
        (layoutMissing_ ? std::string("; ") + vantor::kIniName + " missing, last layout kept" : "");
    return true;
}

int PreviewLoop::waitLimitMs() const {
    using namespace std::chrono;
    const auto sinceEpoch = system_clock::now().time_since_epoch();
    const auto intoSecond =
        duration_cast<milliseconds>(sinceEpoch - duration_cast<seconds>(sinceEpoch));
    return static_cast<int>(1000 - intoSecond.count()) + 1;  // just past the turn of the second
}

bool PreviewLoop::update(int width, int height) {
    std::string news;
    const bool changed = watch_.changed(news);
    if (!news.empty()) say(news);
    if (changed && waitForLayout()) {
        reload(std::string(vantor::kIniName) + " changed");
    } else if (changed && !layoutMissing_) {
        // The modeller following its file keeps what it shows when the file goes; only its Reload
        // INI, pressed while the file is missing, empties the HUD.
        layoutMissing_ = true;
        titleDue_ = true;
        say(std::string(vantor::kIniName) +
            " is missing: the last layout is kept until the file is back");
    }
    const long long second = currentSecond();
    if (second != shownSecond_) dirty_ = true;
    // A minimised window has no area: it is checked and drawn when it has one again.
    if (width <= 0 || height <= 0) return false;
    if (width != checkedWidth_ || height != checkedHeight_) {
        checkedWidth_ = width;
        checkedHeight_ = height;
        controls_.checkLayout(width, height, PreviewControls::Print::OnChange);
        titleDue_ = true;
    }
    if (!dirty_) return false;
    view_->draw(width, height, controls_.camera());
    shownSecond_ = second;
    dirty_ = false;
    if (controls_.takeSaveRequest()) {
        std::string error;
        say(view_->save(picturePath_, error) ? "picture: " + picturePath_ : error);
    }
    return true;
}

// An editor that saves by writing a new file and renaming it over the old (sed -i, many editors)
// leaves no file at the name for a moment; a short wait reads the new one instead of reporting
// it missing.
bool PreviewLoop::waitForLayout() {
    using namespace std::chrono;
    const std::filesystem::path layout = vantor::iniFolder() + "/" + vantor::kIniName;
    const auto until = steady_clock::now() + milliseconds(300);
    std::error_code ec;
    while (!std::filesystem::exists(layout, ec) && steady_clock::now() < until) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    return std::filesystem::exists(layout, ec);
}

void PreviewLoop::reload(const std::string& cause) {
    layoutMissing_ = false;
    host_.execute(vantor::kReloadIniCommand);
    controls_.commanded(vantor::kReloadIniCommand);
    const char* name = host_.functionName(vantor::kReloadIniCommand);
    say((cause.empty() ? std::string(name) : cause + ": " + name) + "; " + controls_.pageText());
    controls_.checkLayout(checkedWidth_, checkedHeight_, PreviewControls::Print::EachTime);
    titleDue_ = true;
    dirty_ = true;
}

void PreviewLoop::finish() {
    host_.release();
    view_.reset();
}

}  // namespace hudhost

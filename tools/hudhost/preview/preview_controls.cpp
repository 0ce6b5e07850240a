#include "preview/preview_controls.h"

#include <cstdint>
#include <cstdio>

#include <memory>

#include "check/layout_check.h"
#include "check/loaded_layout.h"
#include "pages/hud_settings.h"

namespace hudhost {
namespace {

constexpr std::uint32_t kMaxCount = kMaxInt32;

// The count the selection mode shows and what it counts, one and more; no count for a mode the HUD
// shows none for.
struct Selected {
    std::uint32_t* count;
    const char* one;
    const char* many;
};

Selected countOf(SceneSetup& setup) {
    switch (setup.selectionMode) {
        case vantor::kFaceSelection:
            return {&setup.faces, "face", "faces"};
        case vantor::kEdgeSelection:
            return {&setup.edges, "edge", "edges"};
        case vantor::kVertexSelection:
            return {&setup.vertices, "vertex", "vertices"};
        default:
            return {nullptr, nullptr, nullptr};
    }
}

// "1 edge selected", "0 edges selected".
std::string selectionText(SceneSetup setup) {
    const Selected selected = countOf(setup);
    if (selected.count == nullptr) return "selection mode " + std::to_string(setup.selectionMode);
    return std::to_string(*selected.count) + " " +
           (*selected.count == 1 ? selected.one : selected.many) + " selected";
}

}  // namespace

// The window's first frame, drawn before any key, reads the layout as the HUD's first frame does.
PreviewControls::PreviewControls(HostSide& host, const SceneSetup& scene)
    : host_(host),
      setup_(scene),
      layout_(check::loadLayout()),
      shown_(check::Shown::atStart(layout_)) {}

void PreviewControls::commanded(vantor::PluginFunction command) {
    if (command == vantor::kReloadIniCommand) layout_ = check::loadLayout();
    shown_ = shown_.after(command, layout_.store->getPageCount());
}

std::string PreviewControls::pageText() const {
    if (!shown_.shown) return "HUD hidden (S shows it)";
    const int pages = layout_.store->getPageCount();
    if (pages == 0) return "no page to show";
    const std::string page =
        "page " + std::to_string(shown_.page + 1) + " of " + std::to_string(pages);
    if (check::layOutShown(layout_, shown_, vantor::kOverlayWidth, vantor::kOverlayHeight)) {
        return page;
    }
    return page + ": past the last, nothing shows; N or P turns to one that exists";
}

PreviewControls::Outcome PreviewControls::apply(const KeyBinding& binding) {
    switch (binding.action) {
        case KeyAction::Command:
            host_.execute(static_cast<vantor::PluginFunction>(binding.value));
            commanded(static_cast<vantor::PluginFunction>(binding.value));
            say(std::string(host_.functionName(binding.value)) + ": " + pageText());
            return Outcome::ShowState;
        case KeyAction::Camera:
            setup_.camera = static_cast<Camera>(binding.value);
            say(std::string("camera ") + cameraName(setup_.camera));
            break;
        case KeyAction::Mode:
            setup_.selectionMode = binding.value;
            say(selectionText(setup_));
            break;
        case KeyAction::Count:
            if (!step(binding.value)) return Outcome::Nothing;
            say(selectionText(setup_));
            break;
        case KeyAction::Save:
            saveRequested_ = true;
            return Outcome::Nothing;
        case KeyAction::Close:
            return Outcome::Close;
    }
    host_.setScene(setup_);
    return Outcome::ShowState;
}

std::string PreviewControls::stateText() const {
    return std::string(cameraName(setup_.camera)) + ", " + selectionText(setup_) + "; " +
           pageText() + "; layout: " + layoutCounts_;
}

void PreviewControls::checkLayout(int width, int height, Print print) {
    const check::CheckResult result = check::checkLayout(vantor::kIniPath, width, height);
    layoutCounts_ = check::titleCounts(result);
    if (print == Print::OnChange && result.findings == printedFindings_) return;
    check::print(result, stderr);
    printedFindings_ = result.findings;
}

bool PreviewControls::takeSaveRequest() {
    const bool requested = saveRequested_;
    saveRequested_ = false;
    return requested;
}

bool PreviewControls::step(int by) {
    std::uint32_t* count = countOf(setup_).count;
    if (count == nullptr) return false;
    if (by < 0 && *count == 0) return false;
    if (by > 0 && *count == kMaxCount) return false;
    *count = by < 0 ? *count - 1 : *count + 1;
    return true;
}

}  // namespace hudhost

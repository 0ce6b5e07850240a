#include "hud/hud_plugin.h"

#include <GL/gl.h>

#include "layout/page_turns.h"

namespace vantor {
namespace {

// By function number.
constexpr const char* kFunctionNames[kPluginFunctionCount] = {
    "Vantor HUD Drawing Fn", "Vantor HUD Switch", "Vantor HUD Next Page", "Vantor HUD Prev Page",
    "Vantor HUD Reload INI"};

}  // namespace

HudPlugin::HudPlugin() = default;

void HudPlugin::attachHost(const SceneContext* scene, const HostServices* services) {
    scene_ = scene;
    services_ = services;
}

std::int32_t HudPlugin::functionCount() { return kPluginFunctionCount; }

const char* HudPlugin::functionName(Arg function) {
    const auto n = static_cast<std::uint32_t>(function);
    return n < static_cast<std::uint32_t>(kPluginFunctionCount) ? kFunctionNames[n] : "NaFn";
}

std::int32_t HudPlugin::functionKind(Arg function) {
    return function >= kSwitchCommand && function <= kReloadIniCommand ? 0 : 2;
}

bool HudPlugin::execute(Arg function) {
    switch (function) {
        case kSwitchCommand:
            visible_ = !visible_;
            break;
        case kNextPageCommand:
        case kPrevPageCommand:
            currentPage_ = pageAfter(function, visible_, currentPage_, store_.getPageCount());
            break;
        case kReloadIniCommand:
            rebuildNeeded_ = true;  // the next draw rebuilds everything
            break;
        default:
            break;
    }
    return true;
}

void HudPlugin::release(Arg value) {
    if (value != 0) return;
    if (fontListBase_ != 0) glDeleteLists(fontListBase_, platform::kGlyphCount);
    characterLists_.release();
    rowCache_.release();
    // The names may be handed to the host again; never call them after this.
    fontListBase_ = 0;
    rebuildNeeded_ = true;
}

}  // namespace vantor

// A layout file read as the HUD reads it, by its own reloadConfig: for the tools that tell what it
// shows.
#pragma once

#include <memory>

#include "pages/hud_settings.h"

namespace hudhost::check {

struct LoadedLayout {
    std::unique_ptr<vantor::PageStore> store;  // large: kept off the stack
    vantor::HudSettings settings;
};

// The file at `path`, the HUD's own unless another is named.
LoadedLayout loadLayout(const char* path = vantor::kIniPath);

}  // namespace hudhost::check

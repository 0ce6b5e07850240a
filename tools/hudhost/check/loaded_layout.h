// A layout file read as the HUD reads it, by its own reloadConfig, and what the HUD shows of it:
// for the tools that tell what it shows.
#pragma once

#include <memory>

#include "abi/host_records.h"
#include "layout/page_layout.h"
#include "pages/hud_settings.h"

namespace hudhost::check {

struct LoadedLayout {
    std::unique_ptr<vantor::PageStore> store;  // large: kept off the stack
    vantor::HudSettings settings;
};

// The file at `path`, the HUD's own unless another is named.
LoadedLayout loadLayout(const char* path = vantor::kIniPath);

// Whether the HUD is shown, and the page it is on (past the last, or -1, where nothing shows).
struct Shown {
    bool shown;
    int page;

    // As the HUD's first frame leaves it, which reads the layout: shown at START_VISIBLE=1, on the
    // first page.
    static Shown atStart(const LoadedLayout& layout);
    // After `command`, by the HUD's own rules, with `pages` pages.
    Shown after(vantor::PluginFunction command, int pages) const;
};

// What shows at `shown`: its page laid out with the layout's settings over a viewport `width` x
// `height`, with the values an empty token table gives; null while hidden or on no page.
std::unique_ptr<vantor::PageLayout> layOutShown(const LoadedLayout& layout, const Shown& shown,
                                                int width, int height);

}  // namespace hudhost::check

#include "check/loaded_layout.h"

#include "layout/page_turns.h"

namespace hudhost::check {

LoadedLayout loadLayout(const char* path) {
    LoadedLayout layout{std::make_unique<vantor::PageStore>(), {}};
    vantor::reloadConfig(*layout.store, layout.settings, path);
    return layout;
}

Shown Shown::atStart(const LoadedLayout& layout) { return {layout.settings.startVisible != 0, 0}; }

Shown Shown::after(vantor::PluginFunction command, int pages) const {
    const bool switched = command == vantor::kSwitchCommand ? !shown : shown;
    return {switched, vantor::pageAfter(command, switched, page, pages)};
}

std::unique_ptr<vantor::PageLayout> layOutShown(const LoadedLayout& layout, const Shown& shown,
                                                int width, int height) {
    if (!shown.shown || shown.page < 0 || shown.page >= layout.store->getPageCount()) return {};
    const vantor::TokenTable values;
    const vantor::platform::CodePageCharacters codePage = {};
    auto laid = std::make_unique<vantor::PageLayout>();
    vantor::layOutPage(layout.store->view(shown.page),
                       {layout.settings, {}, {}, {0, 0, width, height}, values, codePage}, *laid);
    return laid;
}

}  // namespace hudhost::check

#include "check/loaded_layout.h"

namespace hudhost::check {

LoadedLayout loadLayout(const char* path) {
    LoadedLayout layout{std::make_unique<vantor::PageStore>(), {}};
    vantor::reloadConfig(*layout.store, layout.settings, path);
    return layout;
}

}  // namespace hudhost::check

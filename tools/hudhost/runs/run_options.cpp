#include "runs/run_options.h"

namespace hudhost {

SceneSetup sceneOf(const Options& options) {
    return {options.camera, options.selectionMode, options.faces, options.edges, options.vertices};
}

const char* selectionModeName(std::int32_t mode) {
    for (const Named& entry : kSelectionModes) {
        if (entry.value == mode) return entry.name;
    }
    return nullptr;
}

std::string listed(const std::vector<std::string>& items, const char* last) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i == 0 ? "" : i + 1 == items.size() ? last : ", ") + items[i];
    }
    return out;
}

}  // namespace hudhost

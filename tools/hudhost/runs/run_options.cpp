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

}  // namespace hudhost

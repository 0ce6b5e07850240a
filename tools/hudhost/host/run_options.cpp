#include "host/run_options.h"

namespace hudhost {

const char* selectionModeName(std::int32_t mode) {
    for (const Named& entry : kSelectionModes) {
        if (entry.value == mode) return entry.name;
    }
    return nullptr;
}

}  // namespace hudhost

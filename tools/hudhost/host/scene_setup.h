// What the host's scene holds, as far as the plug-in can see it, and as the host draws it.
#pragma once

#include <cstdint>

#include "abi/host_records.h"

namespace hudhost {

// The cameras a view can look through: the modeller's seven named ones and a free one.
enum class Camera { MainPerspective, Top, Left, Right, Front, Back, Bottom, Free };

// A colour, 0 to 255 a part.
struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The host keeps its counts in 32-bit signed words, so none is above this.
inline constexpr long kMaxInt32 = 2147483647L;

struct SceneSetup {
    Camera camera = Camera::MainPerspective;
    std::int32_t selectionMode = vantor::kFaceSelection;
    std::uint32_t faces = 0;
    std::uint32_t edges = 0;
    std::uint32_t vertices = 0;
};

}  // namespace hudhost

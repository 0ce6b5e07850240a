#include "picture.h"

#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace e2e {

bool Picture::load(const std::string& path) {
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width_, &height_, &channels, 3);
    if (data == nullptr) return false;
    rgb_.assign(data, data + static_cast<std::size_t>(width_) * height_ * 3);
    stbi_image_free(data);
    return true;
}

Rgb Picture::at(int x, int y) const {
    const unsigned char* p = &rgb_[(static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 3];
    return {p[0], p[1], p[2]};
}

bool Picture::operator==(const Picture& other) const {
    return width_ == other.width_ && height_ == other.height_ && rgb_ == other.rgb_;
}

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

}  // namespace e2e

#include "picture.h"

#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace e2e {

bool loadPng(const std::string& path, Picture& picture) {
    picture = Picture();
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (data == nullptr) return false;
    picture.width = width;
    picture.height = height;
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    for (int y = height - 1; y >= 0; --y) {
        picture.rgba.insert(picture.rgba.end(), data + y * row, data + (y + 1) * row);
    }
    stbi_image_free(data);
    return true;
}

Rgb colourAt(const Picture& picture, int x, int y) {
    const unsigned char* p = picture.at(x, y);
    return {p[0], p[1], p[2]};
}

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

}  // namespace e2e

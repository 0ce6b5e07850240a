// Reads the current GL framebuffer into an Image, the same way on both test tiers.
#pragma once

#include <GL/gl.h>

#include "frame_image.h"

namespace vantor::test {

inline Image readFramebuffer(int width = kWidth, int height = kHeight) {
    Image image;
    image.width = width;
    image.height = height;
    image.rgba.resize(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    return image;
}

}  // namespace vantor::test

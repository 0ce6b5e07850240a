#include "render/png_writer.h"

#include <GL/gl.h>
#include <stb_image_write.h>

#include <vector>

namespace hudhost {

bool writeFramePng(const std::string& path, int width, int height, std::string& error) {
    constexpr int kChannels = 3;
    const auto stride = static_cast<std::size_t>(width) * kChannels;
    std::vector<unsigned char> pixels(stride * static_cast<std::size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    // GL's first row is the bottom one; a PNG starts at the top.
    stbi_flip_vertically_on_write(1);
    if (!stbi_write_png(path.c_str(), width, height, kChannels, pixels.data(),
                        static_cast<int>(stride))) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace hudhost

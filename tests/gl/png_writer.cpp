#include "png_writer.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace vantor::test {

bool writePng(const std::string& path, int width, int height, const unsigned char* rgba) {
    stbi_flip_vertically_on_write(1);  // GL's first row is the picture's bottom
    return stbi_write_png(path.c_str(), width, height, 4, rgba, width * 4) != 0;
}

}  // namespace vantor::test

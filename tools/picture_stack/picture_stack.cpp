// Cuts the same rectangle out of several pictures and stacks the pieces top to bottom into one PNG:
// how the guide's pictures are made from hudhost's frames (scripts/effects-picture).
//   picture_stack OUT LEFT TOP WIDTH HEIGHT IN...   (pixels from the pictures' top left corner)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

constexpr int kChannels = 3;

int fail(const std::string& message) {
    std::fprintf(stderr, "picture_stack: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 7) return fail("usage: picture_stack OUT LEFT TOP WIDTH HEIGHT IN...");
    const int left = std::atoi(argv[2]);
    const int top = std::atoi(argv[3]);
    const int width = std::atoi(argv[4]);
    const int height = std::atoi(argv[5]);
    if (left < 0 || top < 0 || width <= 0 || height <= 0) return fail("the rectangle is empty");

    std::vector<unsigned char> stack;
    for (int i = 6; i < argc; ++i) {
        int w = 0, h = 0, channels = 0;
        unsigned char* picture = stbi_load(argv[i], &w, &h, &channels, kChannels);
        if (picture == nullptr) return fail(std::string("cannot read ") + argv[i]);
        const bool fits = left + width <= w && top + height <= h;
        for (int y = top; fits && y < top + height; ++y) {
            const unsigned char* row =
                picture + (static_cast<std::size_t>(y) * w + left) * kChannels;
            stack.insert(stack.end(), row, row + static_cast<std::size_t>(width) * kChannels);
        }
        stbi_image_free(picture);
        if (!fits) return fail(std::string(argv[i]) + " is smaller than the rectangle");
    }
    const int rows = height * (argc - 6);
    if (!stbi_write_png(argv[1], width, rows, kChannels, stack.data(), width * kChannels)) {
        return fail(std::string("cannot write ") + argv[1]);
    }
    return 0;
}

// Makes the guide's pictures from hudhost's frames (scripts/effects-picture,
// scripts/corners-picture):
//   picture_stack OUT LEFT TOP WIDTH HEIGHT IN...   the same rectangle (pixels from the pictures'
//                                                   top left corner) cut out of each, stacked top
//                                                   to bottom
//   picture_stack --overlay OUT SCENE IN...         SCENE with every pixel in which an IN differs
//                                                   from it taken from that IN
//   picture_stack --beside OUT GAP IN...            the pictures left to right, GAP white pixels
//                                                   apart, their tops lined up
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

constexpr int kChannels = 3;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // top row first, kChannels a pixel
};

int fail(const std::string& message) {
    std::fprintf(stderr, "picture_stack: %s\n", message.c_str());
    return 1;
}

bool load(const char* path, Image& image) {
    int channels = 0;
    unsigned char* data = stbi_load(path, &image.width, &image.height, &channels, kChannels);
    if (data == nullptr) return false;
    image.pixels.assign(data,
                        data + static_cast<std::size_t>(image.width) * image.height * kChannels);
    stbi_image_free(data);
    return true;
}

int save(const char* path, const Image& image) {
    if (!stbi_write_png(path, image.width, image.height, kChannels, image.pixels.data(),
                        image.width * kChannels)) {
        return fail(std::string("cannot write ") + path);
    }
    return 0;
}

int stack(int argc, char** argv) {
    if (argc < 7) return fail("usage: picture_stack OUT LEFT TOP WIDTH HEIGHT IN...");
    const int left = std::atoi(argv[2]);
    const int top = std::atoi(argv[3]);
    const int width = std::atoi(argv[4]);
    const int height = std::atoi(argv[5]);
    if (left < 0 || top < 0 || width <= 0 || height <= 0) return fail("the rectangle is empty");

    Image out{width, height * (argc - 6), {}};
    for (int i = 6; i < argc; ++i) {
        Image in;
        if (!load(argv[i], in)) return fail(std::string("cannot read ") + argv[i]);
        if (left + width > in.width || top + height > in.height) {
            return fail(std::string(argv[i]) + " is smaller than the rectangle");
        }
        for (int y = top; y < top + height; ++y) {
            const auto row =
                in.pixels.begin() + (static_cast<std::ptrdiff_t>(y) * in.width + left) * kChannels;
            out.pixels.insert(out.pixels.end(), row, row + width * kChannels);
        }
    }
    return save(argv[1], out);
}

int overlay(int argc, char** argv) {
    if (argc < 5) return fail("usage: picture_stack --overlay OUT SCENE IN...");
    Image out;
    if (!load(argv[3], out)) return fail(std::string("cannot read ") + argv[3]);
    const Image scene = out;
    for (int i = 4; i < argc; ++i) {
        Image in;
        if (!load(argv[i], in)) return fail(std::string("cannot read ") + argv[i]);
        if (in.width != scene.width || in.height != scene.height) {
            return fail(std::string(argv[i]) + " is not the scene's size");
        }
        for (std::size_t p = 0; p < in.pixels.size(); p += kChannels) {
            if (std::memcmp(&in.pixels[p], &scene.pixels[p], kChannels) != 0) {
                std::memcpy(&out.pixels[p], &in.pixels[p], kChannels);
            }
        }
    }
    return save(argv[2], out);
}

int beside(int argc, char** argv) {
    if (argc < 5) return fail("usage: picture_stack --beside OUT GAP IN...");
    const int gap = std::atoi(argv[3]);
    std::vector<Image> ins(static_cast<std::size_t>(argc - 4));
    Image out;
    for (std::size_t i = 0; i < ins.size(); ++i) {
        const char* path = argv[4 + i];
        if (!load(path, ins[i])) return fail(std::string("cannot read ") + path);
        out.width += (i == 0 ? 0 : gap) + ins[i].width;
        out.height = std::max(out.height, ins[i].height);
    }
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height * kChannels, 255);
    int left = 0;
    for (const Image& in : ins) {
        for (int y = 0; y < in.height; ++y) {
            std::memcpy(&out.pixels[(static_cast<std::size_t>(y) * out.width + left) * kChannels],
                        &in.pixels[static_cast<std::size_t>(y) * in.width * kChannels],
                        static_cast<std::size_t>(in.width) * kChannels);
        }
        left += in.width + gap;
    }
    return save(argv[2], out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--overlay") == 0) return overlay(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--beside") == 0) return beside(argc, argv);
    return stack(argc, argv);
}

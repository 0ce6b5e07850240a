#include "hud_gl_support.h"

#include "gl_frame.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "png_writer.h"

namespace vantor::test {

int countLists(GLuint upTo) {
    int count = 0;
    for (GLuint name = 1; name <= upTo; ++name) count += glIsList(name) ? 1 : 0;
    return count;
}

void fillWithBlocks(GLuint first, int count) {
    static const GLubyte block[8] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int k = 0; k < count; ++k) {
        glNewList(first + k, GL_COMPILE);
        glBitmap(8, 8, 0.0f, 0.0f, 8.0f, 0.0f, block);
        glEndList();
    }
}

namespace {

// Mesa unloads its driver when the last EGL display goes; pinning it keeps the driver's own
// allocations attributable, so that the leak checker's suppressions can name them.
int pinDriver(dl_phdr_info* info, std::size_t, void*) {
    if (std::strstr(info->dlpi_name, "_dri.so") != nullptr ||
        std::strstr(info->dlpi_name, "libgallium") != nullptr) {
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

}  // namespace

void GlTest::SetUp() {
    std::string error;
    gl_ = hudhost::GlContext::create(kWidth, kHeight, error);
    ASSERT_NE(gl_, nullptr) << error;
    dl_iterate_phdr(pinDriver, nullptr);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

const Image& GlTest::frame(const std::string& label) {
    frames_.emplace_back(label, readFramebuffer());
    return frames_.back().second;
}

void GlTest::TearDown() {
    const char* keep = std::getenv("VANTOR_KEEP_FRAMES");
    if (HasFailure() || keep != nullptr) {
        const std::filesystem::path folder = keep != nullptr ? keep : VANTOR_FAILED_FRAMES;
        std::filesystem::create_directories(folder);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        for (const auto& [label, image] : frames_) {
            const auto path = folder / (name + "." + label + ".png");
            if (writePng(path.string(), image.width, image.height, image.rgba.data())) {
                std::printf("frame kept: %s\n", path.c_str());
            }
        }
    }
    gl_.reset();
}

}  // namespace vantor::test

// The real VantorHUD.dll drawing a page in a WGL context through the Win32 font path, as the host
// loads and drives it.
#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "fake_host.h"
#include "frame_image.h"
#include "gl_context.h"
#include "gl_frame.h"
#include "work_folder.h"

namespace vantor::test {
namespace {

// The DLL loaded and initialised as the host does it, with the host's records.
struct Plugin {
    bool load() {
        HMODULE dll = LoadLibraryA("VantorHUD.dll");
        if (dll == nullptr) return false;
        auto initialize = reinterpret_cast<void (*)(HostRecord*)>(
            reinterpret_cast<void (*)()>(GetProcAddress(dll, "initializePlugin")));
        if (initialize == nullptr) return false;
        initialize(&host.record);
        return true;
    }
    FakeHost host;
};

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

TEST(WindowsHud, DrawsAPageInTheSameRowBandsAsOnLinux) {
    std::string error;
    auto gl = hudhost::GlContext::create(kWidth, kHeight, error);
    ASSERT_NE(gl, nullptr) << error;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    ASSERT_EQ(viewport[2], kWidth);
    ASSERT_EQ(viewport[3], kHeight);

    Plugin plugin;
    ASSERT_TRUE(plugin.load()) << GetLastError();
    FakeHost& host = plugin.host;
    const auto draw = entryAs<DrawEntry>(host.table.entries[kDrawPosition]);
    const auto execute = entryAs<ExecuteEntry>(host.record.execute);

    // The face is the default, "Arial", through CreateFontA and wglUseFontBitmapsA.
    WorkFolder dir(iniWithPage({"A", "BLANK", "C"}));
    clearFrame();
    EXPECT_TRUE(draw(0));  // builds the lists; the HUD starts hidden
    EXPECT_EQ(litArea(readFramebuffer()).count, 0);

    EXPECT_TRUE(execute(kSwitchCommand));
    clearFrame();
    EXPECT_TRUE(draw(0));
    const Image image = readFramebuffer();

    EXPECT_EQ(checkRowBands(image, {true, false, true}), "");
    const LitArea a = litArea(image, 0, bandBottom(0), kWidth, bandTop(0));
    EXPECT_EQ(a.bottom, 65) << "A stands on row 0's baseline";
    EXPECT_GE(a.height(), 11);
    const unsigned char* pixel = image.at(a.left, a.bottom);
    EXPECT_EQ(pixel[0], 64);  // the default colour, 64 of 255 in each component
    EXPECT_EQ(pixel[1], 64);
    EXPECT_EQ(pixel[2], 64);

    // Released lists are rebuilt by the next frame.
    entryAs<ReleaseEntry>(host.record.release)(0);
    clearFrame();
    EXPECT_TRUE(draw(0));
    EXPECT_TRUE(readFramebuffer().rgba == image.rgba);

    // Following the file: a save by renaming a new file over it is shown after a second, as the
    // last-write time and size that GetFileAttributesExA gives change.
    dir.writeIni(iniWithPage({"A"}, {"AUTO_RELOAD=1"}));
    execute(kReloadIniCommand);
    draw(0);
    writeFile(dir.iniPath() + ".new", iniWithPage({"A", "BLANK", "C"}, {"AUTO_RELOAD=1"}));
    ASSERT_TRUE(MoveFileExA((dir.iniPath() + ".new").c_str(), dir.iniPath().c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    Sleep(1100);
    clearFrame();
    EXPECT_TRUE(draw(0));
    EXPECT_EQ(checkRowBands(readFramebuffer(), {true, false, true}), "");
    entryAs<ReleaseEntry>(host.record.release)(0);
}

// With FONT_FACE=Arial, which has none of them, Japanese, Chinese and Korean characters draw
// from a face of the system that has them, not as the missing-glyph box that U+0378 (which no
// face has) draws.
TEST(WindowsHud, EastAsianCharactersDrawFromAFaceThatHasThem) {
    std::string error;
    auto gl = hudhost::GlContext::create(kWidth, kHeight, error);
    ASSERT_NE(gl, nullptr) << error;
    Plugin plugin;
    ASSERT_TRUE(plugin.load()) << GetLastError();
    FakeHost& host = plugin.host;
    const auto draw = entryAs<DrawEntry>(host.table.entries[kDrawPosition]);
    const auto execute = entryAs<ExecuteEntry>(host.record.execute);
    WorkFolder dir(iniWithPage({"A"}));
    draw(0);
    execute(kSwitchCommand);
    const auto drawn = [&](const char* text) {
        dir.writeIni(iniWithPage({text}, {"FONT_FACE=Arial"}));
        execute(kReloadIniCommand);
        clearFrame();
        draw(0);
        return readFramebuffer();
    };
    const Image box = drawn("\xcd\xb8");
    ASSERT_GT(litArea(box).count, 0);
    for (const char* text : {"\xe3\x81\x82", "\xe9\x81\xb8", "\xe4\xbb\xac", "\xec\x84\xa0"}) {
        const Image image = drawn(text);
        const LitArea ink = litArea(image);
        EXPECT_GT(ink.count, 0) << text;
        EXPECT_FALSE(image.rgba == box.rgba) << text << ": the missing-glyph box";
        EXPECT_GE(ink.bottom, 65 - 5) << text << ": on the row's baseline";
        EXPECT_GE(ink.top, 65 + 11) << text;
    }
    entryAs<ReleaseEntry>(host.record.release)(0);
}

}  // namespace
}  // namespace vantor::test

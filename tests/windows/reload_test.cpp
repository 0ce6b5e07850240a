// reloadConfig on Windows: the relative INI path against the working directory, read with the
// real GetPrivateProfileStringA and the C runtime's atol.
#include <gtest/gtest.h>

#include <string>

#include "pages/hud_settings.h"
#include "work_folder.h"

namespace vantor {
namespace {

TEST(WindowsReload, LayoutAndSettingsFromTheWorkingDirectory) {
    const std::string ini =
        "[SECTION1]\r\nROWDATA1=  first  \r\nROWDATA2=BLANK\r\nROWDATA3=\"third\"\r\n"
        "[SECTION2]\r\nROWDATA1=" +
        std::string(300, 'w') +
        "\r\n"
        "[SECTION3]\r\nROWDATA2=gap\r\n"
        "[CONFIG]\r\nHUD_POS_X=12.9\r\nHUD_POS_Y=481\r\nHUD_STEP_Y=abc\r\nFONT_SIZE=64\r\n"
        "COLOR_RED=255\r\nCOLOR_GREEN=254\r\nCOLOR_BLUE=-1\r\nFONT_FACE=Courier New\r\n";
    const test::WorkFolder dir(ini);
    PageStore store;
    HudSettings settings{};
    reloadConfig(store, settings);

    ASSERT_EQ(store.getPageCount(), 2);
    store.selectPage(0);
    ASSERT_EQ(store.getRowCount(), 3);
    const char* expected[] = {"first", "", "third"};
    for (int r = 0; r < 3; ++r) {
        store.selectRow(r);
        EXPECT_STREQ(store.getRowText(), expected[r]) << r;
    }
    store.selectPage(1);
    store.selectRow(0);
    EXPECT_EQ(std::string(store.getRowText()), std::string(259, 'w'));
    EXPECT_EQ(settings.posX, 12.0f);
    EXPECT_EQ(settings.posY, 65.0f);
    EXPECT_EQ(settings.stepY, 15.0f);
    EXPECT_EQ(settings.fontSize, 64);
    EXPECT_EQ(settings.red, 1.0f);
    EXPECT_EQ(settings.green, 0.99607849f);
    EXPECT_EQ(settings.blue, 0.25098041f);
    EXPECT_STREQ(settings.fontFace, "Courier New");
}

}  // namespace
}  // namespace vantor

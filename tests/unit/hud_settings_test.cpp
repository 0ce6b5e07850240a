// The CONFIG settings through reloadConfig over real INI files: limits, defaults, scaling.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "pages/hud_settings.h"
#include "work_folder.h"

namespace vantor {
namespace {

std::uint32_t bits(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

HudSettings reloadWith(const std::string& ini) {
    test::writeFile(test::kIniFile, ini);
    PageStore store;
    HudSettings settings{};
    reloadConfig(store, settings);
    return settings;
}

const float kGrey = 0.25098041f;  // the default 64 times the single-precision 1/255

void expectDefaults(const HudSettings& s) {
    EXPECT_EQ(s.posX, 450.0f);
    EXPECT_EQ(s.posY, 65.0f);
    EXPECT_EQ(s.stepY, 15.0f);
    EXPECT_EQ(s.fontSize, 18);
    EXPECT_STREQ(s.fontFace, "Arial");
    EXPECT_EQ(bits(s.red), bits(kGrey));
    EXPECT_EQ(bits(s.green), bits(kGrey));
    EXPECT_EQ(bits(s.blue), bits(kGrey));
}

enum class Field { PosX, PosY, StepY, FontSize, Red, Green, Blue };

float valueOf(const HudSettings& s, Field f) {
    switch (f) {
        case Field::PosX:
            return s.posX;
        case Field::PosY:
            return s.posY;
        case Field::StepY:
            return s.stepY;
        case Field::FontSize:
            return static_cast<float>(s.fontSize);
        case Field::Red:
            return s.red;
        case Field::Green:
            return s.green;
        case Field::Blue:
            return s.blue;
    }
    return -1.0f;
}

struct SettingCase {
    const char* key;
    const char* value;  // null: the key is absent
    Field field;
    float expected;
};

const SettingCase kSettings[] = {
    {"HUD_POS_X", "640", Field::PosX, 640.0f},
    {"HUD_POS_X", "1", Field::PosX, 1.0f},
    {"HUD_POS_X", "641", Field::PosX, 450.0f},
    {"HUD_POS_X", "0", Field::PosX, 450.0f},
    {"HUD_POS_X", "-5", Field::PosX, 450.0f},
    {"HUD_POS_X", "", Field::PosX, 450.0f},
    {"HUD_POS_X", "abc", Field::PosX, 450.0f},
    {"HUD_POS_X", "12.9", Field::PosX, 12.0f},
    {"HUD_POS_X", nullptr, Field::PosX, 450.0f},
    {"HUD_POS_Y", "480", Field::PosY, 480.0f},
    {"HUD_POS_Y", "481", Field::PosY, 65.0f},
    {"HUD_POS_Y", "0", Field::PosY, 65.0f},
    {"HUD_STEP_Y", "0", Field::StepY, 15.0f},
    {"HUD_STEP_Y", "1", Field::StepY, 1.0f},
    {"HUD_STEP_Y", "480", Field::StepY, 480.0f},
    {"HUD_STEP_Y", "481", Field::StepY, 15.0f},
    {"FONT_SIZE", "1", Field::FontSize, 1.0f},
    {"FONT_SIZE", "64", Field::FontSize, 64.0f},
    {"FONT_SIZE", "0", Field::FontSize, 18.0f},
    {"FONT_SIZE", "65", Field::FontSize, 18.0f},
    {"FONT_SIZE", "abc", Field::FontSize, 18.0f},
    {"COLOR_RED", "255", Field::Red, 1.0f},
    {"COLOR_RED", "254", Field::Red, 0.99607849f},
    {"COLOR_RED", "128", Field::Red, 0.50196081f},
    {"COLOR_RED", "64", Field::Red, kGrey},
    {"COLOR_RED", "0", Field::Red, 0.0f},
    {"COLOR_RED", "abc", Field::Red, 0.0f},
    {"COLOR_RED", "256", Field::Red, kGrey},
    {"COLOR_RED", "-1", Field::Red, kGrey},
    {"COLOR_RED", "", Field::Red, kGrey},
    {"COLOR_GREEN", "1", Field::Green, 0.0039215689f},  // the single-precision 1/255
    {"COLOR_GREEN", "255", Field::Green, 1.0f},
    {"COLOR_GREEN", "256", Field::Green, kGrey},
    {"COLOR_BLUE", "254", Field::Blue, 0.99607849f},
    {"COLOR_BLUE", "-1", Field::Blue, kGrey},
};

TEST(HudSettings, EachKeyWithinItsLimitsOrItsDefault) {
    test::WorkFolder dir;
    for (const SettingCase& c : kSettings) {
        const std::string line = c.value ? std::string(c.key) + "=" + c.value + "\n" : "";
        SCOPED_TRACE(line);
        const HudSettings s = reloadWith("[CONFIG]\n" + line);
        EXPECT_EQ(bits(valueOf(s, c.field)), bits(c.expected)) << valueOf(s, c.field);
    }
}

struct FaceCase {
    const char* ini;
    std::string expected;
};

const FaceCase kFaces[] = {
    {"[CONFIG]\n", "Arial"},
    {"[CONFIG]\nFONT_FACE=\n", "Arial"},
    {"[CONFIG]\nFONT_FACE=\"\"\n", "Arial"},
    {"[CONFIG]\nFONT_FACE=No Such Font 123\n", "No Such Font 123"},
    {"[CONFIG]\nFONT_FACE=\"  Spaced  \"\n", "  Spaced  "},
    {"[CONFIG]\nFONT_FACE=a\n", "a"},
};

TEST(HudSettings, FontFaceAsReadOrArial) {
    test::WorkFolder dir;
    for (const FaceCase& c : kFaces) {
        SCOPED_TRACE(c.ini);
        EXPECT_EQ(reloadWith(c.ini).fontFace, c.expected);
    }
    const HudSettings s = reloadWith("[CONFIG]\nFONT_FACE=" + std::string(300, 'f') + "\n");
    EXPECT_EQ(std::string(s.fontFace), std::string(259, 'f'));
}

TEST(HudSettings, BadKeysFallBackEachOnItsOwn) {
    test::WorkFolder dir;
    const HudSettings s = reloadWith(
        "[CONFIG]\nHUD_POS_X=700\nHUD_POS_Y=100\nHUD_STEP_Y=-3\nFONT_SIZE=20\n"
        "COLOR_RED=300\nCOLOR_GREEN=10\nCOLOR_BLUE=x\nFONT_FACE=\n");
    EXPECT_EQ(s.posX, 450.0f);
    EXPECT_EQ(s.posY, 100.0f);
    EXPECT_EQ(s.stepY, 15.0f);
    EXPECT_EQ(s.fontSize, 20);
    EXPECT_EQ(bits(s.red), bits(kGrey));
    EXPECT_EQ(bits(s.green), bits(10 * 0.0039215689f));
    EXPECT_EQ(s.blue, 0.0f);
    EXPECT_STREQ(s.fontFace, "Arial");
}

TEST(HudSettings, NothingOfAnEarlierReloadSurvives) {
    test::WorkFolder dir;
    PageStore store;
    HudSettings settings{};
    test::writeFile(
        test::kIniFile,
        "[CONFIG]\nHUD_POS_X=100\nHUD_POS_Y=100\nHUD_STEP_Y=20\nFONT_SIZE=30\n"
        "COLOR_RED=1\nCOLOR_GREEN=2\nCOLOR_BLUE=3\nFONT_FACE=Courier New Bold Italic\n");
    reloadConfig(store, settings);
    test::writeFile(test::kIniFile, "[CONFIG]\nFONT_FACE=Mono\n");
    reloadConfig(store, settings);
    EXPECT_EQ(settings.posX, 450.0f);
    EXPECT_EQ(settings.fontSize, 18);
    EXPECT_EQ(bits(settings.blue), bits(kGrey));
    EXPECT_EQ(std::string(settings.fontFace, sizeof settings.fontFace),
              "Mono" + std::string(sizeof settings.fontFace - 4, '\0'))
        << "the longer face before leaves no bytes behind";
    std::remove(test::kIniFile);
    reloadConfig(store, settings);
    expectDefaults(settings);
}

}  // namespace
}  // namespace vantor

// The CONFIG settings through reloadConfig over real INI files: limits, defaults, scaling.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

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
    EXPECT_EQ(s.textEffect, kNoEffect);
    EXPECT_EQ(s.effectRed + s.effectGreen + s.effectBlue, 0.0f);
    EXPECT_EQ(s.anchor, kStretched);
}

// Each key with the values tried on it (null: the key is absent) and what its field then holds.
struct KeyCases {
    const char* key;
    float (*field)(const HudSettings&);
    std::vector<std::pair<const char*, float>> values;
};

const KeyCases kSettings[] = {
    {"HUD_POS_X",
     [](const HudSettings& s) { return s.posX; },
     {{"640", 640.0f},
      {"1", 1.0f},
      {"641", 450.0f},
      {"0", 450.0f},
      {"-5", 450.0f},
      {"", 450.0f},
      {"abc", 450.0f},
      {"12.9", 12.0f},
      {nullptr, 450.0f}}},
    {"HUD_POS_Y",
     [](const HudSettings& s) { return s.posY; },
     {{"480", 480.0f}, {"481", 65.0f}, {"0", 65.0f}}},
    {"HUD_STEP_Y",
     [](const HudSettings& s) { return s.stepY; },
     {{"0", 15.0f}, {"1", 1.0f}, {"480", 480.0f}, {"481", 15.0f}}},
    {"FONT_SIZE",
     [](const HudSettings& s) { return static_cast<float>(s.fontSize); },
     {{"1", 1.0f}, {"64", 64.0f}, {"0", 18.0f}, {"65", 18.0f}, {"abc", 18.0f}}},
    {"COLOR_RED",
     [](const HudSettings& s) { return s.red; },
     {{"255", 1.0f},
      {"254", 0.99607849f},
      {"128", 0.50196081f},
      {"64", kGrey},
      {"0", 0.0f},
      {"abc", 0.0f},
      {"256", kGrey},
      {"-1", kGrey},
      {"", kGrey}}},
    {"COLOR_GREEN",
     [](const HudSettings& s) { return s.green; },
     {{"1", 0.0039215689f},  // the single-precision 1/255
      {"255", 1.0f},
      {"256", kGrey}}},
    {"COLOR_BLUE",
     [](const HudSettings& s) { return s.blue; },
     {{"254", 0.99607849f}, {"-1", kGrey}}},
    {"TEXT_EFFECT",
     [](const HudSettings& s) { return static_cast<float>(s.textEffect); },
     {{"1", 1.0f}, {"2", 2.0f}, {"3", 0.0f}, {"-1", 0.0f}, {"x", 0.0f}}},
    {"EFFECT_RED",
     [](const HudSettings& s) { return s.effectRed; },
     {{"255", 1.0f}, {"256", 0.0f}}},
    {"EFFECT_BLUE", [](const HudSettings& s) { return s.effectBlue; }, {{"128", 0.50196081f}}},
    {"HUD_ANCHOR",
     [](const HudSettings& s) { return static_cast<float>(s.anchor); },
     {{"1", 1.0f},
      {"4", 4.0f},
      {"5", 5.0f},
      {"6", 6.0f},
      {"7", 0.0f},
      {"-1", 0.0f},
      {"", 0.0f},
      {"x", 0.0f},
      {nullptr, 0.0f}}},
    {"FONT_WEIGHT",
     [](const HudSettings& s) { return static_cast<float>(s.fontWeight); },
     {{"700", 700.0f}, {"100", 100.0f}, {"900", 900.0f}, {"99", 400.0f}, {"bold", 400.0f}}},
    {"START_VISIBLE",
     [](const HudSettings& s) { return static_cast<float>(s.startVisible); },
     {{"1", 1.0f}, {"2", 0.0f}, {nullptr, 0.0f}}},
};

TEST(HudSettings, EachKeyWithinItsLimitsOrItsDefault) {
    test::WorkFolder dir;
    for (const KeyCases& c : kSettings) {
        for (const auto& [value, expected] : c.values) {
            const std::string line = value ? std::string(c.key) + "=" + value + "\n" : "";
            SCOPED_TRACE(c.key + (": " + line));
            const HudSettings s = reloadWith("[CONFIG]\n" + line);
            EXPECT_EQ(bits(c.field(s)), bits(expected)) << c.field(s);
        }
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

// Every CONFIG key the HUD reads, known to the layout checker with the HUD's own range and
// default: the checker's finding for a value names a default and a range, and reloadConfig keeps
// exactly that default outside the range and the value at both its ends.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "check/layout_check.h"
#include "pages/hud_settings.h"
#include "work_folder.h"

namespace vantor {
namespace {

// KEY=`value` in a layout with one page: what the checker prints of it, and the value the HUD
// keeps, in the file's units.
struct Outcome {
    std::string findings;
    std::string kept;
};

Outcome withValue(const ConfigKey& key, const std::string& value) {
    test::writeFile(test::kIniFile, test::iniWithPage({"row"}, {key.name + ("=" + value)}));
    Outcome outcome;
    outcome.findings = hudhost::check::checkLayout(kIniPath).findings;

    PageStore store;
    HudSettings s{};
    reloadConfig(store, s);
    const float scale = key.kind == ConfigKey::kColour ? 255.0f : 1.0f;
    outcome.kept = key.kind == ConfigKey::kText ? std::string(s.*key.text)
                   : key.kind == ConfigKey::kWhole
                       ? std::to_string(s.*key.whole)
                       : std::to_string(std::lround(s.*key.real * scale));
    return outcome;
}

TEST(ConfigKeys, TheCheckerTellsTheRangeAndDefaultTheHudKeeps) {
    test::WorkFolder dir;
    for (const ConfigKey& key : kConfigKeys) {
        SCOPED_TRACE(key.name);
        std::smatch m;
        if (key.kind == ConfigKey::kText) {
            const Outcome empty = withValue(key, "");
            ASSERT_TRUE(std::regex_search(
                empty.findings, m, std::regex("is empty: the HUD uses the default (.+) \\[")))
                << empty.findings;
            EXPECT_EQ(empty.kept, m[1].str());
            continue;
        }
        const Outcome over = withValue(key, "99999");
        ASSERT_TRUE(std::regex_search(
            over.findings, m,
            std::regex("out of range: the HUD uses the default (-?\\d+); write a whole number "
                       "from (-?\\d+) to (-?\\d+)")))
            << over.findings;
        const std::string fallback = m[1].str();
        const int low = std::stoi(m[2].str());
        const int high = std::stoi(m[3].str());
        EXPECT_EQ(over.kept, fallback);
        for (int inside : {low, high}) {
            const Outcome taken = withValue(key, std::to_string(inside));
            EXPECT_EQ(taken.kept, std::to_string(inside));
            EXPECT_EQ(taken.findings.find("out of range"), std::string::npos) << taken.findings;
        }
        const Outcome under = withValue(key, std::to_string(low - 1));
        EXPECT_EQ(under.kept, fallback);
        EXPECT_NE(under.findings.find("out of range"), std::string::npos) << under.findings;
    }
}

}  // namespace
}  // namespace vantor

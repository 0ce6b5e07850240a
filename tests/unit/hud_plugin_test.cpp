// The HUD's function catalogue, the numbers it lists and those it does not.
#include <gtest/gtest.h>

#include "hud/hud_plugin.h"

namespace vantor {
namespace {

TEST(HudPlugin, NamesAndKindsByFunctionNumber) {
    HudPlugin hud;
    EXPECT_EQ(hud.functionCount(), 5);
    const struct {
        PluginBase::Arg n;
        const char* name;
        std::int32_t kind;
    } cases[] = {
        {0, "Vantor HUD Drawing Fn", 2},
        {1, "Vantor HUD Switch", 0},
        {2, "Vantor HUD Next Page", 0},
        {3, "Vantor HUD Prev Page", 0},
        {4, "Vantor HUD Reload INI", 0},
        {5, "NaFn", 2},
        {-1, "NaFn", 2},
        {INT32_MIN, "NaFn", 2},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(hud.functionName(c.n), c.name) << c.n;
        EXPECT_EQ(hud.functionKind(c.n), c.kind) << c.n;
    }
}

}  // namespace
}  // namespace vantor

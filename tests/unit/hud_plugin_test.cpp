// The HUD plug-in without a GL context: its function catalogue, and release and draw with nothing
// to free or draw.
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

TEST(HudPlugin, ReleaseAndDrawWithoutResourcesTouchNothing) {
    HudPlugin hud;
    hud.release(0);
    hud.release(1);
    EXPECT_TRUE(hud.draw(1));
    EXPECT_TRUE(hud.draw(0));  // no GL context is current in the unit tests
    EXPECT_EQ(hud.fontListBase(), 0u);
    EXPECT_EQ(hud.deviceContext(), nullptr);
}

}  // namespace
}  // namespace vantor

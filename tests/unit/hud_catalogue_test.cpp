// The HUD's function catalogue and its commands before any page is loaded.
#include <gtest/gtest.h>

#include <memory>

#include "hud/hud_plugin.h"

namespace vantor {
namespace {

TEST(HudCatalogue, NamesAndKindsByFunctionNumber) {
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

TEST(HudCatalogue, CommandsWithNoPagesLoaded) {
    enum : PluginBase::Arg { kSwitch = 1, kNext, kPrev, kReload };
    const struct {
        const char* name;
        PluginBase::Arg commands[4];
        bool visible;
        std::int32_t page;
    } cases[] = {
        {"starts hidden on page 0", {}, false, 0},
        {"switch shows", {kSwitch}, true, 0},
        {"switch twice hides", {kSwitch, kSwitch}, false, 0},
        {"hidden prev keeps page 0", {kPrev}, false, 0},
        {"hidden next keeps page 0", {kNext}, false, 0},
        {"visible prev with no pages gives -1", {kSwitch, kPrev}, true, -1},
        {"visible next with no pages stays", {kSwitch, kNext, kNext}, true, 0},
        {"next after -1 with no pages stays", {kSwitch, kPrev, kNext}, true, -1},
        {"hidden prev from -1 gives -1", {kSwitch, kPrev, kSwitch, kPrev}, false, -1},
        {"reload keeps visibility and page", {kSwitch, kPrev, kReload}, true, -1},
        {"unknown numbers do nothing", {0, 5, -1, 99}, false, 0},
    };
    for (const auto& c : cases) {
        auto hud = std::make_unique<HudPlugin>();
        for (PluginBase::Arg n : c.commands) EXPECT_TRUE(hud->execute(n)) << c.name;
        EXPECT_EQ(hud->visible(), c.visible) << c.name;
        EXPECT_EQ(hud->currentPage(), c.page) << c.name;
        EXPECT_TRUE(hud->rebuildNeeded()) << c.name;
    }
}

TEST(HudCatalogue, ReleaseAndFlaggedDrawWithoutResourcesTouchNothing) {
    HudPlugin hud;
    hud.release(0);
    hud.release(1);
    EXPECT_TRUE(hud.draw(1));
    EXPECT_TRUE(hud.draw(0));  // no GL context is current in the unit tests
    EXPECT_EQ(hud.fontListBase(), 0u);
    EXPECT_TRUE(hud.rebuildNeeded());
}

}  // namespace
}  // namespace vantor

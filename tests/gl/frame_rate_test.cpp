// The frame-rate token through the drawing entry: calls made while the HUD is hidden count.
#include <gtest/gtest.h>

#include <string>

#include "hud_gl_support.h"
#include "hud_internals.h"
#include "platform/platform.h"

namespace vantor::test {
namespace {

class FrameRateToken : public GlTest {};

TEST_F(FrameRateToken, CountsHiddenCallsSoThatItIsRightWhenShown) {
    WorkFolder dir(iniWithPage({"*FPS*"}));
    auto hud = makeHud();
    hud->draw(0);  // builds the resources and starts the count
    EXPECT_EQ(inspect(*hud).frameRate().perSecond, 0u);

    // Hidden for a little over a second: a rate, from hidden calls alone.
    long calls = 1;
    const std::uint32_t start = platform::tickCount();
    while (platform::tickCount() - start < 1100) {
        hud->draw(0);
        hud->draw(1);  // other flags are not the host's frames
        ++calls;
    }
    const std::uint32_t rate = inspect(*hud).frameRate().perSecond;
    EXPECT_GT(rate, 0u);
    EXPECT_LE(rate, static_cast<std::uint32_t>(calls));  // a span's rate is at most its calls

    hud->execute(kSwitchCommand);
    hud->draw(0);
    EXPECT_EQ(inspect(*hud).tokens().values[kFpsToken],
              std::to_string(inspect(*hud).frameRate().perSecond));
}

}  // namespace
}  // namespace vantor::test

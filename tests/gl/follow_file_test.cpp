// AUTO_RELOAD=1: a saved file is shown within a second without a command, however the editor
// saved it; a file that is gone keeps the layout drawn; without the key nothing is followed.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "hud_gl_support.h"

namespace vantor::test {
namespace {

class FollowFile : public GlTest {};

TEST_F(FollowFile, ShowsTheSavedFileWithinASecond) {
    enum Save { kInPlace, kByRename, kRemoved };
    const struct {
        const char* name;
        const char* key;
        Save save;
        std::vector<bool> shown;  // after the save and a second
    } cases[] = {
        {"inPlace", "AUTO_RELOAD=1", kInPlace, {true, false, true}},
        {"byRename", "AUTO_RELOAD=1", kByRename, {true, false, true}},
        {"removed", "AUTO_RELOAD=1", kRemoved, {true}},
        {"notFollowed", "AUTO_RELOAD=0", kInPlace, {true}},
        {"turnedOff", "AUTO_RELOAD=1", kInPlace, {true, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorkFolder dir(iniWithPage({"A"}, {c.key}));
        auto hud = makeHud();
        hud->execute(kSwitchCommand);
        hud->draw(0);
        const std::string next = iniWithPage(
            {"A", "BLANK", "C"}, {std::string(c.name) == "turnedOff" ? "AUTO_RELOAD=0" : c.key});
        if (c.save == kInPlace) dir.writeIni(next);
        if (c.save == kByRename) {
            writeFile(dir.iniPath() + ".new", next);
            ASSERT_EQ(std::rename((dir.iniPath() + ".new").c_str(), dir.iniPath().c_str()), 0);
        }
        if (c.save == kRemoved) {
            ASSERT_EQ(std::remove(dir.iniPath().c_str()), 0);
        }
        hud->draw(0);  // within the second: not looked at yet
        glClear(GL_COLOR_BUFFER_BIT);
        hud->draw(0);
        EXPECT_EQ(checkRowBands(frame(std::string(c.name) + "-soon"), {true}), "");
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        glClear(GL_COLOR_BUFFER_BIT);
        hud->draw(0);
        EXPECT_EQ(checkRowBands(frame(c.name), c.shown), "");
        if (std::string(c.name) != "turnedOff") continue;
        // The reload turned the key off: a later save is not followed.
        dir.writeIni(iniWithPage({"A"}));
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        glClear(GL_COLOR_BUFFER_BIT);
        hud->draw(0);
        EXPECT_EQ(checkRowBands(frame("turnedOff-later"), c.shown), "");
    }
}

}  // namespace
}  // namespace vantor::test

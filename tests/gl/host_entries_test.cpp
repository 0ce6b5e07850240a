// The HUD driven as the host drives it: through the record's entries and the callback table.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "host/plugin_entry.h"
#include "hud_gl_support.h"

namespace vantor::test {
namespace {

class HostEntries : public GlTest {};

TEST_F(HostEntries, SwitchThroughTheRecordAndDrawThroughPosition19) {
    FakeHost host;
    host.faces.count = 42;
    HostRecord& record = host.record;
    const HostEntry* table = host.table.entries;

    // What the page should look like: the same text with the token values written out.
    Image expected;
    {
        WorkFolder dir(iniWithPage({"Faces 42 in Top", "BLANK", "Edges 0"}));
        auto reference = makeHud();
        reference->execute(kSwitchCommand);
        reference->draw(0);
        expected = frame("expected");
    }
    ASSERT_GT(litArea(expected).count, 0);

    WorkFolder dir(
        iniWithPage({"Faces *SEL_FACES* in *CAMERA_NAME*", "BLANK", "Edges *SEL_EDGES*"}));
    initializePlugin(&record);  // the process's one plug-in object, as the host makes it
    ASSERT_NE(table[kDrawPosition], nullptr);
    const auto draw = entryAs<DrawEntry>(table[kDrawPosition]);
    const auto execute = entryAs<ExecuteEntry>(record.execute);

    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(draw(0));
    EXPECT_EQ(litArea(frame("hidden")).count, 0) << "the HUD starts hidden";

    EXPECT_TRUE(execute(kSwitchCommand));
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(draw(1));
    EXPECT_EQ(litArea(frame("flag1")).count, 0) << "flag 1 draws nothing";
    EXPECT_TRUE(draw(0));
    EXPECT_TRUE(frame("shown").rgba == expected.rgba);

    // The release entry takes the lists away; the next frame builds them again.
    entryAs<ReleaseEntry>(record.release)(0);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(draw(0));
    EXPECT_TRUE(frame("rebuilt").rgba == expected.rgba);
}

}  // namespace
}  // namespace vantor::test

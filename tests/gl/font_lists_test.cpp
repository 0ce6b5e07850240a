// The HUD's 96 glyph lists in the host's context: built once, rebuilt on reload, never piled up,
// and never called once released.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "hud_gl_support.h"
#include "hud_internals.h"

namespace vantor::test {
namespace {

constexpr GLuint kNamesScanned = 4096;

class FontLists : public GlTest {};

// A layout in plain ASCII has the 96; one with other characters a list more for each of them;
// with the row cache, two more for each row of a page, its text and its effect.
const struct {
    const char* row;
    const char* cache;
    int lists;
} kLayouts[] = {{"A", "ROW_CACHE=0", 96},
                {"Gr\xc3\xb6\xc3\x9f"
                 "e 45\xc2\xb0 \xc3\xb6",
                 "ROW_CACHE=0", 96 + 3},
                {"\xc3\xb6", "ROW_CACHE=1", 96 + 1 + 2 * 28}};

TEST_F(FontLists, RepeatedReloadsKeepTheirListsAndLeaveTheHostsListsAlone) {
    for (const auto& layout : kLayouts) {
        const GLuint host = glGenLists(10);
        WorkFolder dir(iniWithPage({layout.row}, {layout.cache}));
        auto hud = makeHud();
        hud->execute(kSwitchCommand);
        for (int reload = 0; reload < 6; ++reload) {
            if (reload > 0) hud->execute(kReloadIniCommand);
            EXPECT_TRUE(inspect(*hud).rebuildNeeded());
            hud->draw(0);
            ASSERT_NE(inspect(*hud).fontListBase(), 0u);
            EXPECT_EQ(countLists(kNamesScanned), 10 + layout.lists) << layout.row << " " << reload;
            for (GLuint k = 0; k < 96; ++k)
                ASSERT_TRUE(glIsList(inspect(*hud).fontListBase() + k)) << k;
            for (GLuint k = 0; k < 10; ++k) ASSERT_TRUE(glIsList(host + k)) << k;
        }
        EXPECT_GT(litArea(frame()).count, 0);
        hud->release(0);
        glDeleteLists(host, 10);
        EXPECT_EQ(countLists(kNamesScanned), 0) << layout.row << ": release deletes every list";
    }
}

TEST_F(FontLists, BuildingEveryGlyphRaisesNoGlError) {
    // The space has no pixels; a list holding a null bitmap is refused by Mesa with an error.
    WorkFolder dir(iniWithPage({"A B"}));
    auto hud = makeHud();
    hud->execute(kSwitchCommand);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    hud->draw(0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Each list draws one glyph and moves the raster position right by a whole advance.
    for (GLuint k = 0; k < 96; ++k) {
        glRasterPos2f(0.0f, 0.0f);
        GLfloat before[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
        glCallList(inspect(*hud).fontListBase() + k);
        GLfloat after[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
        EXPECT_GT(after[0], before[0]) << "code " << (k + 32);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FontLists, NoCurrentContextBuildsNothingAndTheNextFrameWithOneBuilds) {
    WorkFolder dir(iniWithPage({"A"}));
    auto hud = makeHud();
    hud->execute(kSwitchCommand);
    hud->release(0);  // nothing to free yet
    gl_->releaseCurrent();
    EXPECT_TRUE(hud->draw(1));
    EXPECT_TRUE(hud->draw(0));
    EXPECT_TRUE(hud->draw(0));
    EXPECT_TRUE(inspect(*hud).rebuildNeeded());
    EXPECT_EQ(inspect(*hud).fontListBase(), 0u);

    gl_->makeCurrent();
    EXPECT_EQ(countLists(kNamesScanned), 0);
    hud->draw(0);
    EXPECT_FALSE(inspect(*hud).rebuildNeeded());
    EXPECT_EQ(countLists(kNamesScanned), 96);
    EXPECT_EQ(litRowBand(frame()), 0);
}

TEST_F(FontLists, ReleaseDeletesTheListsAndTheNextFrameRebuilds) {
    WorkFolder dir(iniWithPage({"A"}));
    auto hud = makeHud();
    hud->execute(kSwitchCommand);
    hud->draw(0);
    const Image before = frame("before");
    ASSERT_EQ(countLists(kNamesScanned), 96);

    hud->release(1);
    EXPECT_EQ(countLists(kNamesScanned), 96) << "release with a value other than 0 does nothing";

    hud->release(0);
    EXPECT_EQ(countLists(kNamesScanned), 0);
    EXPECT_EQ(inspect(*hud).fontListBase(), 0u);
    EXPECT_TRUE(inspect(*hud).rebuildNeeded());

    // The host takes the freed names for lists of its own; the HUD must not call them.
    fillWithBlocks(glGenLists(96), 96);
    glClear(GL_COLOR_BUFFER_BIT);
    hud->draw(0);
    EXPECT_EQ(countLists(kNamesScanned), 96 + 96);
    EXPECT_TRUE(frame("after").rgba == before.rgba);
}

}  // namespace
}  // namespace vantor::test

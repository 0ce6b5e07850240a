// A frame after the first allocates nothing of its own: every buffer of the HUD is inline. The GL
// driver may allocate inside the calls the HUD makes (llvmpipe does, for each glCallLists); each
// allocation is told apart by the call stack it came from.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "allocation_log.h"
#include "hud_gl_support.h"

namespace vantor::test {
namespace {

class FrameAllocation : public GlTest {};

TEST_F(FrameAllocation, AFrameAfterTheFirstAllocatesNothingOfItsOwn) {
    if (!kCountsAllocations) {
        GTEST_SKIP() << "AddressSanitizer owns malloc; the count runs in the plain build";
    }
    // The count itself: an allocation of our own is seen, and one of the driver's is told apart.
    const AllocationCounts probe = countAllocations([] {
        static char* volatile kept;
        kept = new char[100];
        delete[] kept;
    });
    ASSERT_EQ(probe.outsideDriver, 1);
    const AllocationCounts driverProbe = countAllocations([] { glGenLists(1); });
    ASSERT_EQ(driverProbe.outsideDriver, 0);

    FakeHost host;
    host.faces.count = 12;
    // Each effect, stretched, and each corner held with an outline (the first of two keys wins);
    // a row whose threshold colour changes every frame, with the clock's names, each way drawn, and
    // with values in a colour of their own.
    const std::string styled = "ROWCOLOR3=FF0000<13,00FF00\nROWCOLOR4=0000FF\n";
    const std::string clock = "DATE_FORMAT=%A %e %B %Y\nTIME_FORMAT=%I:%M:%S %p";
    const std::pair<std::string, std::string> looks[] = {
        {"TEXT_EFFECT=0", ""},
        {"TEXT_EFFECT=1", ""},
        {"TEXT_EFFECT=2", ""},
        {"HUD_ANCHOR=1", ""},
        {"HUD_ANCHOR=2", ""},
        {"HUD_ANCHOR=3", ""},
        {"HUD_ANCHOR=4", ""},
        {"ROW_CACHE=1", ""},
        {"PANEL_ALPHA=100", ""},
        {"AUTO_RELOAD=1", ""},
        {clock, styled},
        {"ROW_CACHE=1\n" + clock, styled},
        {"HUD_ANCHOR=5", styled},
        {"VALUE_RED=255\n" + clock, styled},
        {"ROW_CACHE=1\nVALUE_GREEN=0\n" + clock, styled}};
    for (const auto& [look, pageKeys] : looks) {
        SCOPED_TRACE(look + pageKeys);
        std::string ini =
            iniWithPage({"*CAMERA_NAME* *CUR_DATE* *CUR_TIME* *ELAPSED* *FPS*", "BLANK",
                         "*SEL_FACES* *SEL_EDGES* *SEL_VERTICES*", "plain \xe9 row",
                         "Gr\xc3\xb6\xc3\x9f"
                         "e *SEL_FACES*\xc2\xb0 \xce\x94x",
                         // Shaped, its text steady: drawn from its row list.
                         "\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85 *SEL_EDGES* \xd7\xa9"},
                        {look, "TEXT_EFFECT=2"});
        ini.insert(ini.find('\n') + 1, pageKeys);
        WorkFolder dir(ini);
        auto hud = makeHud();
        hud->attachHost(&host.scene, &host.services);
        hud->execute(kSwitchCommand);
        hud->draw(0);  // builds the lists and reads the file

        const AllocationCounts frames = countAllocations([&] {
            for (int i = 0; i < 5; ++i) {
                host.view.camera = i % 2 == 0 ? 0x1001 : 0x1002;  // the name is reformatted
                host.faces.count = 12 + i % 2;                    // and row 3 changes colour
                hud->draw(0);
                hud->draw(1);
            }
        });
        EXPECT_EQ(frames.outsideDriver, 0);
        EXPECT_GT(litArea(frame()).count, 0);
    }
}

}  // namespace
}  // namespace vantor::test

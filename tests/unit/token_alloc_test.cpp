// A drawn frame's token work allocates nothing: updating the values and applying the tokens to a
// full page are counted against the C allocator, which operator new also goes through.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "allocation_log.h"
#include "fake_host.h"
#include "pages/page_store.h"
#include "platform/platform.h"
#include "tokens/token_table.h"
#include "work_folder.h"

namespace vantor {
namespace {

using test::countAllocations;

std::vector<std::string> fullPage() {
    const char* lines[] = {"Camera *CAMERA_NAME*, date *CUR_DATE*", "Time *CUR_TIME*, up *ELAPSED*",
                           "Faces *SEL_FACES*, edges *SEL_EDGES*",
                           "Vertices selected *SEL_VERTICES*",
                           "A plain row without any token in it"};
    std::vector<std::string> rows;
    for (int i = 0; i < kPageRows; ++i) rows.push_back(lines[i % 5]);
    return rows;
}

TEST(TokenAllocations, FrameOfTokenWorkAllocatesNothing) {
    if (!test::kCountsAllocations) {
        GTEST_SKIP() << "AddressSanitizer owns the allocator; allocations are counted in the "
                        "plain build";
    }
    static int* volatile sink;
    ASSERT_EQ(countAllocations([] {
                  sink = new int(1);
                  delete sink;
              }).outsideDriver,
              1)
        << "operator new is not counted";

    test::FakeHost host;
    host.faces.count = 3;
    const test::WorkFolder dir(test::iniWithPage(fullPage()));
    auto store = std::make_unique<PageStore>();
    auto table = std::make_unique<TokenTable>();
    HostWord camera = 0;
    char line[kLineSize];
    std::uint32_t tick = 1000;
    auto frame = [&] {
        updateTokenValues(*table, camera, {&host.scene, &host.services, 1000, tick += 1000, 0});
        for (int i = 0; i < store->getRowCount(); ++i) {
            store->selectRow(i);
            const char* text = store->getRowText();
            std::memcpy(line, text, std::strlen(text) + 1);
            applyTokens(*store->getRow(), *table, line);
        }
    };

    // The first pass binds the library calls and lets the C library read the zone rules.
    platform::refreshTimeZone();
    ASSERT_TRUE(test::loadFirstPage(*store));
    frame();
    // Counted: a first frame of a fresh load with a camera to name, then a frame from the caches.
    ASSERT_TRUE(test::loadFirstPage(*store));
    camera = 0;
    EXPECT_EQ(countAllocations(frame).outsideDriver, 0);
    EXPECT_EQ(countAllocations(frame).outsideDriver, 0);

    EXPECT_STREQ(table->values[kCameraNameToken], "Top");
    EXPECT_STREQ(line, "Faces 3, edges 0");  // the last row: the work was done
}

}  // namespace
}  // namespace vantor

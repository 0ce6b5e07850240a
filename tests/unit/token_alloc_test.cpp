// A drawn frame's token work allocates nothing: updating the values and applying the tokens to a
// full page are counted against the C allocator, which operator new also goes through.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "token_fixtures.h"
#include "tokens/token_table.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Under AddressSanitizer the allocator belongs to the sanitizer, so the counting wrappers are
// left out there and the test skips.
#if !defined(__SANITIZE_ADDRESS__)
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);

void* malloc(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}
}
constexpr bool kCountsAllocations = true;
#else
constexpr bool kCountsAllocations = false;
#endif

namespace vantor {
namespace {

template <class Work>
long allocationsDuring(Work work) {
    const long before = allocations.load();
    work();
    return allocations.load() - before;
}

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
    if (!kCountsAllocations) {
        GTEST_SKIP() << "AddressSanitizer owns the allocator; allocations are counted in the "
                        "plain build";
    }
    static int* volatile sink;
    ASSERT_GE(allocationsDuring([] {
                  sink = new int(1);
                  delete sink;
              }),
              1)
        << "operator new is not counted";

    test::FakeHost host;
    host.scene.topCamera = 7;
    host.view.camera = 7;
    host.faces.count = 3;
    const test::PageFile file(fullPage());
    auto store = std::make_unique<PageStore>();
    auto table = std::make_unique<TokenTable>();
    HostWord camera = 0;
    TokenClock clock;
    char line[kLineSize];
    std::uint32_t tick = 1000;
    auto frame = [&] {
        updateTokenValues(*table, camera, {&host.scene, &host.services, 1000, tick += 1000, 0},
                          clock);
        for (int i = 0; i < store->getRowCount(); ++i) {
            store->selectRow(i);
            const char* text = store->getRowText();
            std::memcpy(line, text, std::strlen(text) + 1);
            applyTokens(*store, *table, line);
        }
    };

    // The first pass binds the library calls and lets the C library read the zone rules.
    platform::refreshTimeZone();
    ASSERT_TRUE(file.loadInto(*store));
    frame();
    // Counted: a first frame of a fresh load with a camera to name, then a frame from the caches.
    store->reset();
    ASSERT_TRUE(file.loadInto(*store));
    store->selectRow(0);
    ASSERT_EQ(store->getTokenHits(), -1);
    camera = 0;
    EXPECT_EQ(allocationsDuring(frame), 0);
    EXPECT_EQ(allocationsDuring(frame), 0);

    EXPECT_STREQ(table->page.rows[0].value, "Top");
    EXPECT_STREQ(line, "Faces 3, edges 0");  // the last row: the work was done
    store->selectRow(0);
    EXPECT_EQ(store->getTokenHits(), 2);
}

}  // namespace
}  // namespace vantor

// A frame after the first allocates nothing of its own: every buffer of the HUD is inline. The GL
// driver may allocate inside the calls the HUD makes (llvmpipe does, for each glCallLists); each
// allocation is told apart by the call stack it came from.
#include <dlfcn.h>
#include <execinfo.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <string>

#include "hud_gl_support.h"

#if defined(__SANITIZE_ADDRESS__)
#define VANTOR_COUNT_ALLOCATIONS 0
#else
#define VANTOR_COUNT_ALLOCATIONS 1
#endif

#if VANTOR_COUNT_ALLOCATIONS
namespace {

// The call stacks of the allocations made while recording, in static storage: recording must not
// allocate itself.
struct AllocationLog {
    static constexpr int kCapacity = 4096;
    static constexpr int kDepth = 64;
    std::atomic<bool> recording{false};
    std::atomic<int> count{0};
    void* frames[kCapacity][kDepth];
    int depth[kCapacity];
};
AllocationLog g_log;
thread_local bool t_inHook = false;

void note() {
    if (!g_log.recording.load(std::memory_order_relaxed) || t_inHook) return;
    t_inHook = true;
    const int slot = g_log.count.fetch_add(1);
    if (slot < AllocationLog::kCapacity) {
        g_log.depth[slot] = backtrace(g_log.frames[slot], AllocationLog::kDepth);
    }
    t_inHook = false;
}

}  // namespace

// Every allocation of the test program passes through these; operator new and the C library's own
// helpers allocate through malloc too.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* pointer, std::size_t size);
extern "C" void* __libc_memalign(std::size_t alignment, std::size_t size);

extern "C" void* malloc(std::size_t size) noexcept {
    note();
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) noexcept {
    note();
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* pointer, std::size_t size) noexcept {
    note();
    return __libc_realloc(pointer, size);
}
extern "C" void* memalign(std::size_t alignment, std::size_t size) noexcept {
    note();
    return __libc_memalign(alignment, size);
}
#endif

namespace vantor::test {
namespace {

#if VANTOR_COUNT_ALLOCATIONS
// Whether a stack passes through the GL driver stack (dispatch, EGL, Mesa, LLVM).
bool fromDriver(void* const* frames, int depth) {
    for (int i = 0; i < depth; ++i) {
        Dl_info info{};
        if (dladdr(frames[i], &info) == 0 || info.dli_fname == nullptr) continue;
        const char* name = std::strrchr(info.dli_fname, '/');
        name = name != nullptr ? name + 1 : info.dli_fname;
        for (const char* driver :
             {"libGL", "libEGL", "libOpenGL", "libglapi", "_dri.so", "libgallium", "libLLVM"}) {
            if (std::strstr(name, driver) != nullptr) return true;
        }
    }
    return false;
}

struct Counts {
    int ours = 0;
    int driver = 0;
};

template <class Body>
Counts countAllocations(Body body) {
    g_log.count = 0;
    g_log.recording = true;
    body();
    g_log.recording = false;
    Counts counts;
    const int recorded = std::min(g_log.count.load(), AllocationLog::kCapacity);
    for (int i = 0; i < recorded; ++i) {
        (fromDriver(g_log.frames[i], g_log.depth[i]) ? counts.driver : counts.ours) += 1;
    }
    return counts;
}
#endif

class FrameAllocation : public GlTest {};

TEST_F(FrameAllocation, AFrameAfterTheFirstAllocatesNothingOfItsOwn) {
#if !VANTOR_COUNT_ALLOCATIONS
    GTEST_SKIP() << "AddressSanitizer owns malloc; the count runs in the plain build";
#else
    void* warm[4];
    backtrace(warm, 4);  // loads the unwinder before anything is recorded

    // The count itself: an allocation of our own is seen, and one of the driver's is told apart.
    const Counts probe = countAllocations([] {
        static char* volatile kept;
        kept = new char[100];
        delete[] kept;
    });
    ASSERT_EQ(probe.ours, 1);
    const Counts driverProbe = countAllocations([] { glGenLists(1); });
    ASSERT_EQ(driverProbe.ours, 0);

    TestScene host;
    host.faces.count = 12;
    TestScene::mode = 0;
    IniWorkdir dir(iniWithPage({"*CAMERA_NAME* *CUR_DATE* *CUR_TIME* *ELAPSED*", "BLANK",
                                "*SEL_FACES* *SEL_EDGES* *SEL_VERTICES*", "plain \xe9 row"}));
    auto hud = makeHud();
    hud->attachHost(nullptr, &host.scene, &host.services, nullptr);
    hud->execute(1);
    hud->draw(0);  // builds the lists and reads the file

    const Counts frames = countAllocations([&] {
        for (int i = 0; i < 5; ++i) {
            host.view.camera = i % 2 == 0 ? 0x1001 : 0x1002;  // the camera name is reformatted
            hud->draw(0);
            hud->draw(1);
        }
    });
    EXPECT_EQ(frames.ours, 0);
    EXPECT_GT(litArea(frame()).count, 0);
#endif
}

}  // namespace
}  // namespace vantor::test

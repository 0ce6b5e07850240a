#include "allocation_log.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>

namespace vantor::test {
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

}  // namespace

void startRecording() {
    void* warm[4];
    backtrace(warm, 4);  // the unwinder's library loads on its first use
    g_log.count = 0;
    g_log.recording = true;
}

AllocationCounts stopRecording() {
    g_log.recording = false;
    AllocationCounts counts;
    const int recorded = std::min(g_log.count.load(), AllocationLog::kCapacity);
    for (int i = 0; i < recorded; ++i) {
        (fromDriver(g_log.frames[i], g_log.depth[i]) ? counts.driver : counts.outsideDriver) += 1;
    }
    return counts;
}

}  // namespace vantor::test

#if !defined(__SANITIZE_ADDRESS__)
namespace vantor::test {
namespace {

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
}  // namespace vantor::test

// Every allocation of the program passes through these; operator new and the C library's own
// helpers allocate through malloc too.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* pointer, std::size_t size);
extern "C" void* __libc_memalign(std::size_t alignment, std::size_t size);

extern "C" void* malloc(std::size_t size) noexcept {
    vantor::test::note();
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) noexcept {
    vantor::test::note();
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* pointer, std::size_t size) noexcept {
    vantor::test::note();
    return __libc_realloc(pointer, size);
}
extern "C" void* memalign(std::size_t alignment, std::size_t size) noexcept {
    vantor::test::note();
    return __libc_memalign(alignment, size);
}
#endif

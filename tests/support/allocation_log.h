// Heap allocations counted by call stack: the C allocator of the whole program is wrapped, and
// while recording, each allocation's stack tells whether the GL driver made it or something else
// (our code, or a peer library the benchmarks compare against). Linux only; under AddressSanitizer
// the allocator is the sanitizer's and nothing is counted.
#pragma once

namespace vantor::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kCountsAllocations = false;
#else
inline constexpr bool kCountsAllocations = true;
#endif

struct AllocationCounts {
    int outsideDriver = 0;  // by the program and its libraries apart from the GL driver stack
    int driver = 0;         // inside the GL dispatch, EGL, Mesa or LLVM
};

// Starts recording; the unwinder is loaded first so that recording allocates nothing itself.
void startRecording();
// Stops recording and classifies what was recorded since startRecording.
AllocationCounts stopRecording();

template <class Body>
AllocationCounts countAllocations(Body body) {
    startRecording();
    body();
    return stopRecording();
}

}  // namespace vantor::test

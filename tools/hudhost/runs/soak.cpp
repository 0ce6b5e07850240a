#include "runs/soak.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "process_memory.h"

namespace hudhost {
namespace {

// Display-list names counted at first. A driver may hand out names upwards, 96 more at each
// rebuild, so the range doubles whenever a live list shows in its upper half; the lists move far
// less than that between two counts.
constexpr unsigned int kFirstListNameEnd = 1u << 16;
// Growth of resident memory that still counts as flat: allocator and driver noise (about 1.5 MiB
// on llvmpipe with one rasteriser thread; its threaded rasteriser grows its pools by a hundred MiB
// at unforeseeable frames, so soak runs set LP_NUM_THREADS=0).
constexpr std::uint64_t kResidentSlack = 2u << 20;
// AddressSanitizer keeps freed blocks in quarantine and its resident memory swings by several MiB
// between samples, so under it the memory says nothing of a leak; its own leak checker judges
// that at exit instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentJudged = false;
#else
constexpr bool kResidentJudged = true;
#endif
// A lost context answers GL_CONTEXT_LOST for ever; stop reading errors after this many.
constexpr int kMaxErrorsPerFrame = 16;

double mebibytes(std::uint64_t bytes) { return static_cast<double>(bytes) / (1u << 20); }

struct Figures {
    long reloads = 0;
    long pageTurns = 0;
    long glErrors = 0;
    long firstErrorFrame = 0;
    unsigned int firstError = 0;
    unsigned int listNameEnd = kFirstListNameEnd;
    unsigned int listsAtStart = 0;
    unsigned int listsAtEnd = 0;
    unsigned int listsMin = ~0u;
    unsigned int listsMax = 0;
    long listCounts = 0;
    std::vector<std::uint64_t> resident;  // after every 1000th frame
};

void checkErrors(long frame, Figures& f) {
    for (int i = 0; i < kMaxErrorsPerFrame; ++i) {
        const GLenum e = glGetError();
        if (e == GL_NO_ERROR) return;
        if (f.glErrors++ == 0) {
            f.firstErrorFrame = frame;
            f.firstError = e;
        }
    }
}

void countLists(Figures& f) {
    unsigned int live = 0;
    unsigned int highest = 0;
    for (unsigned int name = 1; name < f.listNameEnd; ++name) {
        if (glIsList(name)) {
            ++live;
            highest = name;
        }
    }
    if (highest >= f.listNameEnd / 2 && f.listNameEnd < (1u << 31)) f.listNameEnd *= 2;
    if (f.listCounts++ == 0) f.listsAtStart = live;
    f.listsAtEnd = live;
    f.listsMin = std::min(f.listsMin, live);
    f.listsMax = std::max(f.listsMax, live);
}

std::uint64_t median(std::vector<std::uint64_t> samples) {
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

// The samples' medians over the first and the second half of the run: a leak moves the second
// above the first, while a single noisy sample moves neither.
struct ResidentHalves {
    std::uint64_t first;
    std::uint64_t second;
    std::uint64_t growth() const { return second > first ? second - first : 0; }
};

ResidentHalves residentHalves(const Figures& f) {
    const auto middle = f.resident.begin() + static_cast<std::ptrdiff_t>(f.resident.size() / 2);
    return {median({f.resident.begin(), middle}), median({middle, f.resident.end()})};
}

void print(long frames, const Figures& f) {
    std::printf("soak: %ld frames, %ld reloads, %ld page turns\n", frames, f.reloads, f.pageTurns);
    std::printf("soak: GL errors: %ld", f.glErrors);
    if (f.glErrors > 0)
        std::printf(" (first 0x%04x after frame %ld)", f.firstError, f.firstErrorFrame);
    std::printf(
        "\nsoak: live display lists: %u after frame 1, %u at the end, %u to %u over %ld "
        "counts\n",
        f.listsAtStart, f.listsAtEnd, f.listsMin, f.listsMax, f.listCounts);
    if (f.resident.size() < 2) {
        std::printf("soak: resident memory: not judged, the run ends before frame %ld\n",
                    2 * kSoakReloadEvery);
        return;
    }
    const ResidentHalves halves = residentHalves(f);
    std::printf(
        "soak: resident memory: median %.2f MiB over the first half, %.2f MiB over the "
        "second, growth %+.2f MiB (slack %.2f MiB)\n",
        mebibytes(halves.first), mebibytes(halves.second), mebibytes(halves.growth()),
        mebibytes(kResidentSlack));
    if (!kResidentJudged) std::printf("soak: resident memory: not judged under AddressSanitizer\n");
    std::printf("soak: resident MiB every %ld frames:", kSoakReloadEvery);
    for (std::uint64_t bytes : f.resident) std::printf(" %.2f", mebibytes(bytes));
    std::printf("\n");
}

}  // namespace

bool runSoak(const Viewport& viewport, const HostSide& host, long frames, std::string& error) {
    Figures f;
    for (long frame = 1; frame <= frames; ++frame) {
        if (frame % kSoakReloadEvery == 0) {
            host.execute(vantor::kReloadIniCommand);
            ++f.reloads;
        }
        if (frame % kSoakPageEvery == 0) {
            host.execute(vantor::kNextPageCommand);
            ++f.pageTurns;
        }
        viewport.frame(true);
        checkErrors(frame, f);
        if (frame == 1 || frame % kSoakPageEvery == 0) countLists(f);
        if (frame % kSoakReloadEvery == 0) f.resident.push_back(residentBytes());
    }
    glFinish();
    print(frames, f);

    if (f.glErrors > 0) {
        error = "soak failed: GL error after frame " + std::to_string(f.firstErrorFrame);
    } else if (f.listsMin != f.listsMax) {
        error = "soak failed: the number of live display lists changed";
    } else if (kResidentJudged && f.resident.size() >= 2 &&
               residentHalves(f).growth() > kResidentSlack) {
        error = "soak failed: resident memory grew";
    }
    std::printf("soak: %s\n", error.empty() ? "passed" : "FAILED");
    return error.empty();
}

}  // namespace hudhost

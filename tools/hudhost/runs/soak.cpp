#include "runs/soak.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "pages/page_store.h"
#include "process_memory.h"
#include "runs/progress.h"
#include "runs/soak_memory.h"

namespace hudhost {
namespace {

// Display-list names counted at first. A driver may hand out names upwards, 96 more at each
// rebuild, so the range doubles whenever a live list shows in its upper half; the lists move far
// less than that between two counts.
constexpr unsigned int kFirstListNameEnd = 1u << 16;
// AddressSanitizer keeps freed blocks in quarantine and its resident memory swings by several MiB
// between samples, so under it the memory says nothing of a leak; its own leak checker judges
// that at exit instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentJudged = false;
#else
constexpr bool kResidentJudged = true;
#endif
// A run stopped at the fewest samples has shown every page the HUD can hold, twice at least.
static_assert(kFewestSamples * kSoakReloadEvery / kSoakPageEvery >= 2 * vantor::kPageCount);
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
    ResidentSamples resident;  // read every 100th frame, sampled every 1000th
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

void print(long frames, const Figures& f) {
    std::printf("soak: %ld frames, %ld reloads, %ld page turns\n", frames, f.reloads, f.pageTurns);
    std::printf("soak: GL errors: %ld", f.glErrors);
    if (f.glErrors > 0)
        std::printf(" (first 0x%04x after frame %ld)", f.firstError, f.firstErrorFrame);
    std::printf(
        "\nsoak: live display lists: %u after frame 1, %u at the end, %u to %u over %ld "
        "counts\n",
        f.listsAtStart, f.listsAtEnd, f.listsMin, f.listsMax, f.listCounts);
    if (!f.resident.judged()) {
        std::printf("soak: resident memory: not judged, the run ends before frame %ld\n",
                    2 * kSoakReloadEvery);
        return;
    }
    std::printf(
        "soak: resident memory: median %.2f MiB over the first half, %.2f MiB over the "
        "second, growth %+.2f MiB (slack %.2f MiB)\n",
        mebibytes(f.resident.firstHalf()), mebibytes(f.resident.secondHalf()),
        mebibytes(f.resident.growth()), mebibytes(kResidentSlack));
    if (!kResidentJudged) std::printf("soak: resident memory: not judged under AddressSanitizer\n");
    std::printf("soak: resident MiB, the most of each %ld frames:", kSoakReloadEvery);
    for (std::uint64_t bytes : f.resident.all()) std::printf(" %.2f", mebibytes(bytes));
    std::printf("\n");
}

bool checksPassing(const Figures& f) { return f.glErrors == 0 && f.listsMin == f.listsMax; }

// Whether the run has shown all it can, `frames` into a run of `most`: every check passing and
// resident memory flat for long enough, or, where memory is not judged, the fewest reloads.
bool shownEnough(long frames, long most, const Figures& f) {
    if (frames >= most || !checksPassing(f)) return false;
    if (!kResidentJudged) return f.resident.all().size() >= kFewestSamples;
    return f.resident.flatFor(static_cast<std::size_t>(most / kSoakReloadEvery));
}

// Why the run stopped where it did.
void printStop(long frames, long most, const Figures& f) {
    const long fewest = static_cast<long>(kFewestSamples) * kSoakReloadEvery;
    if (frames < most && !kResidentJudged) {
        std::printf(
            "soak: stopped after frame %ld of %ld, the fewest it stops after: resident memory "
            "is not judged under AddressSanitizer\n",
            frames, most);
    } else if (frames < most) {
        std::printf(
            "soak: stopped after frame %ld of %ld: resident memory flat over %zu reloads; at "
            "its rate so far it would grow %+.2f MiB by frame %ld, within half the slack\n",
            frames, most, f.resident.all().size(),
            mebibytes(f.resident.growthOver(static_cast<std::size_t>(most / kSoakReloadEvery))),
            most);
    } else if (most <= fewest) {
        std::printf("soak: ran all %ld frames: it stops early only after frame %ld\n", most,
                    fewest);
    } else if (!checksPassing(f)) {
        std::printf("soak: ran all %ld frames: a check failed\n", most);
    } else {
        std::printf(
            "soak: ran all %ld frames: resident memory was never flat for long enough to stop "
            "sooner\n",
            most);
    }
}

}  // namespace

SoakResult runSoak(const Viewport& viewport, const HostSide& host, long most) {
    Figures f;
    Progress progress("soak", most);
    long frames = 0;
    while (frames < most) {
        const long frame = ++frames;
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
        if (frame % kSoakPageEvery == 0) {
            const std::uint64_t resident = residentBytes();
            f.resident.read(resident);
            char watched[48];
            std::snprintf(watched, sizeof watched, "resident memory %.2f MiB", mebibytes(resident));
            progress.watch(watched);
        }
        progress.advance();
        if (frame % kSoakReloadEvery == 0) {
            f.resident.sample();
            if (shownEnough(frame, most, f)) break;
        }
    }
    glFinish();
    progress.finish();
    print(frames, f);
    printStop(frames, most, f);

    SoakResult result{frames, {}};
    if (f.glErrors > 0) {
        result.failure = "soak failed: GL error after frame " + std::to_string(f.firstErrorFrame);
    } else if (f.listsMin != f.listsMax) {
        result.failure = "soak failed: the number of live display lists changed";
    } else if (kResidentJudged && f.resident.judged() && f.resident.growth() > kResidentSlack) {
        result.failure = "soak failed: resident memory grew";
    }
    std::printf("soak: %s\n", result.failure.empty() ? "passed" : "FAILED");
    return result;
}

}  // namespace hudhost

// How a soak run judges resident memory, read at every page turn and sampled at every reload:
// whether it grew, and whether it has been flat for long enough that the rest of the run could not
// show a leak.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hudhost {

// Growth of resident memory that still counts as flat: allocator and driver noise (about 1.5 MiB
// on llvmpipe with one rasteriser thread; its threaded rasteriser grows its pools by a hundred MiB
// at unforeseeable frames, so soak runs set LP_NUM_THREADS=0).
constexpr std::uint64_t kResidentSlack = 2u << 20;
// The fewest samples a run stops after: three in each half, so that one noisy sample moves neither
// median.
constexpr std::size_t kFewestSamples = 6;

class ResidentSamples {
public:
    // A reading. A reload's sample is the most of the readings since the last, so that each
    // sample weighs every page the same: the pages hold different amounts, and a sample of the
    // page that happens to be shown would swing by as much as the slack.
    void read(std::uint64_t bytes) { most_ = bytes > most_ ? bytes : most_; }
    void sample() {
        samples_.push_back(most_);
        most_ = 0;
    }
    const std::vector<std::uint64_t>& all() const { return samples_; }
    bool judged() const { return samples_.size() >= 2; }

    // The medians over the first and the second half of the samples: a leak moves the second
    // above the first, while a single noisy sample moves neither. From two samples on.
    std::uint64_t firstHalf() const;
    std::uint64_t secondHalf() const;
    std::uint64_t growth() const {
        return secondHalf() > firstHalf() ? secondHalf() - firstHalf() : 0;
    }

    // The growth a run of `samples` samples would show if memory went on growing at the rate it
    // has so far: in a longer run the two medians lie more samples apart.
    std::uint64_t growthOver(std::size_t samples) const;
    // Whether a run of `samples` samples may stop now: kFewestSamples are in, and at the rate so
    // far the whole run would grow by half the slack at most; the other half is for the noise in
    // that rate, which a few samples do not average out (a leak's pages come in steps). So it
    // stops only where running on would pass, and a leak the whole run would show keeps it
    // running to the end.
    bool flatFor(std::size_t samples) const {
        return samples_.size() >= kFewestSamples && growthOver(samples) <= kResidentSlack / 2;
    }

private:
    std::uint64_t most_ = 0;
    std::vector<std::uint64_t> samples_;
};

}  // namespace hudhost

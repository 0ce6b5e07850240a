#include "runs/soak_memory.h"

#include <algorithm>

namespace hudhost {
namespace {

using Samples = std::vector<std::uint64_t>;

// A half's median is its sample at half its length, counted from its start.
std::size_t firstMedianAt(std::size_t count) { return count / 2 / 2; }
std::size_t secondMedianAt(std::size_t count) { return count / 2 + (count - count / 2) / 2; }

std::uint64_t median(Samples::const_iterator begin, Samples::const_iterator end) {
    Samples half(begin, end);
    std::nth_element(half.begin(), half.begin() + half.size() / 2, half.end());
    return half[half.size() / 2];
}

}  // namespace

std::uint64_t ResidentSamples::firstHalf() const {
    return median(samples_.begin(), samples_.begin() + samples_.size() / 2);
}

std::uint64_t ResidentSamples::secondHalf() const {
    return median(samples_.begin() + samples_.size() / 2, samples_.end());
}

std::uint64_t ResidentSamples::growthOver(std::size_t samples) const {
    if (!judged()) return 0;
    // Memory growing at a steady rate puts the medians as many rates apart as they lie samples
    // apart.
    const std::size_t now = secondMedianAt(samples_.size()) - firstMedianAt(samples_.size());
    const std::size_t then = secondMedianAt(samples) - firstMedianAt(samples);
    return growth() * then / now;
}

}  // namespace hudhost

#pragma once
// A small deterministic random source. The standard library's distributions may differ
// between library versions, so the town draws everything from this one: integer mixing only,
// and doubles made from 53 random bits, so a seed gives the same town everywhere.

#include <cstdint>
#include <span>

namespace towngen {

class Random {
public:
    // One independent sequence per (seed, stream, index): the town seeds a sequence for each
    // block, parcel or intersection, so any part can be generated without the parts before it.
    Random(std::uint64_t seed, std::uint64_t stream, std::uint64_t index)
        : state_(Mix(Mix(Mix(seed) ^ (stream * 0x9E3779B97F4A7C15ULL)) ^ (index + 0xD1B54A32D192ED03ULL))) {}

    std::uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        return Mix(state_);
    }

    // A whole number in [0, n); n must be at least 1. Rejection keeps it unbiased.
    std::uint64_t Below(std::uint64_t n) {
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
        std::uint64_t value = Next();
        while (value >= limit) value = Next();
        return value % n;
    }

    // A whole number in [low, high].
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<std::uint64_t>(high - low) + 1)); }

    // A double in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    double Uniform(double low, double high) { return low + (high - low) * Unit(); }

    // True with the given chance in percent.
    bool Percent(int chance) { return Below(100) < static_cast<std::uint64_t>(chance); }

    template <typename T> const T& Pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(Below(items.size()))];
    }

private:
    static std::uint64_t Mix(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    std::uint64_t state_;
};

}  // namespace towngen

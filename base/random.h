// The program's one pseudo-random generator: uniform draws 0 <= r < 1, reseeded from
// the time of day at the start of each mascot run. Any uniform generator serves;
// SplitMix64 is small, fast and has no bad seeds.
#pragma once

#include <cstdint>

namespace poko {

class RandomGenerator {
public:
    void Seed(std::uint64_t seed) { state_ = seed; }
    double Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1.0p-53;  // 53 random bits below 1
    }

private:
    std::uint64_t state_ = 0;
};

}  // namespace poko

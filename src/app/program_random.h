// The program-wide random generator: SplitMix64, each draw 24 random bits as a number in [0, 1)
// that is exact in single and double precision.
#pragma once

#include <cstdint>

namespace mojara {

class ProgramRandom {
 public:
  void reseed(std::uint64_t seed) { state_ = seed; }
  double next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 40) / 16777216.0;
  }
  std::uint64_t state() const { return state_; }

 private:
  std::uint64_t state_ = 0;
};

}  // namespace mojara

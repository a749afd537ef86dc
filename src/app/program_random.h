// The program-wide random generator: SplitMix64, each draw 24 random bits as a number in [0, 1)
// that is exact in single and double precision.
#pragma once

#include <cstdint>

namespace mojara {

class ProgramRandom {
 public:
  void reseed(std::uint64_t seed) { state_ = seed; }
  double next() { return static_cast<double>(nextBits()) / 16777216.0; }
  // Fix(next() * n) for n > 0, in whole numbers: the 24 bits times n are exact either way,
  // and dropping the low 24 bits of the product truncates just as Fix does.
  std::int32_t below(std::int32_t n) {
    return static_cast<std::int32_t>((nextBits() * static_cast<std::uint64_t>(n)) >> 24);
  }
  std::uint64_t state() const { return state_; }
  bool operator==(const ProgramRandom&) const = default;

 private:
  // The next draw's 24 random bits.
  std::uint64_t nextBits() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return z >> 40;
  }
  std::uint64_t state_ = 0;
};

}  // namespace mojara

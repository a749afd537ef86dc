// Repeatable pseudo-random numbers for speckles, lumps and stars: same picture every build.
#pragma once

#include <cstdint>

namespace pictures {

constexpr std::uint32_t noise(int x, int y, std::uint32_t seed) {
  std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

}  // namespace pictures

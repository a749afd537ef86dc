// The game's number rules: a fractional value stored into an integer rounds to the nearest
// integer with halves to the even neighbour; Fix truncates toward zero; Int rounds down.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace mojara {

// Kept: halves go to the even neighbour (2.5 to 2, 127.5 to 128), as the game's stores do: not std::round.
inline std::int32_t roundHalfEven(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }
inline std::int32_t Fix(double v) { return static_cast<std::int32_t>(std::trunc(v)); }
inline std::int32_t Int(double v) { return static_cast<std::int32_t>(std::floor(v)); }

// Adds to a game variable. Going outside the 32-bit range is a fatal error of the program, as
// an index outside an array's bounds is; it never wraps around quietly.
inline void addTo(std::int32_t& variable, std::int64_t amount, const char* what) {
  const std::int64_t sum = static_cast<std::int64_t>(variable) + amount;
  if (sum < INT32_MIN || sum > INT32_MAX)
    throw std::overflow_error(std::string(what) + " overflow the 32-bit range");
  variable = static_cast<std::int32_t>(sum);
}

// A number as captions show it: plain decimal, a minus sign when negative, no leading blank.
inline std::string decimal(std::int64_t v) { return std::to_string(v); }

}  // namespace mojara

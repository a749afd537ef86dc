// The game's number rules: a fractional value stored into an integer rounds to the nearest
// integer with halves to the even neighbour; Fix truncates toward zero; Int rounds down.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace mojara {

inline std::int32_t roundHalfEven(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }
inline std::int32_t Fix(double v) { return static_cast<std::int32_t>(std::trunc(v)); }
inline std::int32_t Int(double v) { return static_cast<std::int32_t>(std::floor(v)); }

// A number as captions show it: plain decimal, a minus sign when negative, no leading blank.
inline std::string decimal(std::int64_t v) { return std::to_string(v); }

}  // namespace mojara

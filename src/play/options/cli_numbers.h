// Strict parsing of numbers given on the command line or in input files: the whole text must be
// the number, nothing before or after it.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "play/options/decimal_text.h"

namespace mojara {

template <class T>
std::optional<T> parseInteger(std::string_view s) {
  T v{};
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// The longest time a script line, a run's end time or a timer resolution may name: about eleven
// days, far inside the range of virtual nanoseconds, so no sum of times can overflow.
inline constexpr double kMaxMillis = 1e9;
// The timer resolution's sane range, in milliseconds.
inline constexpr double kMinTimerResolution = 0.001, kMaxTimerResolution = 60000;

// A number of milliseconds from `low` to `high`, possibly with decimals, as nanoseconds rounded to
// the whole microsecond (so every time the runners print has at most three decimals).
inline std::optional<std::int64_t> parseMillis(std::string_view s, double low = 0, double high = kMaxMillis) {
  const std::optional<double> v = parseFixed(s);
  if (!v || !(*v >= low) || !(*v <= high)) return std::nullopt;
  return std::llround(*v * 1000) * 1000;
}

}  // namespace mojara

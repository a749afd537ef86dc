// Strict parsing of numbers given on the command line or in input files: the whole text must be
// the number, nothing before or after it.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mojara {

template <class T>
std::optional<T> parseInteger(std::string_view s) {
  T v{};
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// A positive or zero number of milliseconds, possibly with decimals, as whole nanoseconds.
inline std::optional<std::int64_t> parseMillis(std::string_view s) {
  double v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size() || !(v >= 0) || v > 1e12)
    return std::nullopt;
  return static_cast<std::int64_t>(v * 1e6 + 0.5);
}

}  // namespace mojara

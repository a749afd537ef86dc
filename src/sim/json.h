// Small JSON writing helpers for the runner's output lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mojara::sim {

// A JSON string literal, quotes included; UTF-8 passes through, control characters are escaped.
std::string jsonString(std::string_view s);

// Virtual nanoseconds as milliseconds to the microsecond: an integer when whole, otherwise up to
// three decimals.
std::string jsonMillis(std::int64_t nanos);

}  // namespace mojara::sim

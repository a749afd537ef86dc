// Small JSON writing helpers for the runner's output lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mojara::sim {

// Writes JSON text onto the end of one string, value by value, with no string built on the way:
// the trace writes hundreds of thousands of lines a second through it.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  // Punctuation and keys, exactly as given.
  JsonWriter& raw(std::string_view text) {
    out_.append(text);
    return *this;
  }
  JsonWriter& raw(char c) {
    out_.push_back(c);
    return *this;
  }
  JsonWriter& number(std::int64_t v);
  // A number with exactly three decimals, rounded as printf's "%.3f" rounds.
  JsonWriter& fixed3(double v);
  JsonWriter& boolean(bool b) { return raw(b ? std::string_view("true") : std::string_view("false")); }
  // A string literal, quotes included; UTF-8 passes through, control characters are escaped.
  JsonWriter& string(std::string_view s);

 private:
  std::string& out_;
};

// A JSON string literal, quotes included; UTF-8 passes through, control characters are escaped.
std::string jsonString(std::string_view s);

// Virtual nanoseconds as milliseconds to the microsecond: an integer when whole, otherwise up to
// three decimals.
std::string jsonMillis(std::int64_t nanos);

}  // namespace mojara::sim

#include "web/page_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mojara::web {

namespace {

constexpr int kDeepest = 64;

// How a message shows a value it refuses: a number as written, any other value by its kind.
std::string shown(const Json& value) {
  switch (value.type()) {
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
    case Json::value_t::boolean:
    case Json::value_t::null:
      return value.dump();
    case Json::value_t::string:
      return "a text";
    case Json::value_t::array:
      return "an array";
    default:
      return "an object";
  }
}

[[noreturn]] void refuse(std::string_view what, std::string_view expected, const Json& value) {
  throw JsonError(std::string(what) + " must be " + std::string(expected) + ", not " + shown(value));
}

// nlohmann's message without its tag ("[json.exception.parse_error.101] ") and without the text
// last read, which may cut a character in two.
std::string reason(const Json::exception& e) {
  std::string_view why = e.what();
  if (why.starts_with('[')) why.remove_prefix(std::min(why.size(), why.find("] ") + 2));
  if (const std::size_t cut = why.find("; last read"); cut != std::string_view::npos) why = why.substr(0, cut);
  return std::string(why);
}

}  // namespace

Json parseJson(std::string_view text) {
  try {
    return Json::parse(text, [](int depth, Json::parse_event_t, const Json&) {
      if (depth > kDeepest) throw JsonError("bad JSON: nested over " + std::to_string(kDeepest) + " deep");
      return true;
    });
  } catch (const Json::exception& e) {
    throw JsonError("bad JSON: " + reason(e));
  }
}

const Json* member(const Json& object, std::string_view name) {
  const auto it = object.find(name);
  return it == object.end() ? nullptr : &*it;
}

const Json& object(const Json& value, std::string_view what) {
  if (!value.is_object()) refuse(what, "an object", value);
  return value;
}

std::string text(const Json& value, std::string_view what) {
  if (!value.is_string()) refuse(what, "a text", value);
  return value.get<std::string>();
}

bool truth(const Json& value, std::string_view what) {
  if (!value.is_boolean()) refuse(what, "true or false", value);
  return value.get<bool>();
}

const Json& array(const Json& value, std::string_view what) {
  if (!value.is_array()) refuse(what, "an array", value);
  return value;
}

std::uint64_t wholeNumber(const Json& value, std::string_view what, std::uint64_t high) {
  const auto bad = [&] { refuse(what, "a whole number from 0 to " + std::to_string(high), value); };
  std::uint64_t n = 0;
  if (value.is_number_unsigned()) {
    n = value.get<std::uint64_t>();
  } else if (value.is_number_integer()) {
    // nlohmann keeps a number with a sign as signed, "-0" too.
    if (value.get<std::int64_t>() != 0) bad();
  } else if (value.is_number_float()) {
    // 2^64 and above do not fit; the comparison is exact.
    const double d = value.get<double>();
    if (!(d >= 0 && d < 18446744073709551616.0) || d != std::floor(d)) bad();
    n = static_cast<std::uint64_t>(d);
  } else {
    bad();
  }
  if (n > high) bad();
  return n;
}

forms::Nanos millis(const Json& value, std::string_view what, double low, double high) {
  if (!value.is_number()) refuse(what, "a number of milliseconds", value);
  return millis(value.get<double>(), what, low, high);
}

forms::Nanos millis(double ms, std::string_view what, double low, double high) {
  if (!(ms >= low && ms <= high)) {
    char range[64];
    std::snprintf(range, sizeof range, "from %g to %g", low, high);
    char given[32];
    std::snprintf(given, sizeof given, "%g", ms);
    throw JsonError(std::string(what) + " must be a number of milliseconds " + range + ", not " + given);
  }
  return static_cast<forms::Nanos>(std::llround(ms * 1'000'000.0));
}

}  // namespace mojara::web

// A small JSON reader for what the page hands the core (the catalogue, the start options): the
// whole text is read into a tree; bad text throws JsonError saying where.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mojara::web {

struct JsonError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct JsonValue {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string string;
  std::vector<JsonValue> array;
  std::map<std::string, JsonValue, std::less<>> object;

  static JsonValue parse(std::string_view text);

  // The member `name` of an object, or null when there is none (or this is no object).
  const JsonValue* find(std::string_view name) const;
  std::string stringOr(std::string_view name, std::string fallback) const;
  double numberOr(std::string_view name, double fallback) const;
  bool boolOr(std::string_view name, bool fallback) const;
};

}  // namespace mojara::web

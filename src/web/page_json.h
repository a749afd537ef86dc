// Reading the JSON the page hands the core (the start options, the key settings, a catalogue)
// with nlohmann's reader, and the checks the game needs on top of it: a member of the wrong type,
// or a number the game cannot take as it is, is refused with a JsonError saying which and why,
// never cast to something else.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "forms/scheduler.h"

namespace mojara::web {

using Json = nlohmann::json;

struct JsonError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The page's clock runs from 0 to this many milliseconds (about 31 years): far inside the range of
// the game's nanoseconds.
inline constexpr double kLatestMillis = 1e12;

// The text as JSON; bad text (or objects and arrays nested over 64 deep) throws JsonError saying
// where.
Json parseJson(std::string_view text);

// The member `name` of `object` (a JSON object), or null when it has none.
const Json* member(const Json& object, std::string_view name);
// `value` when it is an object; `what` names it in the JsonError thrown when it is not.
const Json& object(const Json& value, std::string_view what);

// The same checks for the other kinds of value: `what` names the value in the message ("seed",
// "player 1's keys").
std::string text(const Json& value, std::string_view what);
bool truth(const Json& value, std::string_view what);
const Json& array(const Json& value, std::string_view what);
// A whole number from 0 to `high` (a number written with a fraction of zero counts).
std::uint64_t wholeNumber(const Json& value, std::string_view what, std::uint64_t high);
// A number of milliseconds from `low` to `high`, as nanoseconds.
forms::Nanos millis(const Json& value, std::string_view what, double low, double high);
// The same for a number the page passes directly.
forms::Nanos millis(double ms, std::string_view what, double low, double high);

}  // namespace mojara::web

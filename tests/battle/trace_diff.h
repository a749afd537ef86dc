// Where two texts of lines part, told in a few lines instead of megabytes: the headless runner's
// fight traces and whole-game logs above all, but any two texts of lines (a help topic, the sounds
// of a fight) read the same way.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojara::testing {

// Compares two texts of lines and returns an empty string when they are byte-identical. Otherwise
// returns a short report, at most about 1 KB, of the first line that differs: its line number and
// what the line is about (a fight trace's event number "e" or its end line; a game log's time "t"
// and event "ev", or its "end" event), and the first top-level key whose value differs with both
// values cut to about 120 characters around the first differing character. It also tells a key
// missing on one side, keys in another order, one text ending early and a difference only in the
// final newline. Lines that are not JSON objects are shown side by side, cut short around where
// they part.
std::string firstTraceDifference(std::string_view expected, std::string_view actual);

// For EXPECT_TRUE(sameLines(expected, actual)): fails with the report above. (EXPECT_EQ on two
// whole traces would print both in full.)
::testing::AssertionResult sameLines(std::string_view expected, std::string_view actual);

// One top-level member of a line that is one JSON object: the key without its quotes, the value
// as its raw text (a string keeps its quotes, an array its brackets).
struct JsonMember {
  std::string_view key;
  std::string_view value;
};

// The members of a line that is one JSON object, in their order; none when it is anything else.
std::optional<std::vector<JsonMember>> jsonMembers(std::string_view line);

}  // namespace mojara::testing

// Where two fight traces of the headless runner part, told in a few lines instead of megabytes.
#pragma once

#include <string>
#include <string_view>

namespace mojara::testing {

// Compares two traces (one JSON object a line, the last one the end line) and returns an empty
// string when they are byte-identical. Otherwise returns a short report, at most about 1 KB, of
// the first line that differs: its line number in the trace, its event number ("e") or that it is
// the end line, and the first top-level key whose value differs with both values cut to about 120
// characters around the first differing character. It also tells a key missing on one side, keys
// in another order, one trace ending early and a difference only in the final newline. Lines that
// are not JSON objects are shown side by side, cut short around where they part.
std::string firstTraceDifference(std::string_view expected, std::string_view actual);

}  // namespace mojara::testing

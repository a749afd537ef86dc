// The windowed program's command line, one argument a line: readOptions never throws; it stops
// the program (0 with its help or version printed, 2 with a message) or gives a set of options
// that go together, each within its range.
#include <sstream>

#include "fuzz_target.h"
#include "play/options/cli_numbers.h"
#include "play/input/input_file.h"
#include "play/texts/language.h"
#include "play/options/options.h"

using namespace mojara;

namespace {

bool slotsOk(const std::optional<std::pair<int, int>>& slots) {
  return !slots || (slots->first >= 0 && slots->first <= 7 && slots->second >= 0 && slots->second <= 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> args = splitLines(fuzz::textOf(data, size));
  Options o;
  std::ostringstream out, err;
  const std::optional<int> stop = readOptions(args, o, out, err, "0.0.0");
  if (stop) {
    fuzz::require(*stop == 0 || *stop == 2, "the command line stops the program with 0 or 2");
    if (*stop == 0) fuzz::require(!out.str().empty() && err.str().empty(), "0: help or version on standard output");
    if (*stop == 2) fuzz::require(out.str().empty() && !err.str().empty(), "2: a message on standard error");
    return 0;
  }
  fuzz::require(out.str().empty() && err.str().empty(), "a command line that plays prints nothing");
  fuzz::require(!o.scale || (*o.scale >= 1 && *o.scale <= 8), "the scale is 1 to 8");
  fuzz::require(o.timerResolution >= 1000 && o.timerResolution <= 60'000'000'000, "the timer resolution is in range");
  fuzz::require(!o.lang || isLanguage(*o.lang), "the language is one the game has");
  fuzz::require(slotsOk(o.fight) && slotsOk(o.versus), "roster slots are 0 to 7");
  fuzz::require(o.replay.empty() || (!o.fight && !o.versus && !o.demo && o.record.empty()),
                "a replay goes with no other fight");
  fuzz::require(!o.versus || (!o.fight && !o.demo), "a versus fight goes with neither --fight nor --demo");
  return 0;
}

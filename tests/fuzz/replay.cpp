// Replays: a replay read and written again reads back the same fight, keys and end; a bad one is
// an InputError (never anything else: not a command-line parser's own exceptions).
#include "fuzz_target.h"
#include "play/input/input_file.h"
#include "play/replays/replay.h"

using namespace mojara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RecordedFight recorded;
  try {
    recorded = readReplay(fuzz::textOf(data, size));
  } catch (const InputError& e) {
    fuzz::require(*e.what() != '\0', "a replay's error says why");
    return 0;
  }
  fuzz::require(recorded.fight.seed.has_value(), "a replay read gives its seed");
  const std::string written = replayText(recorded);
  fuzz::require(readReplay(written) == recorded, "a replay written from what was read reads back the same");
  return 0;
}

// Sound lengths: any bytes at all give no length or a real one, up to the longest sound the game
// plays, never a crash or a read outside the file.
#include <cmath>

#include "assets/sound_length.h"
#include "fuzz_target.h"

using namespace mojara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<double> seconds = assets::soundLengthSecondsOf({data, size});
  if (seconds)
    fuzz::require(std::isfinite(*seconds) && *seconds >= 0 && *seconds <= assets::kLongestSoundSeconds,
                  "a sound lasts from no time to the longest the game plays");
  return 0;
}

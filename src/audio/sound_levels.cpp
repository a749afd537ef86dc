#include "audio/sound_levels.h"

#include <cmath>

namespace mojara::audio {

double SoundLevels::gain(int level) const {
  if (muted || level <= 0) return 0.0;
  return std::pow(10.0, -kDecibelsPerStep * (kSteps - std::min(level, kSteps)) / 20.0);
}

}  // namespace mojara::audio

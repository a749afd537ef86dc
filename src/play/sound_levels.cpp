#include "play/sound_levels.h"

#include <cmath>
#include <string>

namespace mojara {

double SoundLevels::gain(int level) const {
  if (muted || level <= 0) return 0.0;
  return std::pow(10.0, -kDecibelsPerStep * (kSteps - std::min(level, kSteps)) / 20.0);
}

Wording soundLevelsNotice(int music, int effects, bool muted, int steps) {
  return {muted ? "消音中（音楽 %1/%3・効果音 %2/%3）" : "音楽 %1/%3・効果音 %2/%3",
          {std::to_string(music), std::to_string(effects), std::to_string(steps)}};
}

}  // namespace mojara

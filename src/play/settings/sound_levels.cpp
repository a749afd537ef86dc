#include "play/settings/sound_levels.h"

#include <cmath>
#include <ostream>
#include <string>

namespace mojara {

double SoundLevels::gain(int level) const {
  if (muted || level <= 0) return 0.0;
  return std::pow(10.0, -kDecibelsPerStep * (kSteps - std::min(level, kSteps)) / 20.0);
}

std::ostream& operator<<(std::ostream& out, const SoundLevels& l) {
  out << "music " << l.music << '/' << SoundLevels::kSteps << ", effects " << l.effects << '/'
      << SoundLevels::kSteps;
  return out << (l.muted ? ", muted" : "");
}

Wording soundLevelsNotice(int music, int effects, bool muted, int steps) {
  return {muted ? "消音中（音楽 %1/%3・効果音 %2/%3）" : "音楽 %1/%3・効果音 %2/%3",
          {std::to_string(music), std::to_string(effects), std::to_string(steps)}};
}

}  // namespace mojara

// How loud the game plays: the music and the effects (hits, knock-downs, the beep) each have their
// own level, from 0 (silent) to kSteps (full), and muting silences both while keeping the levels
// for unmuting. A plain value, so that settings can keep it and give it back.
#pragma once

#include <algorithm>
#include <iosfwd>

#include "play/texts/wording.h"

namespace mojara {

struct SoundLevels {
  static constexpr int kSteps = 8;
  // Each step is this much softer than the one above it: even steps to the ear.
  static constexpr double kDecibelsPerStep = 4.0;

  int music = kSteps;
  int effects = kSteps;
  bool muted = false;

  // Levels moved by the given steps, each kept within 0 to kSteps. Turning a level up unmutes, as
  // the player wants to hear it; turning one down leaves a muted game muted.
  SoundLevels changed(int musicSteps, int effectsSteps) const {
    return {std::clamp(music + musicSteps, 0, kSteps), std::clamp(effects + effectsSteps, 0, kSteps),
            muted && musicSteps <= 0 && effectsSteps <= 0};
  }
  // The same levels, with anything out of range brought back within it.
  SoundLevels valid() const { return {std::clamp(music, 0, kSteps), std::clamp(effects, 0, kSteps), muted}; }

  // The gain a level stands for, 1 at full and 0 when silent or muted.
  double gain(int level) const;
  double musicGain() const { return gain(music); }
  double effectsGain() const { return gain(effects); }

  friend bool operator==(const SoundLevels&, const SoundLevels&) = default;
};
std::ostream& operator<<(std::ostream& out, const SoundLevels& levels);  // "music 1/8, effects 4/8, muted"

// What the sound keys show: the music's and the effects' levels out of `steps`, and whether the
// game is muted.
Wording soundLevelsNotice(int music, int effects, bool muted, int steps = SoundLevels::kSteps);

}  // namespace mojara

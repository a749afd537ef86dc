// What the sound back end's tests share: the soundfont, a desktop host that hands out a given
// sound service, and the long demo fight they all play.
#pragma once

#include <cstdint>
#include <string>

#include "app/fight_setup.h"
#include "forms/desktop.h"

namespace mojara::audio {

inline constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct FightHost : forms::DesktopHost {
  forms::SoundService* service = nullptr;
  std::uint64_t clockSeed() override { return 1; }
  forms::SoundService* soundService() override { return service; }
  std::string programFolder() const override { return MOJARA_BIN_DIR; }
};

// Two of the toughest fighters, played by the computer on both sides: a long fight, in which the
// music loops.
inline FightSetup longDemoFight() {
  FightSetup fight = practiceFight(3, 3);
  fight.demo = true;
  fight.seed = 5;
  return fight;
}

}  // namespace mojara::audio

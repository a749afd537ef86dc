// One fight of the battle window on the virtual clock, from its load to its hand-over.
#pragma once

#include <array>
#include <ostream>
#include <string>

#include "sim/fight_setup.h"

namespace mojara::sim {

struct FightOutcome {
  std::string end;  // "Form5" (the player won), "Form6" (lost), "stalled" or "limit"
  long long events = 0;
  std::int32_t STAGE = 0;
  std::array<std::int32_t, 9> BEATEN{};
  std::array<std::int32_t, 2> SCORE{}, POW{}, LIFE{};
};

// Runs the fight; with `setup.trace` writes a line per timer event to `trace`.
FightOutcome runFight(const FightSetup& setup, std::ostream* trace);

std::string endLine(const FightOutcome& outcome);

}  // namespace mojara::sim

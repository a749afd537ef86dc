// A fight's value as the battle window's load makes it, for the runner's own parts.
#pragma once

#include "battle/fight.h"
#include "sim/fight_run.h"

namespace mojara::sim {

struct LoadedFight {
  battle::FightState state;
  battle::FightRules rules;
};
// The fight of `run` (its set-up, seed 1 unless given, and timer resolution), just loaded.
LoadedFight loadFight(const FightRun& run);

}  // namespace mojara::sim

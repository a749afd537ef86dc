// The value an online fight starts from, the same on both machines.
#pragma once

#include <string>

#include "battle/fight.h"
#include "net/datagram.h"

namespace mojara::net {

struct LoadedFight {
  battle::FightState state;
  battle::FightRules rules;
};

// The fight of `start` as a battle window that never showed a fight before loads it, at the
// host's timer resolution, with the sound files of `programFolder`: the same value on both
// machines, and the one a replay of the fight starts from, whatever fights either window showed
// before (a window's load keeps a few values of the last).
LoadedFight loadOnlineFight(const Start& start, const std::string& programFolder);

}  // namespace mojara::net

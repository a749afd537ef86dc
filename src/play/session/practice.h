// Practice (mojara --fight P0 P1): one fight at once, the player as roster slot P0 against the
// computer's P1 (with demo, the computer steers the player's side too). When it is decided, won
// or lost, the title window opens afresh, as after a game over: practice never runs on into the
// campaign.
#pragma once

#include <cstdint>

#include "app/fight_setup.h"
#include "game/game.h"

namespace mojara {

inline void startPractice(Game& game, std::int32_t player, std::int32_t opponent, bool demo) {
  FightSetup fight = practiceFight(player, opponent);
  fight.demo = demo;
  game.startFight(fight, AfterFight::ToTitle);
}

}  // namespace mojara

// What a fight starts from: the two fighters, the battle speed, both sides' power and points, and
// the seed the battle window's load draws from. The select window's accepted draw, the practice
// start, a replay's header, the attract demo and the headless runner all describe a fight so.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>

#include "app/module1.h"
#include "app/roster.h"

namespace mojara {

// What a fight takes over from the fight before it in the same run of the program: the battle
// window's variables that its load leaves as they were (MOVEDMG, HITSIDE, KEYCMD, DMGTALLY), and
// the speeds the shared state still holds from that fight's end (XSPD, YSPD). The first fight of a
// run takes zeros.
struct CarriedOver {
  BySide<std::int32_t> MOVEDMG, XSPD, YSPD;
  std::int32_t HITSIDE = 0, KEYCMD = 0, DMGTALLY = 0;
  bool operator==(const CarriedOver&) const = default;
};

struct FightSetup {
  std::int32_t player = 0, opponent = 0;  // roster slots of side 0 and side 1
  std::int32_t speed = 5;                 // SPEED
  std::array<std::int32_t, 2> pow{}, score{};
  std::optional<std::uint64_t> seed;  // the battle load's reseed; none: the system clock's
  bool demo = false;                  // side 0 draws its commands at random too
  bool versus = false;                // side 1 is steered by a second player, not drawn at random
  // What the fight starts from of the last fight's; none: whatever the last fight left. A replay
  // gives it, so that a fight plays again the same after any other fight or none.
  std::optional<CarriedOver> carried;

  bool operator==(const FightSetup&) const = default;
};
// As the fight's command line: "2 7 --seed 11 --speed 5 --pow 0,0 --score 0,0 --demo".
std::ostream& operator<<(std::ostream& out, const FightSetup& f);

// The practice start: the two fighters at the default speed, with no power and no points, as at
// the start of a game.
inline FightSetup practiceFight(std::int32_t player, std::int32_t opponent) {
  FightSetup f;
  f.player = player;
  f.opponent = opponent;
  return f;
}

// The shared state as the fight says before the battle window loads: the select window's accepted
// draw for its slots, the speed, both sides' power and points.
inline void setUpFight(Module1& M, const FightSetup& fight) {
  acceptDraw(M, fight.player, fight.opponent);
  M.SPEED = fight.speed;
  for (int side = 0; side <= 1; ++side) {
    M.POW[side] = fight.pow[side];
    M.SCORE[side] = fight.score[side];
  }
}

// The fight the shared state describes now (the fighters in CHARA, SPEED, POW, SCORE).
inline FightSetup fightOfState(const Module1& M) {
  FightSetup f;
  f.player = M.CHARA[0];
  f.opponent = M.CHARA[1];
  f.speed = M.SPEED;
  for (int side = 0; side <= 1; ++side) f.pow[side] = M.POW[side], f.score[side] = M.SCORE[side];
  return f;
}

}  // namespace mojara

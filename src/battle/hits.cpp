// Hits: the hit test of a striking picture and what a connecting hit does (DAMI).
#include <algorithm>
#include <cstdlib>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "battle/battle_rules.h"
#include "battle/move_table.h"

namespace mojara::battle {

bool Battle::hitTest(std::int32_t a) const {
  const std::int32_t h = 1 - a;
  // Kept: a strike hits on every tick its point stays inside the other's box, so one attack can
  // land several hits in a row.
  // Most ticks show no striking picture: those need no geometry.
  if ((s.POSE[a] != picture::Punch) & (s.POSE[a] != picture::Kick)) return false;
  // The striker's front edge (its right edge facing right, its left edge facing left) at its
  // middle height, against the other side's box, edges included.
  const double front = s.XPOS[a] + static_cast<double>(kSpriteWidth) * std::abs(s.FACING[a] - 1);
  const double middle = s.YPOS[a] + static_cast<double>(kSpriteHeight) / 2;
  return (front >= s.XPOS[h]) & (front <= s.XPOS[h] + static_cast<double>(kSpriteWidth)) &
         (middle >= s.YPOS[h]) & (s.YPOS[h] + static_cast<double>(kSpriteHeight) >= middle);
}

bool Battle::hitTest() const { return hitTest(s.IX); }

void Battle::DAMI(std::int32_t a) {
  const std::int32_t h = std::abs(a - 1);
  s.DMGTALLY += s.MOVEDMG[a] + s.ATK[a];
  s.LIFE[h] -= s.ATK[a] + s.MOVEDMG[a];
  s.POW[h] += s.MOVEDMG[a];
  s.POW[a] = roundHalfEven(s.POW[a] + s.MOVEDMG[a] / 2.0);

  // The reaction by the tally after this hit: below 20 a flinch, 20 to 59 a knock-back, 60 and
  // more the heavy knock-down with its crash.
  s.ACTION[h] = kKnockBack;
  if (s.DMGTALLY < 20) s.ACTION[h] = kFlinch;
  if (s.DMGTALLY >= 60) {
    s.ACTION[h] = kHeavyKnockDown;
    play(Sound::KnockDown);
  } else {
    play(Sound::Hit);
  }

  // Kept: the floor is where the floor strip's label starts, less the sprite's height.
  s.YPOS[h] = roundHalfEven(kFloorTop - kSpriteHeight);  // down onto the floor line at once
  s.HITCOUNT += 1;
  s.message = {Headline::Hits, s.HITCOUNT, false, 0, 0, std::min(10 * s.HITCOUNT, 255)};
  s.HITSIDE = h;
  // The n-th hit of a combo scores n times the first.
  addTo(s.SCORE[a], std::int64_t{s.MOVEDMG[a]} * s.HITCOUNT * 100, "the points");
}

}  // namespace mojara::battle

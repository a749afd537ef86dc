// Hits: the hit test of a striking picture and what a connecting hit does (DAMI).
#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "assets/asset_files.h"
#include "battle/battle_window.h"
#include "battle/move_table.h"
#include "battle/steps.h"

namespace mojara {

bool Form2::hitTest() const { return strikeConnects(M.IX); }

void Form2::DAMI() {
  BattleControls& c = *ctl;
  const std::int32_t a = M.IX, h = std::abs(M.IX - 1);
  DMGTALLY += MOVEDMG[a] + M.ATK[a];
  M.LIFE[h] -= M.ATK[a] + MOVEDMG[a];
  M.POW[h] += MOVEDMG[a];
  M.POW[a] = roundHalfEven(M.POW[a] + MOVEDMG[a] / 2.0);

  // The reaction by the tally after this hit: below 20 a flinch, 20 to 59 a knock-back, 60 and
  // more the heavy knock-down with its crash.
  M.ACTION[h] = battle::kKnockBack;
  if (DMGTALLY < 20) M.ACTION[h] = battle::kFlinch;
  if (DMGTALLY >= 60) {
    M.ACTION[h] = battle::kHeavyKnockDown;
    play(c.MMControl2, assets::kKnockDownSoundFile);
  } else {
    play(c.MMControl3, assets::kHitSoundFile);
  }

  M.YPOS[h] = roundHalfEven(c.Label1.Top - c.GAZOU[h].Height);  // down onto the floor line at once
  HITCOUNT += 1;
  const std::int32_t green = std::min(10 * HITCOUNT, 255);
  c.Label3.ForeColor = {0, static_cast<std::uint8_t>(green), 0};
  char count[12];
  c.Label3.Caption.assign(count, std::to_chars(count, count + sizeof count, HITCOUNT).ptr).append("ＨＩＴ！！");
  HITSIDE = h;
  // The n-th hit of a combo scores n times the first.
  addTo(M.SCORE[a], std::int64_t{MOVEDMG[a]} * HITCOUNT * 100, "the points");
}

}  // namespace mojara

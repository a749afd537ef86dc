// The move engine (patan) and the command step (CPU) of the battle window.
#include <cstdlib>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "battle/battle_window.h"
#include "battle/move_table.h"

namespace mojara {

using battle::Extra;
using battle::pick;

void Form2::patan() {
  BattleControls& c = *ctl;
  const std::int32_t s = M.IX;
  const std::int32_t step = M.ACTION[s] / 100;               // ACTION is never negative in a fight
  const std::int32_t d = 2 * std::abs(M.FACING[s] - 1) - 1;  // +1 facing right, -1 facing left

  // The row's effects are picked rather than branched on: which row a side is at is as good as
  // random from tick to tick. A step without a row changes nothing here.
  const battle::StepEffect& row = battle::stepEffect(step);
  M.YSPD[s] = pick(row.setsYSpeed, row.ySpeed, M.YSPD[s]);
  M.XSPD[s] = pick(row.setsXSpeed, row.xSpeedForward * d, M.XSPD[s]);
  M.ACTION[s] = pick(row.finishes, battle::kStanding, M.ACTION[s] - row.countDown);
  M.POSE[s] = pick(row.present, row.pose, M.POSE[s]);
  if (row.extra != Extra::None) extraStep(row.extra);

  M.XPOS[s] += M.XSPD[s];
  M.YPOS[s] += M.YSPD[s];
  M.YSPD[s] = 0;
  M.XSPD[s] = 0;
  // At a window edge both fighters shift together, so the stage seems to scroll.
  if (M.XPOS[s] <= 0) {
    M.XPOS[0] += 300;
    M.XPOS[1] += 300;
  }
  if (c.GAZOU[s].Width + static_cast<float>(M.XPOS[s]) >= Width()) {
    M.XPOS[0] -= 300;
    M.XPOS[1] -= 300;
  }
  placeSprite(s);
  DMGTALLY = pick(M.POSE[s] == picture::Lying, 0, DMGTALLY);
}

void Form2::extraStep(Extra extra) {
  BattleControls& c = *ctl;
  const std::int32_t s = M.IX;
  switch (extra) {
    case Extra::None:
      break;
    case Extra::BlobFlicker:
      M.POSE[s] = program.rnd.below(2) + picture::BlobTall;  // or BlobSquat
      break;
    case Extra::AddPower:
      M.POW[s] += 10;
      break;  // the tick cuts it back to 100
    case Extra::ClearMoveDamage:
      MOVEDMG[s] = 0;
      break;
    case Extra::ClearHitCounter:
      // The counter goes when the side that was hit last is back on its feet.
      if (HITSIDE == s) {
        HITCOUNT = 0;
        c.Label3.Caption.clear();
      }
      break;
  }
}

void Form2::CPU() {
  const std::int32_t s = M.IX;
  std::int32_t command;
  if (INPUTON != 0 && s != 1) {
    command = KEYCMD;
    KEYCMD = 0;
  } else {
    command = program.rnd.below(kCommandDraws);  // Fix(r * 13)
  }
  // The command's effects are picked rather than branched on: the computer's are random.
  const battle::CommandEffect& effect = battle::commandEffect(command);
  const std::int32_t action = M.ACTION[s];

  // Walking: while standing or in the flying kick; the walking picture swaps only while standing.
  const bool walks = effect.walk != 0;
  M.XSPD[s] += pick(action >= 49000, effect.walk * M.WALKSPD[s], 0);
  M.POSE[s] = pick(walks & (action >= battle::kStanding), std::abs(M.POSE[s] - 1), M.POSE[s]);

  // A move starts only from standing, and a special move only if the power pays for it.
  const battle::MoveStart& move = effect.move;
  const bool starts = effect.startsMove & (action >= battle::kStanding) & (M.POW[s] - move.powerCost >= 0);
  M.POW[s] -= pick(starts, move.powerCost, 0);
  M.ACTION[s] = pick(starts, move.startCode, action);
  MOVEDMG[s] = pick(starts, move.extraDamage, MOVEDMG[s]);

  M.XPOS[s] += M.XSPD[s];
  M.YPOS[s] += M.YSPD[s];
  M.YSPD[s] = 0;
  M.XSPD[s] = 0;
  placeSprite(s);
}

}  // namespace mojara

// The move engine (patan) and the command step (CPU) of the battle window.
#include <cstdlib>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "battle/battle_window.h"
#include "battle/move_table.h"

namespace mojara {

using battle::Count;
using battle::Extra;

void Form2::patan() {
  BattleControls& c = *ctl;
  const std::int32_t s = M.IX;
  const std::int32_t step = M.ACTION[s] / 100;               // ACTION is never negative in a fight
  const std::int32_t d = 2 * std::abs(M.FACING[s] - 1) - 1;  // +1 facing right, -1 facing left

  if (const battle::StepRow* row = battle::stepRow(step)) {
    if (row->ySpeed != battle::kUnset) M.YSPD[s] = row->ySpeed;
    if (row->xSpeedForward != battle::kUnset) M.XSPD[s] = row->xSpeedForward * d;
    switch (row->count) {
      case Count::Slow:
        M.ACTION[s] -= 25;
        break;
      case Count::Slower:
        M.ACTION[s] -= 40;
        break;
      case Count::Keep:
        break;
      case Count::Finish:
        M.ACTION[s] = battle::kStanding;
        break;
    }
    M.POSE[s] = row->pose;
    switch (row->extra) {
      case Extra::None:
        break;
      case Extra::BlobFlicker:
        M.POSE[s] = Int(2 * program.rnd.next()) + picture::BlobTall;  // or BlobSquat
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
  if (M.POSE[s] == picture::Lying) DMGTALLY = 0;
}

void Form2::CPU() {
  const std::int32_t s = M.IX;
  std::int32_t command;
  if (INPUTON != 0 && s != 1) {
    command = KEYCMD;
    KEYCMD = 0;
  } else {
    command = Fix(program.rnd.next() * kCommandDraws);
  }

  // Walking: while standing or in the flying kick; the walking picture swaps only while standing.
  const bool left = command == command::WalkLeft || command == command::WalkLeftToo;
  const bool right = command == command::WalkRight || command == command::WalkRightToo;
  if (left || right) {
    const std::int32_t step = left ? -M.WALKSPD[s] : M.WALKSPD[s];
    if (M.ACTION[s] >= 49000) M.XSPD[s] += step;
    if (M.ACTION[s] >= battle::kStanding) M.POSE[s] = std::abs(M.POSE[s] - 1);
  }

  // A move starts only from standing, and a special move only if the power pays for it.
  if (command > command::WalkRight && M.ACTION[s] >= battle::kStanding) {
    if (const auto move = battle::moveForCommand(command); move && M.POW[s] - move->powerCost >= 0) {
      M.POW[s] -= move->powerCost;
      M.ACTION[s] = move->startCode;
      MOVEDMG[s] = move->extraDamage;
    }
  }

  M.XPOS[s] += M.XSPD[s];
  M.YPOS[s] += M.YSPD[s];
  M.YSPD[s] = 0;
  M.XSPD[s] = 0;
  placeSprite(s);
}

}  // namespace mojara

// The move engine (patan) and the command step (CPU).
#include <cstdlib>

#include "app/game_numbers.h"
#include "battle/battle_rules.h"
#include "battle/move_table.h"

namespace mojara::battle {

void Battle::patan(std::int32_t i) {
  std::int32_t &ACTION = s.ACTION[i], &POSE = s.POSE[i], &XSPD = s.XSPD[i], &YSPD = s.YSPD[i];
  const std::int32_t v = ACTION / 100;                       // ACTION is never negative in a fight
  const std::int32_t d = 2 * std::abs(s.FACING[i] - 1) - 1;  // +1 facing right, -1 facing left
  // A step without a row sets nothing: the picture stays and the counter runs on.
  const StepRow& row = stepRow(v);
  if (row.ySpeed != kUnset) YSPD = row.ySpeed;
  if (row.xSpeedForward != kUnset) XSPD = row.xSpeedForward * d;
  if (row.count == Count::Finish)
    ACTION = kStanding;
  else
    ACTION -= countDown(row.count);
  if (row.present) POSE = row.pose;
  if (row.extra != Extra::None) extraStep(i, row.extra);
  std::int32_t& XPOS = s.XPOS[i];
  XPOS += XSPD;
  s.YPOS[i] += YSPD;
  YSPD = 0;
  XSPD = 0;
  // At a window edge both fighters shift together, so the stage seems to scroll.
  if (XPOS <= 0) {
    s.XPOS[0] += 300;
    s.XPOS[1] += 300;
  }
  // Kept: the right edge is the window's outer width (its frame included), the sum in single
  // precision.
  if (kSpriteWidth + static_cast<float>(XPOS) >= kStageWidth) {
    s.XPOS[0] -= 300;
    s.XPOS[1] -= 300;
  }
  placeSprite(i);
  if (POSE == picture::Lying) s.DMGTALLY = 0;
}

void Battle::extraStep(std::int32_t i, Extra extra) {
  switch (extra) {
    case Extra::None:
      break;
    case Extra::BlobFlicker:
      s.POSE[i] = s.rnd.below(2) + picture::BlobTall;  // or BlobSquat
      break;
    case Extra::AddPower:
      s.POW[i] += 10;
      break;  // the tick cuts it back to 100
    case Extra::ClearMoveDamage:
      s.MOVEDMG[i] = 0;
      break;
    case Extra::ClearHitCounter:
      // The counter goes when the side that was hit last is back on its feet.
      if (s.HITSIDE == i) {
        s.HITCOUNT = 0;
        s.message.headline = Headline::None;
        s.message.hits = 0;
        s.message.result = false;
      }
      break;
  }
}

void Battle::CPU(std::int32_t i) {
  std::int32_t &ACTION = s.ACTION[i], &POSE = s.POSE[i], &POW = s.POW[i], &XSPD = s.XSPD[i], &YSPD = s.YSPD[i];
  std::int32_t c;
  if (s.INPUTON != 0 && i != 1) {
    c = s.KEYCMD;
    s.KEYCMD = 0;
  } else if (i == 1 && s.INPUTON2 != 0) {
    c = s.KEYCMD2;
    s.KEYCMD2 = 0;
  } else {
    c = s.rnd.below(kCommandDraws);  // Fix(r * 13)
  }
  // Walking: while standing or in the flying kick; the walking picture swaps only while standing.
  const CommandRow& row = commandRow(c);
  if (row.walk != 0) {
    if (ACTION >= 49000) XSPD += row.walk * s.WALKSPD[i];
    // Kept: the swap works on any picture (p becomes |p - 1|), not only the two walking ones.
    if (ACTION >= kStanding) POSE = std::abs(POSE - 1);
  }
  // A move starts only from standing, and a special move only if the power pays for it.
  if (c > command::WalkRight && ACTION >= kStanding) {
    const MoveStart& move = row.move;
    if (move.startCode != 0 && POW - move.powerCost >= 0) {
      POW -= move.powerCost;
      ACTION = move.startCode;
      s.MOVEDMG[i] = move.extraDamage;
    }
  }
  s.XPOS[i] += XSPD;
  s.YPOS[i] += YSPD;
  YSPD = 0;
  XSPD = 0;
  placeSprite(i);
}

void Battle::patan() { patan(s.IX); }
void Battle::CPU() { CPU(s.IX); }

void Battle::placeSprite(std::int32_t i) {
  s.sprite[i] = {s.XPOS[i], s.YPOS[i], storeIndex(s.CHARA[i], s.FACING[i], s.POSE[i])};
}

}  // namespace mojara::battle

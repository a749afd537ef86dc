// The steps every battle tick runs for each side, defined here so that the tick, the opening and
// the closing compile them in line: a tick is a few dozen of them, and calls would cost more than
// the steps themselves. Each takes its side as an argument (the tick passes 0 and 1 as constants,
// so every index into the sides is settled when the tick compiles); IX holds the same side for the
// procedures they call.
#pragma once

#include <cstdlib>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "battle/battle_window.h"
#include "battle/move_table.h"

namespace mojara {

inline void Form2::stepCommand(std::int32_t s) {
  // This side's values, each looked up once.
  std::int32_t &action = M.ACTION[s], &pose = M.POSE[s], &pow = M.POW[s];
  std::int32_t &xpos = M.XPOS[s], &ypos = M.YPOS[s], &xspd = M.XSPD[s], &yspd = M.YSPD[s];
  std::int32_t command;
  if (INPUTON != 0 && s != 1) {
    command = KEYCMD;
    KEYCMD = 0;
  } else if (s == 1 && INPUTON2 != 0) {
    command = KEYCMD2;
    KEYCMD2 = 0;
  } else {
    command = program.rnd.below(kCommandDraws);  // Fix(r * 13)
  }
  // The command's effects are picked rather than branched on: the computer's are random.
  const battle::CommandEffect& effect = battle::commandEffect(command);
  const std::int32_t before = action;  // ACTION as the command finds it

  // Walking: while standing or in the flying kick; the walking picture swaps only while standing.
  const bool walks = effect.walk != 0;
  xspd += battle::pick(before >= 49000, effect.walk * M.WALKSPD[s], 0);
  pose = battle::pick(walks & (before >= battle::kStanding), std::abs(pose - 1), pose);

  // A move starts only from standing, and a special move only if the power pays for it.
  const battle::MoveStart& move = effect.move;
  const bool starts = effect.startsMove & (before >= battle::kStanding) & (pow - move.powerCost >= 0);
  pow -= battle::pick(starts, move.powerCost, 0);
  action = battle::pick(starts, move.startCode, before);
  MOVEDMG[s] = battle::pick(starts, move.extraDamage, MOVEDMG[s]);

  xpos += xspd;
  ypos += yspd;
  yspd = 0;
  xspd = 0;
  // CPU places the sprite here (see CPU()).
}

inline void Form2::stepMoves(std::int32_t s) {
  BattleControls& c = *ctl;
  // This side's values, each looked up once.
  std::int32_t &action = M.ACTION[s], &pose = M.POSE[s];
  std::int32_t &xpos = M.XPOS[s], &ypos = M.YPOS[s], &xspd = M.XSPD[s], &yspd = M.YSPD[s];
  const std::int32_t step = action / 100;               // ACTION is never negative in a fight
  const std::int32_t d = 2 * std::abs(M.FACING[s] - 1) - 1;  // +1 facing right, -1 facing left

  // The row's effects are picked rather than branched on: which row a side is at is as good as
  // random from tick to tick. A step without a row changes nothing here.
  const battle::StepEffect& row = battle::stepEffect(step);
  yspd = battle::pick(row.setsYSpeed, row.ySpeed, yspd);
  xspd = battle::pick(row.setsXSpeed, row.xSpeedForward * d, xspd);
  action = battle::pick(row.finishes, battle::kStanding, action - row.countDown);
  pose = battle::pick(row.present, row.pose, pose);
  if (row.extra != battle::Extra::None) extraStep(row.extra);

  xpos += xspd;
  ypos += yspd;
  yspd = 0;
  xspd = 0;
  // At a window edge both fighters shift together, so the stage seems to scroll.
  if (xpos <= 0) {
    M.XPOS[0] += 300;
    M.XPOS[1] += 300;
  }
  if (c.GAZOU[s].Width + static_cast<float>(xpos) >= Width()) {
    M.XPOS[0] -= 300;
    M.XPOS[1] -= 300;
  }
  placeSprite(s);
  DMGTALLY = battle::pick(pose == picture::Lying, 0, DMGTALLY);
}

inline bool Form2::strikeConnects(std::int32_t a) const {
  const BattleControls& c = *ctl;
  const std::int32_t h = 1 - a;
  // Most ticks show no striking picture: those need no geometry.
  if ((M.POSE[a] != picture::Punch) & (M.POSE[a] != picture::Kick)) return false;
  // The striker's front edge (its right edge facing right, its left edge facing left) at its
  // middle height, against the other side's box, edges included; worked out whole, without a
  // branch.
  const double front = M.XPOS[a] + static_cast<double>(c.GAZOU[a].Width) * std::abs(M.FACING[a] - 1);
  const double middle = M.YPOS[a] + static_cast<double>(c.GAZOU[a].Height) / 2;
  return (front >= M.XPOS[h]) & (front <= M.XPOS[h] + static_cast<double>(c.GAZOU[h].Width)) &
         (middle >= M.YPOS[h]) & (M.YPOS[h] + static_cast<double>(c.GAZOU[h].Height) >= middle);
}

inline void Form2::gaugeStep(std::int32_t s) {
  BattleControls& c = *ctl;
  if (M.LIFE[s] < 0) M.LIFE[s] = 0;
  if (M.POW[s] > 100) M.POW[s] = 100;
  // The shown values move by at most one point a tick, so a lost block of life drains visibly.
  if (SHOWLIFE[s] != M.LIFE[s]) {
    SHOWLIFE[s] += SHOWLIFE[s] > M.LIFE[s] ? -1 : 1;
    c.LIFEMATA[s].Width =
        static_cast<float>(static_cast<double>(c.LIFEMAX[s].Width) * SHOWLIFE[s] / M.LIFEFULL[s]);
  }
  if (SHOWPOW[s] != M.POW[s]) {
    SHOWPOW[s] += SHOWPOW[s] > M.POW[s] ? -1 : 1;
    c.POWMATA[s].Width = static_cast<float>(static_cast<double>(c.POWMAX[s].Width) * SHOWPOW[s] / 100);
  }
}

inline void Form2::showNameLabel(std::int32_t s) {
  // Every tick shows it; only a change of the points changes it.
  if (shownPoints_[static_cast<std::size_t>(s)] != M.SCORE[s]) composeNameLabel();
}

inline std::int32_t Form2::spriteIndex(std::int32_t side) const {
  return storeIndex(M.CHARA[side], M.FACING[side], M.POSE[side]);
}

inline void Form2::placeSprite(std::int32_t side) {
  forms::Image& sprite = ctl->GAZOU[side];
  sprite.Top = static_cast<float>(M.YPOS[side]);
  sprite.Left = static_cast<float>(M.XPOS[side]);
  sprite.Picture = program.ORE(spriteIndex(side));
}

inline void Form2::placeSpriteAfterCommand(std::int32_t side) {
  // In a tick the placement that CPU ends with is made again by patan before anything reads the
  // sprite, so it is made only where it would load the store or fail on a picture outside it.
  if (!program.storeHolds(spriteIndex(side))) placeSprite(side);
}

inline void Form2::showClock() {
  // CLOCK / 100 rounded down: the shown seconds change every twelve or thirteen ticks.
  const std::int64_t seconds = CLOCK >= 0 ? CLOCK / 100 : -((99 - std::int64_t{CLOCK}) / 100);
  if (seconds != shownSeconds_) composeClock(seconds);
}

}  // namespace mojara

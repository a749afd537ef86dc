// A fight's set-up at the window's load, and the entries that move it on.
#include "battle/fight.h"

#include <algorithm>

#include "app/battle_keys.h"
#include "app/game_numbers.h"
#include "app/roster.h"
#include "battle/battle_rules.h"
#include "battle/move_table.h"

namespace mojara::battle {

namespace {
constexpr Nanos kMillisecond = 1'000'000;

// A window timer with interval `ms` fires every max(ms, resolution); one of 0 ms never fires.
Nanos periodOf(std::int32_t ms, Nanos resolution) {
  if (ms <= 0) return 0;
  return std::max(Nanos{ms} * kMillisecond, resolution);
}

Nanos periodOf(const FightState& s, const FightRules& rules) {
  return timer1Runs(s) ? rules.tickPeriod : rules.sequencePeriod;
}
}  // namespace

FightRules fightRules(std::int32_t speed, Nanos resolution, const std::array<Nanos, kSounds>& soundLength) {
  FightRules rules;
  rules.tickPeriod = periodOf(speed, resolution);
  rules.sequencePeriod = periodOf(1, resolution);
  rules.soundLength = soundLength;
  return rules;
}

FightState loadFight(const Module1& M, const FightState& previous, const ProgramRandom& rnd,
                     const FightRules& rules) {
  // Kept: the window's variables that the load does not set (MOVEDMG, HITSIDE, KEYCMD, DMGTALLY)
  // start a fight as the last fight left them, for the window object outlives its fights.
  FightState s = previous;
  s.LIFEFULL = M.LIFEFULL;
  s.POW = M.POW;
  s.SCORE = M.SCORE;
  s.WALKSPD = M.WALKSPD;
  s.ATK = M.ATK;
  s.CHARA = M.CHARA;
  s.XSPD = M.XSPD;
  s.YSPD = M.YSPD;
  s.INPUTON = 1;
  s.INPUTON2 = 0;  // a two-player fight gives side 1 to the second player after the load
  s.KEYCMD2 = 0;
  s.HITCOUNT = 0;
  s.SEQTICK = 0;
  s.message = {};  // the message is cleared; its design text "ＨＩＴ数" is never shown
  s.rnd = rnd;
  s.CLOCK = 9900;
  for (s.IX = 0; s.IX <= 1; ++s.IX) {
    const std::int32_t i = s.IX;
    s.FACING[i] = i;
    s.POSE[i] = 0;
    s.LIFE[i] = s.LIFEFULL[i];
    s.YPOS[i] = kStartSprites[static_cast<std::size_t>(i)].top;
    s.XPOS[i] = kStartSprites[static_cast<std::size_t>(i)].left;
    s.ACTION[i] = kStanding;
    s.SHOWPOW[i] = 0;
    s.SHOWLIFE[i] = s.LIFE[i];
  }
  for (std::int32_t i = 0; i <= 1; ++i) {
    // Kept: the power gauge first shows the power kept from the last fight, then the opening's
    // first step redraws it from SHOWPOW, which starts at 0: it refills from empty.
    s.powGauge[i] = s.POW[i];
    s.pointsShown[i] = s.SCORE[i];
    s.sprite[i] = kStartSprites[static_cast<std::size_t>(i)];
    s.sprite[i].picture = storeIndex(s.CHARA[i], s.FACING[i], s.POSE[i]);
  }
  // The controls start in their design state.
  s.phase = Phase::Opening;
  s.banner = Banner::Design;
  s.overlay = false;
  s.marker = kMarkerStart;
  s.secondsShown = kClockDesign;
  s.events = 0;
  s.now = 0;
  s.timerDue = rules.sequencePeriod;
  s.playingUntil = {};
  return s;
}

CarriedOver carriedOver(const FightState& previous, const Module1& M) {
  return {previous.MOVEDMG, M.XSPD, M.YSPD, previous.HITSIDE, previous.KEYCMD, previous.DMGTALLY};
}

void carryOver(const CarriedOver& carried, FightState& previous, Module1& M) {
  previous.MOVEDMG = carried.MOVEDMG;
  previous.HITSIDE = carried.HITSIDE;
  previous.KEYCMD = carried.KEYCMD;
  previous.DMGTALLY = carried.DMGTALLY;
  M.XSPD = carried.XSPD;
  M.YSPD = carried.YSPD;
}

std::int32_t pressKey(FightState& state, const FightRules& rules, int player, std::int32_t keyCode, Nanos at) {
  FightStep out;
  Battle(state, rules, out).Form_KeyDown(player, keyCode, at);
  return out.beeps;
}

FightStep tick(FightState& state, const FightRules& rules) {
  FightStep out;
  const Nanos period = periodOf(state, rules);
  if (state.phase == Phase::Paused || state.phase == Phase::Over || period == 0) return out;
  out.ran = true;
  state.events += 1;
  state.now = state.timerDue;
  state.timerDue = state.now + period;
  Battle battle(state, rules, out);
  switch (state.phase) {
    case Phase::Opening:
      battle.Timer3_Timer();
      break;
    case Phase::Live:
    case Phase::Finishing:
      battle.Timer1_Timer();
      break;
    case Phase::Closing:
      battle.Timer2_Timer();
      break;
    case Phase::Paused:
    case Phase::Over:
      break;
  }
  return out;
}

FightStep advance(FightState& state, const FightRules& rules, std::span<const KeyDown> keys) {
  std::int32_t beeps = 0;
  for (const KeyDown& key : keys) beeps += pressKey(state, rules, key.player, key.keyCode, state.now);
  FightStep step = tick(state, rules);
  step.beeps += beeps;
  return step;
}

}  // namespace mojara::battle

namespace mojara::battle {

std::uint64_t rulesChecksum() {
  // FNV-1a over every number of the tables, each as eight little-endian bytes.
  std::uint64_t hash = 0xcbf29ce484222325ull;
  auto add = [&](std::int64_t value) {
    auto bits = static_cast<std::uint64_t>(value);
    for (int byte = 0; byte < 8; ++byte, bits >>= 8) {
      hash ^= bits & 0xff;
      hash *= 0x100000001b3ull;
    }
  };
  for (const Program& program : kPrograms)
    for (const StepRow& row : program)
      for (std::int64_t v : {std::int64_t{row.present}, std::int64_t{row.pose}, std::int64_t{row.ySpeed},
                             std::int64_t{row.xSpeedForward}, static_cast<std::int64_t>(row.count),
                             static_cast<std::int64_t>(row.extra)})
        add(v);
  for (const CommandRow& row : kCommandRows)
    for (std::int64_t v : {row.walk, row.move.startCode, row.move.powerCost, row.move.extraDamage}) add(v);
  for (const RosterRow& row : kRoster)
    for (std::int64_t v : {row.lifeFull, row.attack, row.walkSpeed}) add(v);
  for (const BattleKey& key : kBattleKeys) {
    add(key.keyCode);
    add(key.command);
  }
  return hash;
}

}  // namespace mojara::battle

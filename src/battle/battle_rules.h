// The battle's procedures, working on a fight's value as the battle window runs them. Each works
// on the side held in IX and leaves IX as it found it; the timers' handlers and the key-down
// handler are the entries.
#pragma once

#include "battle/fight.h"
#include "battle/fight_state.h"
#include "battle/move_table.h"

namespace mojara::battle {

class Battle {
 public:
  Battle(FightState& state, const FightRules& rules, FightStep& out) : s(state), rules(rules), out(out) {}

  void Form_KeyDown(int player, std::int32_t keyCode, Nanos at);
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();

  // The procedures for side IX (out of line: the bodies they call are inlined only in the rules).
  void patan();
  void CPU();
  void DAMI() { DAMI(s.IX); }
  void GOOD();
  bool hitTest() const;

 private:
  // The same for side i, which IX holds too. The tick compiles them in line for each side, its
  // side settled (a tick is a few dozen of these steps, and the league runs millions).
  void patan(std::int32_t i);
  void CPU(std::int32_t i);
  void DAMI(std::int32_t a);
  bool hitTest(std::int32_t a) const;
  void gaugeStep(std::int32_t i);      // side i's gauges step toward LIFE and POW
  void showNameLabel(std::int32_t i);  // WAKUN(i): side number, name, points
  void placeSprite(std::int32_t i);    // GAZOU(i): where side i is, in its picture
  void liveSide(std::int32_t i);
  void liveTick();
  void finishingTick();
  void extraStep(std::int32_t i, Extra extra);
  void togglePause(Nanos at);
  bool decided() const { return s.LIFE[1] <= 0 || s.LIFE[0] <= 0 || s.CLOCK <= 0; }
  bool playing(Sound sound) const { return s.now < s.playingUntil[static_cast<int>(sound)]; }
  void play(Sound sound);
  void beep() { ++out.beeps; }

  FightState& s;
  const FightRules& rules;
  FightStep& out;
};

}  // namespace mojara::battle

// The battle tick (Timer1): both fighters advance by one step.
#include "app/game_numbers.h"
#include "battle/battle_rules.h"

namespace mojara::battle {

void Battle::Timer1_Timer() {
  // The music loops for as long as ticks run.
  if (!playing(Sound::Music)) play(Sound::Music);
  if (s.LIFE[1] <= 0 || s.LIFE[0] <= 0 || s.CLOCK <= 0)
    finishingTick();
  else
    liveTick();
}

void Battle::liveSide(std::int32_t i) {
  s.IX = i;
  CPU(i);
  gaugeStep(i);
  showNameLabel(i);
  patan(i);
  s.ACTION[i] += 50;
  if (hitTest(i)) DAMI(i);
  // At rest, a fighter turns toward the other; equal places face right.
  s.FACING[i] = s.ACTION[i] >= kStanding ? s.XPOS[i] > s.XPOS[1 - i] : s.FACING[i];
}

// Compiled with every step it calls in line: nearly every event of a fight is one of these.
[[gnu::flatten]] void Battle::liveTick() {
  // Side 0 goes first: its hit changes side 1 before side 1's own step in the same tick.
  liveSide(0);
  liveSide(1);
  s.IX = 2;  // where the loop over the sides leaves it
  // The clock shows its whole hundreds, rounded down, before this tick's decrement.
  s.secondsShown = s.CLOCK >= 0 ? s.CLOCK / 100 : -((99 - s.CLOCK) / 100);
  // Kept: the marker follows the player's sprite as last placed, which an edge shift in side 1's
  // step has moved from XPOS(0) until side 0's next step.
  s.marker = s.sprite[0].left;
  s.CLOCK -= 8;
  if (s.CLOCK <= 0) s.message.headline = Headline::TimeUp;
  // After the time-up check, so a knock-out on the last tick shows as a knock-out.
  if (s.LIFE[1] <= 0 || s.LIFE[0] <= 0) s.message.headline = Headline::KnockOut;
  if (decided()) s.phase = Phase::Finishing;
}

[[gnu::flatten]] void Battle::finishingTick() {
  // No commands: running moves and reactions play to their end.
  for (s.IX = 0; s.IX <= 1; ++s.IX) {
    const std::int32_t i = s.IX;
    gaugeStep(i);
    showNameLabel(i);
    patan(i);
    s.ACTION[i] += 50;
    if (s.POSE[i] == picture::Lying) s.ACTION[i] = 51000;  // a fallen fighter stays down
  }
  s.overlay = !s.overlay;  // Kept: its picture is wholly transparent, so the flip shows nothing
  if (!playing(Sound::KnockDown)) play(Sound::KnockDown);

  // Once both have rested two ticks (or lie frozen), the larger fraction of life wins.
  if (s.ACTION[0] >= 50100 && s.ACTION[1] >= 50100) {
    const double computer = static_cast<double>(s.LIFE[1]) / s.LIFEFULL[1];
    const double player = static_cast<double>(s.LIFE[0]) / s.LIFEFULL[0];
    // Kept: equal fractions (a double knock-out, a time-up level on life) go to the computer.
    s.IX = computer >= player ? 1 : 0;
    s.LIFE[1 - s.IX] = 0;
    GOOD();
    s.phase = Phase::Closing;  // Timer1 off, Timer2 on
    s.timerDue = s.now + rules.sequencePeriod;
    s.marker = s.sprite[0].left;
  }
}

void Battle::gaugeStep(std::int32_t i) {
  if (s.LIFE[i] < 0) s.LIFE[i] = 0;
  if (s.POW[i] > 100) s.POW[i] = 100;
  // The shown values move by at most one point a tick, so a lost block of life drains visibly.
  if (s.SHOWLIFE[i] > s.LIFE[i])
    s.SHOWLIFE[i] -= 1;
  else if (s.SHOWLIFE[i] < s.LIFE[i])
    s.SHOWLIFE[i] += 1;
  if (s.SHOWPOW[i] != s.POW[i]) {
    s.SHOWPOW[i] += s.SHOWPOW[i] > s.POW[i] ? -1 : 1;
    s.powGauge[i] = s.SHOWPOW[i];
  }
}

void Battle::showNameLabel(std::int32_t i) { s.pointsShown[i] = s.SCORE[i]; }

void Battle::play(Sound sound) {
  const Nanos length = rules.soundLength[static_cast<int>(sound)];
  // A play that would end past the clock's range lasts to its end.
  s.playingUntil[static_cast<int>(sound)] =
      length > INT64_MAX - s.now ? INT64_MAX : s.now + length;
  if (out.soundCount < out.sounds.size()) out.sounds[out.soundCount++] = sound;
}

}  // namespace mojara::battle

// The players' keys and the pause.
#include "app/battle_keys.h"
#include "battle/battle_rules.h"

namespace mojara::battle {

void Battle::Form_KeyDown(int player, std::int32_t keyCode, Nanos at) {
  // The window has closed: its keys go nowhere.
  if (s.phase == Phase::Over) return;
  std::int32_t& pending = player == 2 ? s.KEYCMD2 : s.KEYCMD;
  const std::optional<command::Command> asked = commandOfKey(keyCode);
  const bool pause = asked == command::Pause;
  const bool live = s.LIFE[1] > 0 && s.INPUTON != 0 && s.CLOCK > 0 && s.LIFE[0] > 0 && !bannerShown(s);
  if (live) {
    if (pause) {
      beep();
      togglePause(at);
    } else if (asked) {
      pending = *asked;
    }
  } else if (pause && s.phase != Phase::Opening && s.phase != Phase::Closing) {
    // Paused, or deciding after a knock-out or time-up: the space bar pauses and resumes those
    // ticks too.
    // Kept: so does a demo fight's, which is never live (INPUTON is 0).
    beep();
    togglePause(at);
  }
}

void Battle::togglePause(Nanos at) {
  if (timer1Runs(s)) {
    s.phase = Phase::Paused;  // the fight freezes under "待った！！"
  } else {
    s.phase = decided() ? Phase::Finishing : Phase::Live;
    s.timerDue = std::max(at, s.now) + rules.tickPeriod;
  }
}

}  // namespace mojara::battle

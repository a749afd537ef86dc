// The opening (Timer3), the result (GOOD) and the closing (Timer2) of a fight.
#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "battle/battle_rules.h"

namespace mojara::battle {

void Battle::Timer3_Timer() {
  for (s.IX = 0; s.IX <= 1; ++s.IX) {
    gaugeStep(s.IX);
    showNameLabel(s.IX);
  }
  if (s.SHOWLIFE[0] != s.LIFE[0] || s.SHOWLIFE[1] != s.LIFE[1]) return;
  s.SEQTICK += 1;
  if (s.SEQTICK == 10) {
    s.banner = Banner::Ready;
    beep();
  } else if (s.SEQTICK == 30) {
    s.banner = Banner::Go;
  }
  if (s.SEQTICK >= 50) {
    s.banner = Banner::Wait;  // hidden: what the pause will show
    s.phase = Phase::Live;     // Timer1 on, Timer3 off
    s.timerDue = s.now + rules.tickPeriod;
    beep();
  }
}

void Battle::GOOD() {
  const std::int32_t w = s.IX;
  const std::int32_t lifeBonus = Fix(static_cast<double>(s.LIFE[w]) / s.LIFEFULL[w] * 30000);
  const std::int32_t timeBonus = Fix(static_cast<double>(s.CLOCK) / 100 / 100 * 10000);
  // Kept: the bonuses go beneath whatever the message says (the knock-out, the time-up, or nothing
  // once a combo's end cleared it), and the whole message turns black.
  s.message.result = true;
  s.message.lifeBonus = lifeBonus;
  s.message.timeBonus = timeBonus;
  s.message.green = 0;
  addTo(s.SCORE[w], std::int64_t{lifeBonus} + timeBonus, "the points");
  s.sprite[w].picture = storeIndex(s.CHARA[w], s.FACING[w], picture::Victory);
}

void Battle::Timer2_Timer() {
  for (s.IX = 0; s.IX <= 1; ++s.IX) {
    gaugeStep(s.IX);
    showNameLabel(s.IX);
  }
  s.overlay = false;
  s.SEQTICK += 1;
  if ((s.SHOWLIFE[0] == 0 || s.SHOWLIFE[1] == 0) && s.SEQTICK >= 100) {
    // The window closes and hands over: the next opponent (or the ending) after a win, the
    // continue countdown after a loss.
    s.phase = Phase::Over;
    out.handOver = s.SHOWLIFE[1] == 0 ? HandOver::Select : HandOver::Continue;
  }
}

void settleHandOver(Module1& M, const FightState& state, HandOver handOver) {
  if (handOver == HandOver::Select)
    M.STAGE += 1;
  else if (handOver == HandOver::Continue)
    M.BEATEN[state.CHARA[1]] = 0;  // the winner can be met again
}

}  // namespace mojara::battle

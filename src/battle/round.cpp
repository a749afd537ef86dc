// The opening (Timer3), the result (GOOD) and the closing (Timer2) of a fight.
#include <charconv>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "battle/battle_window.h"
#include "battle/steps.h"

namespace mojara {

void Form2::Timer3_Timer() {
  BattleControls& c = *ctl;
  for (M.IX = 0; M.IX <= 1; ++M.IX) {
    gaugeStep(M.IX);
    showNameLabel(M.IX);
  }
  if (SHOWLIFE[0] != M.LIFE[0] || SHOWLIFE[1] != M.LIFE[1]) return;
  SEQTICK += 1;
  if (SEQTICK == 10) {
    c.Label2.Caption = "ＲＥＡＤＹ？";
    desktop.beep();
  } else if (SEQTICK == 30) {
    c.Label2.Caption = "GO!!";
  }
  if (SEQTICK >= 50) {
    c.Label2.Visible = false;
    c.Label2.Caption = "待った！！";  // what the pause will show
    c.Timer1.enable();
    c.Timer3.disable();
    desktop.beep();
  }
}

void Form2::GOOD() {
  BattleControls& c = *ctl;
  const std::int32_t w = M.IX;
  c.Label3.ForeColor = {0, 0, 0};
  const std::int32_t lifeBonus = Fix(static_cast<double>(M.LIFE[w]) / M.LIFEFULL[w] * 30000);
  const std::int32_t timeBonus = Fix(static_cast<double>(CLOCK) / 100 / 100 * 10000);
  char life[12], time[12];
  c.Label3.Caption.append(M.NL)
      .append("ＬＩＦＥ：")
      .append(life, std::to_chars(life, life + sizeof life, lifeBonus).ptr)
      .append(M.NL)
      .append("ＴＩＭＥ：")
      .append(time, std::to_chars(time, time + sizeof time, timeBonus).ptr);
  addTo(M.SCORE[w], std::int64_t{lifeBonus} + timeBonus, "the points");
  c.GAZOU[w].Picture = program.ORE(storeIndex(M.CHARA[w], M.FACING[w], picture::Victory));
}

void Form2::Timer2_Timer() {
  BattleControls& c = *ctl;
  for (M.IX = 0; M.IX <= 1; ++M.IX) {
    gaugeStep(M.IX);
    showNameLabel(M.IX);
  }
  c.Image1.Visible = false;
  SEQTICK += 1;
  if ((SHOWLIFE[0] == 0 || SHOWLIFE[1] == 0) && SEQTICK >= 100) {
    c.Timer2.disable();
    // The window closes and hands over. Nothing that runs while it closes or while the next
    // window loads reads STAGE or BEATEN, so they are settled first, as the hand-over reports them.
    if (SHOWLIFE[1] == 0) {
      // The player won: the next opponent, or the ending.
      M.STAGE += 1;
      program.fightOver(Window::Select);
    } else {
      // The player lost: the continue countdown; the winner can be met again.
      M.BEATEN[M.CHARA[1]] = 0;
      program.fightOver(Window::Continue);
    }
  }
}

}  // namespace mojara

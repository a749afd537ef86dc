// The battle tick (Timer1): both fighters advance by one step.
#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "assets/asset_files.h"
#include "battle/battle_window.h"
#include "battle/steps.h"

namespace mojara {

void Form2::Timer1_Timer() {
  BattleControls& c = *ctl;
  // The music loops for as long as ticks run.
  if (c.MMControl1.Mode() != forms::SoundSlot::kModePlaying) play(c.MMControl1, assets::kMusicFile);
  if (M.LIFE[1] <= 0 || M.LIFE[0] <= 0 || CLOCK <= 0)
    finishingTick();
  else
    liveTick();
}

// Written once, compiled for each side with its side settled.
[[gnu::always_inline]] inline void Form2::liveSide(std::int32_t s) {
  M.IX = s;
  stepCommand(s);
  placeSpriteAfterCommand(s);
  gaugeStep(s);
  showNameLabel(s);
  stepMoves(s);
  M.ACTION[s] += 50;
  if (strikeConnects(s)) DAMI();
  const std::int32_t other = 1 - s;
  M.FACING[s] = battle::pick(M.ACTION[s] >= 50000, M.XPOS[s] > M.XPOS[other], M.FACING[s]);
}

void Form2::liveTick() {
  BattleControls& c = *ctl;
  // Side 0 goes first: its hit changes side 1 before side 1's own step in the same tick.
  liveSide(0);
  liveSide(1);
  M.IX = 2;  // where the loop over the sides leaves it
  // The clock shows its whole hundreds before this tick's decrement.
  showClock();
  c.Shape1.Left = c.GAZOU[0].Left;
  CLOCK -= 8;
  if (CLOCK <= 0) {
    c.Label3.Caption = "Ｔｉｍｅ　Ｕｐ！";
    c.Label3.Visible = true;
  }
  // After the time-up check, so a knock-out on the last tick shows as a knock-out.
  if (M.LIFE[1] <= 0 || M.LIFE[0] <= 0) {
    c.Label3.Caption = "Ｋ．Ｏ．！！";
    c.Label3.Visible = true;
  }
}

void Form2::finishingTick() {
  BattleControls& c = *ctl;
  // No commands: running moves and reactions play to their end.
  for (M.IX = 0; M.IX <= 1; ++M.IX) {
    gaugeStep(M.IX);
    showNameLabel(M.IX);
    stepMoves(M.IX);
    M.ACTION[M.IX] += 50;
    if (M.POSE[M.IX] == picture::Lying) M.ACTION[M.IX] = 51000;  // a fallen fighter stays down
  }
  c.Image1.Visible = !c.Image1.Visible;
  if (c.MMControl2.Mode() != forms::SoundSlot::kModePlaying) play(c.MMControl2, assets::kKnockDownSoundFile);

  // Once both have rested two ticks (or lie frozen), the larger fraction of life wins; equal
  // fractions go to the computer.
  if (M.ACTION[0] >= 50100 && M.ACTION[1] >= 50100) {
    const double computer = static_cast<double>(M.LIFE[1]) / M.LIFEFULL[1];
    const double player = static_cast<double>(M.LIFE[0]) / M.LIFEFULL[0];
    M.IX = computer >= player ? 1 : 0;
    M.LIFE[1 - M.IX] = 0;
    GOOD();
    c.Timer1.disable();
    c.Timer2.enable();
    c.Shape1.Left = c.GAZOU[0].Left;
  }
}

// The battle tick is nearly every event of a fight: it is compiled into the dispatch.
void Form2::onTimer(forms::Timer& timer) {
  if (&timer == &ctl->Timer1) [[likely]]
    Timer1_Timer();
  else if (&timer == &ctl->Timer2)
    Timer2_Timer();
  else if (&timer == &ctl->Timer3)
    Timer3_Timer();
}

}  // namespace mojara

// The continue window: after a lost fight, a ten-second countdown; its button continues the
// game on the select window, and a count run out ends it with the game-over message.
#pragma once

#include "app/game_form.h"
#include "forms/controls.h"

namespace mojara {

struct ContinueControls {
  ContinueControls();
  std::vector<forms::Control*> list();

  forms::Image Image1{"Image1", {420, 0, 4350, 3000}};
  forms::Label Label1{"Label1", {1800, 945, 1455, 1455}};
  forms::CommandButton Command1{"Command1", {630, 3045, 3795, 330}};
  forms::Timer Timer1{"Timer1", 1000, true};
};

class Form6 : public GameForm<ContinueControls> {
 public:
  explicit Form6(Program& program);

  std::int32_t COUNTDOWN = 0;  // the number shown

  void Form_Load() override;
  void Form_Unload() override;
  void Timer1_Timer();
  void Command1_Click();

 private:
  void onTimer(forms::Timer&) override { Timer1_Timer(); }
  void onClick(forms::Control& control) override;
};

}  // namespace mojara

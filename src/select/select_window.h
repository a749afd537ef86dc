// The player-select window: the player picks a fighter and the battle speed; the computer's
// opponent is drawn at random among those not yet beaten; eight wins open the ending instead.
#pragma once

#include <array>

#include "app/game_form.h"
#include "forms/controls.h"

namespace mojara {

struct SelectControls {
  SelectControls();
  std::vector<forms::Control*> list();

  forms::Image Image1{"Image1", {315, 210, 6000, 2430}};
  std::array<forms::Label, 2> Label1{forms::Label{"Label1", {315, 2625, 6000, 855}, 0},
                                     forms::Label{"Label1", {315, 3675, 6000, 585}, 1}};
  forms::PictureBox Picture1{"Picture1", {315, 4410, 6000, 960}};
  // The click target: a fully transparent picture in front of the portraits.
  forms::Image casol{"casol", {0, 0, 750, 855}};
  std::array<forms::Image, 8> KYARA{
      forms::Image{"KYARA", {0, 0, 750, 855}, 0},    forms::Image{"KYARA", {735, 0, 750, 855}, 1},
      forms::Image{"KYARA", {1470, 0, 750, 855}, 2}, forms::Image{"KYARA", {2205, 0, 750, 855}, 3},
      forms::Image{"KYARA", {2940, 0, 750, 855}, 4}, forms::Image{"KYARA", {3675, 0, 750, 855}, 5},
      forms::Image{"KYARA", {4410, 0, 750, 855}, 6}, forms::Image{"KYARA", {5145, 0, 750, 855}, 7}};
  forms::Label Label2{"Label2", {315, 5460, 2370, 240}};
  forms::HScrollBar Scr{"Scr", {315, 5775, 6000, 225}};
  forms::Timer Timer1{"Timer1", 10, true};
  forms::Timer Timer2{"Timer2", 100, false};
};

class Form5 : public GameForm<SelectControls> {
 public:
  explicit Form5(Program& program);

  std::int32_t STORELOADED = 0;  // 1 once a load has read the sprite store
  std::int32_t WAITTICKS = 0;    // Timer2 ticks since the strip slid in

  void Form_Load() override;
  void Form_Unload() override;
  void Timer1_Timer();
  void Timer2_Timer();
  void KYARA_MouseMove(int index);
  void casol_MouseDown(int button);
  void Scr_Change();
  void SENTAKU();

 private:
  void onTimer(forms::Timer& timer) override;
  void onMouseMove(forms::Control& control, int button, float x, float y) override;
  void onMouseDown(forms::Control& control, int button, float x, float y) override;
  void onChange(forms::Control& control) override;
  void showSpeed();
};

}  // namespace mojara

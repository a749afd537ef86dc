// The ending: the cast picture and a staff roll of 21 pages; after the last page the program ends.
#pragma once

#include <array>
#include <string>

#include "app/game_form.h"
#include "forms/controls.h"

namespace mojara {

struct EndingControls {
  EndingControls();
  std::vector<forms::Control*> list();

  forms::Image Image1{"Image1", {105, 105, 4935, 3375}};
  forms::Label Label1{"Label1", {0, 3570, 5160, 435}};
  std::array<forms::Label, 2> ROAL{forms::Label{"ROAL", {0, 4410, 5160, 435}, 0},
                                   forms::Label{"ROAL", {0, 4725, 5160, 435}, 1}};
  forms::Timer Timer1{"Timer1", 10, true};
};

class Form7 : public GameForm<EndingControls> {
 public:
  explicit Form7(Program& program);

  std::int32_t ROLLSTEP = 0;  // twips the lines move per tick
  std::int32_t ROLLPAGE = 0;  // the page shown, 0..20; 21 ends the roll
  std::int32_t ROLLWAIT = 0;  // ticks the lines have rested in the middle
  std::int32_t ROLLREST = 0;  // the last ROLLWAIT at which they still rest
  std::string ROLLLINE1, ROLLLINE2, ROLLHEAD;

  bool closingEndsProgram() const override { return true; }
  void Form_Load() override;
  void Form_Unload() override;
  void Timer1_Timer();
  void STAFF();

 private:
  void onTimer(forms::Timer&) override { Timer1_Timer(); }
};

}  // namespace mojara

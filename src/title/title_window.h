// The title window: the start-up window, which puts the shared state into its start-of-game values
// and starts a new game with its "Ｐｌａｙ　Ｇａｍｅ" button.
#pragma once

#include <array>

#include "app/game_form.h"
#include "forms/controls.h"

namespace mojara {

struct TitleControls {
  TitleControls();
  std::vector<forms::Control*> list();

  forms::CommandButton Command2{"Command2", {105, 4305, 4110, 330}};
  forms::CommandButton Command1{"Command1", {105, 525, 4215, 330}};
  std::array<forms::Label, 2> Label1{forms::Label{"Label1", {105, 105, 4215, 540}, 0},
                                     forms::Label{"Label1", {0, 3990, 4320, 330}, 1}};
  forms::Image Image1{"Image1", {105, 945, 4185, 2880}};
};

class Form3 : public GameForm<TitleControls> {
 public:
  explicit Form3(Program& program);

  void Form_Load() override;
  void Form_Unload() override;
  void Command1_Click();

 private:
  void onClick(forms::Control& control) override;
};

}  // namespace mojara

// The help window: a topic list, the chosen topic's text cut out of the help document, and a
// button that closes the window. Nothing in the game opens it; F1 on the title window does.
#pragma once

#include <string>

#include "app/game_form.h"
#include "forms/controls.h"

namespace mojara {

struct HelpControls {
  HelpControls();
  std::vector<forms::Control*> list();

  forms::ComboBox Combo1{"Combo1", {210, 210, 5685, 300}};
  forms::TextBox Text1{"Text1", {210, 525, 5685, 3270}};
  forms::CommandButton Command1{"Command1", {210, 4305, 5685, 435}};
  // The rich-text store of the document; it lies below the client area and is never seen.
  forms::TextBox bun{"bun", {210, 5250, 1905, 645}};
  std::u32string bunText;  // the document as the store reports it, character by character
  forms::Timer Timer1{"Timer1", 100, true};
};

class Form4 : public GameForm<HelpControls> {
 public:
  explicit Form4(Program& program);

  bool closingEndsProgram() const override { return false; }
  void Form_Load() override;
  void Form_Unload() override;
  void Timer1_Timer();
  void Command1_Click();

  // The number of the topic now in the text box; -1 after the load.
  std::int32_t SHOWNTOPIC = 0;

 private:
  void onClick(forms::Control& control) override;
  void onTimer(forms::Timer& timer) override;
};

}  // namespace mojara

#include "screens/continue_window.h"

#include <cstdlib>

#include "app/vb_math.h"
#include "assets/pictures.h"

namespace mojara {

ContinueControls::ContinueControls() {
  Image1.Picture = assets::screenPicture(assets::ScreenPicture::Continue);
  Label1.Caption = "10";
  Label1.Alignment = forms::TextAlign::Center;
  Label1.AutoSize = true;
  Label1.BackStyle = forms::BackMode::Transparent;
  Label1.Font.Size = 72;
  Command1.Caption = "やるぜ！！";
  Command1.Default = true;  // Enter continues
}

// The count lies above the picture, so it stays readable.
std::vector<forms::Control*> ContinueControls::list() { return {&Label1, &Image1, &Command1, &Timer1}; }

Form6::Form6(Program& program) : GameForm(program, Window::Continue) {
  designWindow("こんてぃにゅ－", 5055, 3435, {0, 255, 255},
               assets::screenPicture(assets::ScreenPicture::GameIcon));
}

void Form6::Form_Load() {
  // Kept: the player's points and power are lost at once, whatever the player then chooses; the computer
  // keeps its own into the next fight.
  M.SCORE[0] = 0;
  M.POW[0] = 0;
  M.PRESSED = 0;  // the select window waits for a new choice of fighter
  COUNTDOWN = 10;
}

void Form6::Timer1_Timer() {
  ContinueControls& c = *ctl;
  if (COUNTDOWN >= 1) {
    COUNTDOWN -= 1;
    c.Label1.Caption = decimal(COUNTDOWN);
    // From black toward bright red as the count runs down.
    const double red = std::abs(COUNTDOWN - 10) / 10.0 * 255;
    c.Label1.ForeColor = {static_cast<std::uint8_t>(roundHalfEven(red)), 0, 0};
    return;
  }
  // Kept: the count shows 0 for a whole second before the message, and the button still continues then.
  desktop.msgBox("Ｇａｍｅ　Ｏｖｅｒ！！" + M.NL + "タイトルに戻る・・・", kProgramTitle, [this] {
    desktop.unload(*this);
    program.show(Window::Title);
  });
}

void Form6::Command1_Click() {
  desktop.unload(*this);
  program.show(Window::Select);
}

void Form6::Form_Unload() { slideUp(); }

void Form6::onClick(forms::Control& control) {
  if (&control == &ctl->Command1) Command1_Click();
}

}  // namespace mojara

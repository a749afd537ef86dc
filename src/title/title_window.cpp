#include "title/title_window.h"

#include "assets/pictures.h"

namespace mojara {

using assets::ScreenPicture;

TitleControls::TitleControls() {
  // Kept: the help button only tells the player about F1; clicking it does nothing.
  Command2.Caption = "ヘルプは Ｆ１ キー を押すとでます";
  Command2.HelpContextID = 1;
  Command1.Caption = "Ｐｌａｙ　Ｇａｍｅ";
  Command1.Default = true;  // Enter starts a game

  forms::Label& maker = Label1[1];
  maker.Caption = "Ｒ．Ｍ　　ｗｏｒｋｓ　１９９８";
  maker.ForeColor = {255, 128, 0};
  maker.Alignment = forms::TextAlign::Center;
  maker.BackStyle = forms::BackMode::Transparent;
  maker.Font.Size = 14.25f;
  maker.Font.Bold = maker.Font.Italic = maker.Font.Underline = true;

  forms::Label& title = Label1[0];
  title.Caption = "－－モジャラ大戦－－";
  title.ForeColor = {255, 255, 255};
  title.Alignment = forms::TextAlign::Center;
  title.BackStyle = forms::BackMode::Transparent;
  title.Font.Size = 18.0f;
  title.Font.Bold = true;

  Image1.Picture = assets::screenPicture(ScreenPicture::Title);
}

std::vector<forms::Control*> TitleControls::list() {
  return {&Command2, &Command1, &Label1[1], &Label1[0], &Image1};
}

Form3::Form3(Program& program) : GameForm(program, Window::Title) {
  designWindow("タイトル", 4440, 4635, {128, 128, 128}, assets::screenPicture(ScreenPicture::GameIcon));
}

void Form3::Form_Load() {
  program.Randomize();
  M.SPEED = 5;
  M.NL = "\r\n";
  for (M.IX = 0; M.IX <= 1; ++M.IX) {
    M.POSE[M.IX] = 0;
    M.POW[M.IX] = 0;
    M.SCORE[M.IX] = 0;
    M.ACTION[M.IX] = 50000;
  }
}

void Form3::Command1_Click() {
  M.STAGE = 0;
  for (M.IX = 0; M.IX <= 8; ++M.IX) M.BEATEN[M.IX] = 0;
  desktop.unload(*this);
  program.show(Window::Select);
}

void Form3::Form_Unload() { slideUp(); }

void Form3::onClick(forms::Control& control) {
  if (&control == &ctl->Command1) Command1_Click();
}

}  // namespace mojara

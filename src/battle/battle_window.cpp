#include "battle/battle_window.h"
#include "battle/steps.h"

#include <charconv>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "assets/pictures.h"

namespace mojara {

namespace {

// Bytes reserved at the load for a caption or file path that the ticks rewrite.
constexpr std::size_t kCaptionRoom = 128;

void designGauge(forms::Shape& shape, forms::Rgb color, forms::PictureBox& panel) {
  shape.Style = forms::ShapeKind::RoundedRectangle;
  shape.FillColor = color;
  shape.Container = &panel;
}

forms::Label& transparentLabel(forms::Label& label, const char* caption, forms::TextAlign align) {
  label.Caption = caption;
  label.Alignment = align;
  label.BackStyle = forms::BackMode::Transparent;
  return label;
}

}  // namespace

BattleControls::BattleControls() {
  for (int i = 0; i <= 1; ++i) {
    WAKU[i].Border = true;
    forms::Label& name = transparentLabel(WAKUN[i], "名前／ポイント", forms::TextAlign::Right);
    name.Container = &WAKU[i];
    name.Font.Size = 11.25f;
    name.Font.Bold = name.Font.Italic = true;
    designGauge(POWMATA[i], {0, 0, 255}, WAKU[i]);
    designGauge(POWMAX[i], {192, 255, 255}, WAKU[i]);
    designGauge(LIFEMATA[i], {0, 255, 0}, WAKU[i]);
    designGauge(LIFEMAX[i], {255, 0, 0}, WAKU[i]);
  }
  Image1.Visible = false;
  Image1.Picture = assets::screenPicture(assets::ScreenPicture::Transparent);
  forms::Label& message = transparentLabel(Label3, "ＨＩＴ数", forms::TextAlign::Center);
  message.Font.Size = 24;
  message.Font.Underline = true;
  forms::Label& banner = transparentLabel(Label2, "READY?", forms::TextAlign::Center);
  banner.Font.Size = 36;
  banner.Font.Bold = true;
  Shape1.Style = forms::ShapeKind::Circle;
  Shape1.FillColor = {0, 0, 255};
  GAZOU[0].Picture = assets::storePicture(storeIndex(0, 0, picture::WalkA));
  GAZOU[1].Picture = assets::storePicture(storeIndex(0, 1, picture::WalkA));
  forms::Label& clock = transparentLabel(ZIKAN, "ＴＩＭＥ９９", forms::TextAlign::Center);
  clock.Font.Size = 14.25f;
  clock.Font.Bold = clock.Font.Underline = true;
  Label1.BackColor = {128, 64, 0};  // the floor strip
}

std::vector<forms::Control*> BattleControls::list() {
  return {&WAKU[0],    &WAKU[1],     &WAKUN[0],    &WAKUN[1],   &POWMATA[0], &POWMATA[1], &POWMAX[0],
          &POWMAX[1],  &LIFEMATA[0], &LIFEMATA[1], &LIFEMAX[0], &LIFEMAX[1], &MMControl3, &MMControl2,
          &MMControl1, &Image1,      &Label3,      &Label2,     &Shape1,     &GAZOU[0],   &ZIKAN,
          &GAZOU[1],   &Label1,      &Timer3,      &Timer2,     &Timer1};
}

Form2::Form2(Program& program) : GameForm(program, Window::Battle) {
  designWindow("ＦＩＧＨＴ！！", 7635, 5220, {255, 192, 192},
               assets::screenPicture(assets::ScreenPicture::GameIcon));
  KeyPreview = true;
}

void Form2::Form_Load() {
  BattleControls& c = *ctl;
  INPUTON = 1;
  INPUTON2 = 0;  // a two-player fight gives side 1 to the second player after the load
  KEYCMD2 = 0;
  HITCOUNT = 0;
  SEQTICK = 0;
  c.Label3.Caption.clear();
  // Room for the longest message (the result with its bonuses), the sound file paths and the
  // captions the ticks rewrite, so that no tick has to grow a string.
  c.Label3.Caption.reserve(kCaptionRoom);
  c.ZIKAN.Caption.reserve(kCaptionRoom);
  soundFolder_ = desktop.programFolder();
  for (forms::SoundSlot* slot : {&c.MMControl1, &c.MMControl2, &c.MMControl3})
    slot->FileName.reserve(soundFolder_.size() + kCaptionRoom);
  shownPoints_ = {kNothingShown, kNothingShown};
  shownSeconds_ = kNothingShown;
  program.Randomize();
  M.NL = "\r\n";
  CLOCK = 9900;
  for (M.IX = 0; M.IX <= 1; ++M.IX) {
    M.FACING[M.IX] = M.IX;
    M.POSE[M.IX] = 0;
    M.LIFE[M.IX] = M.LIFEFULL[M.IX];
    M.YPOS[M.IX] = roundHalfEven(c.GAZOU[M.IX].Top);
    M.XPOS[M.IX] = roundHalfEven(c.GAZOU[M.IX].Left);
    M.ACTION[M.IX] = 50000;
    SHOWPOW[M.IX] = 0;
    SHOWLIFE[M.IX] = M.LIFE[M.IX];
  }
  for (M.IX = 0; M.IX <= 1; ++M.IX) {
    c.LIFEMATA[M.IX].Width =
        static_cast<float>(static_cast<double>(c.LIFEMAX[M.IX].Width) * SHOWLIFE[M.IX] / M.LIFEFULL[M.IX]);
    // The power gauge first shows the power kept from the last fight; the opening refills it.
    c.POWMATA[M.IX].Width = static_cast<float>(static_cast<double>(c.POWMAX[M.IX].Width) * M.POW[M.IX] / 100);
    c.WAKUN[M.IX].Caption.reserve(kCaptionRoom + M.PNAME[M.IX].size());
    showNameLabel(M.IX);
    c.GAZOU[M.IX].Picture = program.ORE(storeIndex(M.CHARA[M.IX], M.FACING[M.IX], M.POSE[M.IX]));
  }
  c.Timer1.setInterval(M.SPEED);
}

void Form2::Form_Unload() {
  program.releaseStore();
  slideUp();
}

void Form2::composeNameLabel() {
  // Side number, "Ｐ", name, line break, points, "Ｐ", composed in place.
  const std::int32_t s = M.IX;
  shownPoints_[static_cast<std::size_t>(s)] = M.SCORE[s];
  static constexpr std::string_view kPoints = "Ｐ";
  char side[12], points[12];
  const auto sideEnd = std::to_chars(side, side + sizeof side, s + 1).ptr;
  const auto pointsEnd = std::to_chars(points, points + sizeof points, M.SCORE[s]).ptr;
  std::string& caption = ctl->WAKUN[s].Caption;
  caption.assign(side, sideEnd);
  caption.append(kPoints).append(M.PNAME[s]).append(M.NL).append(points, pointsEnd).append(kPoints);
}

void Form2::composeClock(std::int64_t seconds) {
  // "ＴＩＭＥ", line break, the whole seconds.
  shownSeconds_ = seconds;
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, seconds).ptr;
  ctl->ZIKAN.Caption.assign("ＴＩＭＥ").append(M.NL).append(digits, end);
}


void Form2::play(forms::SoundSlot& slot, std::string_view file) {
  slot.FileName.assign(soundFolder_).append(1, '/').append(file);
  slot.Command("Open");
  slot.Command("Prev");
  slot.Command("Play");
}

}  // namespace mojara

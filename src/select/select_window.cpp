#include "select/select_window.h"

#include "app/game_numbers.h"
#include "app/roster.h"
#include "app/vb_math.h"
#include "assets/pictures.h"

namespace mojara {

namespace {
constexpr const char* kSpeedCaption = "ばとるすぴーど（速い～遅い）：";
}

SelectControls::SelectControls() {
  Image1.Picture = assets::screenPicture(assets::ScreenPicture::WorldMap);
  const char* captions[] = {"ワールドマップ", "ＰＬＡＹＥＲ　ＳＥＬＥＣＴ"};
  const float sizes[] = {36, 26.25f};
  for (int i = 0; i <= 1; ++i) {
    Label1[i].Caption = captions[i];
    Label1[i].Font = {"ＭＳ Ｐ明朝", sizes[i], true};
    Label1[i].Alignment = forms::TextAlign::Center;
    Label1[i].BackStyle = forms::BackMode::Transparent;
  }
  Picture1.BackColor = {0, 64, 0};
  Picture1.Visible = false;
  casol.Container = &Picture1;
  casol.Picture = assets::screenPicture(assets::ScreenPicture::Transparent);
  casol.Visible = false;
  for (int k = 0; k < 8; ++k) {
    KYARA[k].Container = &Picture1;
    KYARA[k].Picture = assets::portrait(k);
  }
  Label2.Caption = kSpeedCaption;
  Label2.AutoSize = true;
  Scr.Min = 1;
  Scr.Max = 20;
  Scr.Value = 5;
}

std::vector<forms::Control*> SelectControls::list() {
  std::vector<forms::Control*> out = {&Image1, &Label1[0], &Label1[1], &Picture1, &casol};
  for (auto& portrait : KYARA) out.push_back(&portrait);
  out.insert(out.end(), {&Label2, &Scr, &Timer1, &Timer2});
  return out;
}

Form5::Form5(Program& program) : GameForm(program, Window::Select) {
  designWindow("Ｐｌａｙｅｒ　Ｓｅｌｅｃｔ", 6780, 6060, {128, 128, 255},
               assets::screenPicture(assets::ScreenPicture::GameIcon));
}

void Form5::Form_Load() {
  SelectControls& c = *ctl;
  program.Randomize();
  c.Scr.Value = static_cast<std::int16_t>(M.SPEED);
  showSpeed();
  // Opponents already beaten lie on the ground instead of showing their portrait.
  for (M.IX = 0; M.IX <= 7; ++M.IX)
    if (M.BEATEN[M.IX] == 1) {
      c.KYARA[M.IX].Picture = program.ORE(storeIndex(M.IX, 0, picture::Lying));
      STORELOADED = 1;
    }
}

void Form5::showSpeed() { ctl->Label2.Caption = kSpeedCaption + decimal(ctl->Scr.Value); }

void Form5::Timer1_Timer() {
  SelectControls& c = *ctl;
  if (M.STAGE >= 8) {
    c.Timer1.disable();
    desktop.unload(*this);
    program.show(Window::Ending);
    return;
  }
  // The portrait strip slides in from the left, all within this one tick.
  c.Picture1.Left -= 10000;
  c.Picture1.Visible = true;
  for (int step = 0; step < 200; ++step) c.Picture1.Left += 50;
  WAITTICKS = 0;
  c.Timer1.disable();
  c.Timer2.enable();
}

void Form5::Timer2_Timer() {
  // Two seconds after the strip slid in, a waiting draw is made, and retried while rejected.
  // Kept: after a won fight, PRESSED left at 1 by the choosing click and the fight's keys arms this draw.
  WAITTICKS += 1;
  if (WAITTICKS >= 20 && M.PRESSED == 1) SENTAKU();
}

void Form5::KYARA_MouseMove(int index) {
  if (M.PRESSED == 1) return;
  ctl->casol.Visible = true;
  ctl->casol.Left = ctl->KYARA[index].Left;
}

void Form5::casol_MouseDown(int button) {
  SelectControls& c = *ctl;
  if (M.PRESSED == 1) return;
  // Kept: a click first throws 1000 draws away; they move the generator, so the opponent depends on them.
  for (M.IX = 0; M.IX <= 999; ++M.IX) program.rnd.next();
  // Kept: a click of any mouse button is taken (the draws, PRESSED, the slot); only a left one selects.
  M.PRESSED = button;
  // Kept: the picked slot is read back from where the click target stands, not taken from the portrait.
  for (M.IX = 0; M.IX <= 7; ++M.IX)
    if (Int(c.casol.Left) == c.KYARA[M.IX].Left) M.PICKSLOT = M.IX;
  SENTAKU();
}

void Form5::SENTAKU() {
  if (M.PRESSED != 1) return;
  bool accepted = false;
  for (M.IX = 0; M.IX <= 1; ++M.IX) {
    // Kept: the opponent is drawn among all eight, the player's own fighter included.
    const std::int32_t slot = M.IX == 0 ? M.PICKSLOT : Int(program.rnd.next() * 8);
    // Kept: a rejected draw is written all the same; both sides hold it until the next draw.
    writeRosterRow(M, M.IX, slot);
    if (M.IX == 1) {
      accepted = M.BEATEN[slot] != 1;
      if (accepted) M.BEATEN[slot] = 1;
    }
  }
  if (!accepted) return;  // Timer2 draws again
  M.SPEED = ctl->Scr.Value;
  desktop.unload(*this);
  // The state now holds the accepted draw; the fight starts from it.
  program.startFight(fightOfState(M));
}

void Form5::Scr_Change() { showSpeed(); }

void Form5::Form_Unload() {
  // Kept: STORELOADED is never cleared: once a visit has read the store, every later unload releases it.
  if (STORELOADED == 1) program.releaseStore();
  slideUp();
}

void Form5::onTimer(forms::Timer& timer) {
  if (&timer == &ctl->Timer1)
    Timer1_Timer();
  else
    Timer2_Timer();
}

void Form5::onMouseMove(forms::Control& control, int, float, float) {
  if (control.Name == "KYARA") KYARA_MouseMove(control.Index);
}

void Form5::onMouseDown(forms::Control& control, int button, float, float) {
  if (&control == &ctl->casol) casol_MouseDown(button);
}

void Form5::onChange(forms::Control& control) {
  if (&control == &ctl->Scr) Scr_Change();
}

}  // namespace mojara

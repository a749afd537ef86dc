#include "battle/battle_window.h"

#include <charconv>

#include "app/game_numbers.h"
#include "app/vb_math.h"
#include "assets/asset_files.h"
#include "assets/pictures.h"
#include "battle/battle_words.h"
#include "battle/fight_sounds.h"

namespace mojara {

namespace {

// Bytes reserved at the load for a caption or file path that the ticks rewrite.
constexpr std::size_t kCaptionRoom = 128;

void designGauge(forms::Shape& shape, forms::Rgb color, forms::PictureBox& panel) {
  shape.Style = forms::ShapeKind::RoundedRectangle;
  shape.FillColor = color;
  shape.Container = &panel;
}

forms::Label& transparentLabel(forms::Label& label, std::string_view caption, forms::TextAlign align) {
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
  forms::Label& banner = transparentLabel(Label2, battle::kBannerWords[0], forms::TextAlign::Center);
  banner.Font.Size = 36;
  banner.Font.Bold = true;
  Shape1.Style = forms::ShapeKind::Circle;
  Shape1.FillColor = {0, 0, 255};
  GAZOU[0].Picture = assets::storePicture(storeIndex(0, 0, picture::WalkA));
  GAZOU[1].Picture = assets::storePicture(storeIndex(0, 1, picture::WalkA));
  forms::Label& clock = transparentLabel(ZIKAN, battle::kClockDesignWord, forms::TextAlign::Center);
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
  // Room for the longest message (the result with its bonuses), the sound file paths and the
  // captions the events rewrite, so that no event has to grow a string.
  c.Label3.Caption.reserve(kCaptionRoom);
  c.ZIKAN.Caption.reserve(kCaptionRoom);
  soundFolder_ = desktop.programFolder();
  for (forms::SoundSlot* slot : {&c.MMControl1, &c.MMControl2, &c.MMControl3})
    slot->FileName.reserve(soundFolder_.size() + kCaptionRoom);
  for (int i = 0; i <= 1; ++i) c.WAKUN[i].Caption.reserve(kCaptionRoom + M.PNAME[i].size());
  rules_ = battle::fightRules(M.SPEED, desktop.timerResolution(), battle::soundLengths(soundFolder_));

  program.Randomize();
  M.NL = "\r\n";
  fight_ = battle::loadFight(M, fight_, program.rnd, rules_);
  loadedAt_ = desktop.now();
  shareFight();
  // The clock and the banner keep their design texts; the rest shows the fight.
  remember(fight_);
  show(true);
  c.Timer1.setInterval(M.SPEED);
}

void Form2::Form_Unload() {
  onlineKeys_ = nullptr;
  program.releaseStore();
  slideUp();
}

void Form2::Form_KeyDown(int keyCode, int /*shift*/) { press(1, keyCode); }

void Form2::secondPlayerKeyDown(int keyCode) { press(2, keyCode); }

void Form2::press(int player, int keyCode) {
  M.PRESSED = 1;
  if (onlineKeys_) {
    onlineKeys_(player, keyCode);
    return;
  }
  const std::int32_t beeps = battle::pressKey(fight_, rules_, player, keyCode, desktop.now() - loadedAt_);
  for (std::int32_t b = 0; b < beeps; ++b) desktop.beep();
  show(false);
}

void Form2::onTimer(forms::Timer&) {
  const battle::FightStep step = battle::tick(fight_, rules_);
  if (!step.ran) return;
  showStep(step);
  if (step.handOver != battle::HandOver::None) handOver(step.handOver);
}

void Form2::showStep(const battle::FightStep& step) {
  shareFight();
  show(false);
  playSounds(step);
  for (std::int32_t b = 0; b < step.beeps; ++b) desktop.beep();
  if (step.ran) program.fightEventRan();
}

void Form2::handOver(battle::HandOver handOver) {
  // Nothing that runs while the window closes or while the next one loads reads STAGE or
  // BEATEN, so they are settled first, as the hand-over reports them.
  battle::settleHandOver(M, fight_, handOver);
  program.fightOver(handOver == battle::HandOver::Select ? Window::Select : Window::Continue);
}

void Form2::goOnline(std::function<void(int player, int keyCode)> keys) {
  onlineKeys_ = std::move(keys);
  showTimers();
}

void Form2::showEvent(const battle::FightState& fight, const battle::FightStep& step) {
  fight_ = fight;
  showStep(step);
}

void Form2::shareFight() {
  const battle::FightState& f = fight_;
  M.LIFE = f.LIFE;
  M.POW = f.POW;
  M.SCORE = f.SCORE;
  M.XPOS = f.XPOS;
  M.YPOS = f.YPOS;
  M.XSPD = f.XSPD;
  M.YSPD = f.YSPD;
  M.POSE = f.POSE;
  M.FACING = f.FACING;
  M.ACTION = f.ACTION;
  M.IX = f.IX;
  program.rnd = f.rnd;
}

void Form2::show(bool everything) {
  BattleControls& c = *ctl;
  const battle::FightState& f = fight_;
  Shown& was = shown_;
  // A control is written only where what it shows has changed (the battle's events are many).
  for (int i = 0; i <= 1; ++i) {
    if (everything || f.SHOWLIFE[i] != was.lifeGauge[i])
      c.LIFEMATA[i].Width =
          static_cast<float>(static_cast<double>(c.LIFEMAX[i].Width) * f.SHOWLIFE[i] / f.LIFEFULL[i]);
    if (everything || f.powGauge[i] != was.powGauge[i])
      c.POWMATA[i].Width = static_cast<float>(static_cast<double>(c.POWMAX[i].Width) * f.powGauge[i] / 100);
    if (everything || f.pointsShown[i] != was.points[i]) showNameLabel(i);
    if (everything || f.sprite[i] != was.sprite[i]) {
      forms::Image& sprite = c.GAZOU[i];
      sprite.Top = static_cast<float>(f.sprite[i].top);
      sprite.Left = static_cast<float>(f.sprite[i].left);
      sprite.Picture = program.ORE(f.sprite[i].picture);
    }
  }
  if (everything || f.phase != was.phase) {
    c.Label2.Visible = battle::bannerShown(f);
    showTimers();
  }
  if (f.banner != was.banner) {
    c.Label2.Caption = battle::kBannerWords[static_cast<int>(f.banner)];
  }
  if (everything || f.message != was.message) showMessage();
  if (f.secondsShown != was.seconds) showClock();
  c.Shape1.Left = static_cast<float>(f.marker);
  c.Image1.Visible = f.overlay;
  remember(f);
}

void Form2::remember(const battle::FightState& f) {
  shown_ = {f.SHOWLIFE, f.powGauge, f.pointsShown, f.sprite, f.phase, f.banner, f.message, f.secondsShown};
}

void Form2::showTimers() {
  BattleControls& c = *ctl;
  const battle::Phase phase = fight_.phase;
  const bool own = !online();
  c.Timer3.setEnabled(own && phase == battle::Phase::Opening);
  c.Timer1.setEnabled(own && battle::timer1Runs(fight_));
  c.Timer2.setEnabled(own && phase == battle::Phase::Closing);
}

void Form2::showNameLabel(std::int32_t s) {
  // Side number, "Ｐ", name, line break, points, "Ｐ".
  char side[12], digits[12];
  const auto sideEnd = std::to_chars(side, side + sizeof side, s + 1).ptr;
  const auto pointsEnd = std::to_chars(digits, digits + sizeof digits, fight_.pointsShown[s]).ptr;
  std::string& caption = ctl->WAKUN[s].Caption;
  caption.assign(side, sideEnd);
  caption.append(battle::kPointsWord).append(M.PNAME[s]).append(M.NL).append(digits, pointsEnd).append(battle::kPointsWord);
}

void Form2::showMessage() {
  const battle::Message& m = fight_.message;
  forms::Label& label = ctl->Label3;
  label.ForeColor = {0, static_cast<std::uint8_t>(m.green), 0};
  std::string& caption = label.Caption;
  caption.clear();
  char digits[12];
  switch (m.headline) {
    case battle::Headline::None:
      break;
    case battle::Headline::Hits:
      caption.assign(digits, std::to_chars(digits, digits + sizeof digits, m.hits).ptr).append(battle::kHitsWord);
      break;
    case battle::Headline::TimeUp:
      caption.assign(battle::kTimeUpWord);
      break;
    case battle::Headline::KnockOut:
      caption.assign(battle::kKnockOutWord);
      break;
  }
  if (!m.result) return;
  caption.append(M.NL).append(battle::kLifeBonusWord);
  caption.append(digits, std::to_chars(digits, digits + sizeof digits, m.lifeBonus).ptr);
  caption.append(M.NL).append(battle::kTimeBonusWord);
  caption.append(digits, std::to_chars(digits, digits + sizeof digits, m.timeBonus).ptr);
}

void Form2::showClock() {
  // "ＴＩＭＥ", line break, the whole seconds; the design text until the first battle tick.
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, fight_.secondsShown).ptr;
  ctl->ZIKAN.Caption.assign(battle::kClockWord).append(M.NL).append(digits, end);
}
void Form2::playSounds(const battle::FightStep& step) {
  BattleControls& c = *ctl;
  for (std::uint8_t k = 0; k < step.soundCount; ++k) {
    const battle::Sound sound = step.sounds[k];
    forms::SoundSlot& slot = sound == battle::Sound::Music       ? c.MMControl1
                             : sound == battle::Sound::KnockDown ? c.MMControl2
                                                                 : c.MMControl3;
    play(slot, battle::soundFile(sound));
  }
}

void Form2::play(forms::SoundSlot& slot, std::string_view file) {
  slot.FileName.assign(soundFolder_).append(1, '/').append(file);
  slot.Command("Open");
  slot.Command("Prev");
  slot.Command("Play");
}

}  // namespace mojara

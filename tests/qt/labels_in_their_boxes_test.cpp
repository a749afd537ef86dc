// Every label the windows show keeps the whole of its text inside its box, in both languages, at
// every scale a window is drawn at (full screen draws at the same whole scales, moved by whole
// pixels).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "app/fight_setup.h"
#include "battle/battle_window.h"
#include "forms/layout.h"
#include "forms/virtual_clock.h"
#include "game/game.h"
#include "qt/canvas_painter.h"
#include "qt/english_texts.h"
#include "qt/front_end.h"
#include "screens/continue_window.h"
#include "screens/ending_window.h"
#include "select/select_window.h"
#include "title/title_window.h"

namespace mojara::qt {
namespace {

// What a label's text needs to be laid out: its box's size and its look.
struct LabelLook {
  std::string where;
  float width, height;
  forms::FontSpec font;
  forms::TextAlign alignment;
  bool wordWrap;
  QString text;
};

struct OneLabel {
  forms::Label text{"Text", {0, 0, 0, 0}};
  std::vector<forms::Control*> list() { return {&text}; }
};

struct LabelForm : forms::FormOf<OneLabel> {
  LabelForm(forms::Desktop& desktop, float width, float height) : FormOf(desktop, "LabelForm") {
    designWindow("", width, height, {255, 255, 255});
  }
};

double inkOf(const QImage& image) {
  double ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) ink += 255 - qGray(row[x]);
  }
  return ink / 255;
}

struct Windows {
  PictureLibrary pictures{MOJARA_PICTURE_DIR};
  FrontEnd frontEnd{pictures, {1}};
  forms::VirtualClock clock;
  forms::Desktop desktop{frontEnd, clock};
  Game game{desktop};
  std::vector<LabelLook> seen;

  Windows(const ShownTexts& texts) {
    frontEnd.setTexts(texts);
    frontEnd.attach(desktop);
  }
  void run(double millis) {
    clock.runUntil(desktop, clock.now() + static_cast<forms::Nanos>(millis * 1'000'000));
    frontEnd.afterEvent();
  }
  // The labels of fixed size the window shows now, with their texts as shown.
  void look(const forms::Form& form, const std::string& state) {
    for (const forms::Control* control : form.controls()) {
      if (control->Kind != forms::ControlKind::Label || !forms::isShowing(*control)) continue;
      const auto& label = static_cast<const forms::Label&>(*control);
      if (label.AutoSize) continue;  // it grows to its text
      const QString text = frontEnd.texts()(label.Caption);
      if (std::none_of(seen.begin(), seen.end(), [&](const LabelLook& l) {
            return l.text == text && l.width == label.Width && l.height == label.Height &&
                   l.font == label.Font;
          }))
        seen.push_back({form.name() + "." + label.Name + " (" + state + ")", label.Width, label.Height,
                        label.Font, label.Alignment, label.WordWrap, text});
    }
  }
};

// The labels of every window in the states that give them their longest texts.
std::vector<LabelLook> labelsShown(const ShownTexts& texts) {
  Windows w(texts);
  Game& game = w.game;
  game.start();
  w.run(100);
  w.look(game.title, "the title");
  w.desktop.click(game.title.ctl->Command1);
  w.run(3000);
  w.look(game.select, "select");
  game.unload(Window::Select);
  game.startFight(practiceFight(3, 6), AfterFight::Stop);
  w.run(55);
  game.M.SCORE[0] = 0;
  game.M.SCORE[1] = 2147483647;
  w.run(500);
  w.look(game.battle, "the opening");
  BattleControls& c = *game.battle.ctl;
  for (const char* message : {"Ｔｉｍｅ　Ｕｐ！\r\nＬＩＦＥ：30000\r\nＴＩＭＥ：9900",
                              "Ｋ．Ｏ．！！\r\nＬＩＦＥ：30000\r\nＴＩＭＥ：9900", "999ＨＩＴ！！"}) {
    c.Label3.Caption = message;
    c.Label3.Visible = true;
    w.look(game.battle, message);
  }
  game.unload(Window::Battle);
  game.show(Window::Continue);
  w.run(55);
  w.look(game.continueScreen, "continue");
  game.unload(Window::Continue);
  game.show(Window::Ending);
  for (int tick = 0; tick < 5000 && game.ending.shown(); ++tick) {
    w.run(55);
    if (game.ending.shown()) w.look(game.ending, "page " + std::to_string(game.ending.ROLLPAGE));
  }
  return w.seen;
}

class LabelsInTheirBoxes : public ::testing::TestWithParam<bool> {};

TEST_P(LabelsInTheirBoxes, NoLineOfAnyLabelIsCutOffAtAnyScale) {
  const ShownTexts& texts = GetParam() ? english() : ShownTexts::original();
  const std::vector<LabelLook> labels = labelsShown(texts);
  ASSERT_GT(labels.size(), 20u);
  PictureLibrary pictures{MOJARA_PICTURE_DIR};
  FrontEnd frontEnd{pictures, {1}};
  forms::Desktop desktop{frontEnd, frontEnd};
  // The label in its box, and in a box far taller than any text needs: as long as nothing is cut
  // off, it inks as much in both.
  const auto inkIn = [&](const LabelLook& look, const QString& text, float height, int factor) {
    LabelForm form(desktop, look.width, height);
    desktop.load(form);
    forms::Label& label = form.ctl->text;
    label.Width = look.width;
    label.Height = height;
    label.Font = look.font;
    label.Alignment = look.alignment;
    label.WordWrap = look.wordWrap;
    label.BackStyle = forms::BackMode::Transparent;
    label.Caption = text.toStdString();
    const Scale scale{factor};
    QImage image(QSize(static_cast<int>(scale.px(look.width)), static_cast<int>(scale.px(height))),
                 QImage::Format_RGB32);
    QPainter painter(&image);
    paintForm(painter, form, pictures, scale);
    painter.end();
    desktop.unload(form);
    return inkOf(image);
  };
  for (const LabelLook& look : labels)
    for (int factor : {1, 2, 3, 4}) {
      SCOPED_TRACE(look.where + " at scale " + std::to_string(factor));
      const double whole = inkIn(look, look.text, 2 * look.height, factor);
      EXPECT_GE(inkIn(look, look.text, look.height, factor), 0.995 * whole) << look.text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(InEachLanguage, LabelsInTheirBoxes, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "English" : "Japanese"; });

}  // namespace
}  // namespace mojara::qt

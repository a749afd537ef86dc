// Labels painted at every scale: bold keeps its weight, slanted text keeps its last glyph whole,
// and no window's label loses the foot of its last line to its box.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "app/fight_setup.h"
#include "battle/battle_window.h"
#include "forms/desktop.h"
#include "forms/layout.h"
#include "forms/virtual_clock.h"
#include "game/game.h"
#include "qt/english_texts.h"
#include "qt/canvas_painter.h"
#include "qt/front_end.h"
#include "qt/picture_library.h"
#include "qt/qt_print.h"

namespace mojara::qt {
namespace {

struct OneLabel {
  forms::Label text{"Text", {0, 0, 4500, 1200}};
  std::vector<forms::Control*> list() { return {&text}; }
};

struct LabelForm : forms::FormOf<OneLabel> {
  explicit LabelForm(forms::Desktop& desktop) : FormOf(desktop, "LabelForm") {
    designWindow("", 4500, 1200, {255, 255, 255});
  }
};

struct LabelTextTest : ::testing::Test {
  PictureLibrary pictures{MOJARA_PICTURE_DIR};
  FrontEnd frontEnd{pictures, {1}};
  forms::Desktop desktop{frontEnd, frontEnd};
  LabelForm form{desktop};
  forms::Label* label = nullptr;
  void SetUp() override {
    desktop.load(form);
    label = &form.ctl->text;
    label->BackStyle = forms::BackMode::Transparent;
  }
  QImage paintedAt(int factor, const ShownTexts& texts = ShownTexts::original()) {
    const Scale scale{factor};
    QImage image(QSize(static_cast<int>(scale.px(form.ScaleWidth)), static_cast<int>(scale.px(form.ScaleHeight))),
                 QImage::Format_RGB32);
    QPainter painter(&image);
    paintForm(painter, form, pictures, scale, QRegion(), texts);
    return image;
  }
};

// Black on white: how much ink, a fully black pixel counting one.
double inkOf(const QImage& image, QRect area = {}) {
  if (area.isNull()) area = image.rect();
  double ink = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) ink += 255 - qGray(row[x]);
  }
  return ink / 255;
}

int lowestInkedRow(const QImage& image) {
  for (int y = image.height() - 1; y >= 0; --y)
    if (inkOf(image, QRect(0, y, image.width(), 1)) > 0.5) return y;
  return -1;
}

TEST_F(LabelTextTest, BoldWeighsTheSameAtEveryScaleEvenWhereTheFaceHasNoBold) {
  // The battle's banner: 36 points is 48 pixels at scale 1, 192 at scale 4.
  label->Caption = "READY?";
  label->Font.Size = 36;
  label->Alignment = forms::TextAlign::Center;
  double regular[3], bold[3];
  const int factors[3] = {1, 2, 4};
  for (int i = 0; i < 3; ++i) {
    label->Font.Bold = false;
    regular[i] = inkOf(paintedAt(factors[i]));
    label->Font.Bold = true;
    bold[i] = inkOf(paintedAt(factors[i]));
  }
  for (int i = 0; i < 3; ++i) {
    const double area = factors[i] * factors[i];
    SCOPED_TRACE(factors[i]);
    EXPECT_GT(bold[i], 1.15 * regular[i]) << "bold is hardly heavier than regular";
    EXPECT_NEAR(bold[i] / bold[0], area, 0.12 * area) << "bold ink does not grow with the area";
    EXPECT_NEAR(bold[i] / regular[i], bold[0] / regular[0], 0.05) << "bold weighs differently here";
  }
}

TEST_F(LabelTextTest, ABoldWordThatFitsItsLabelStaysOnOneLine) {
  // The battle clock: a word only just narrower than its label, bold and underlined.
  label->Width = 915;
  label->Height = 645;
  label->Caption = "ＴＩＭＥ９９";
  label->Font.Size = 14.25f;
  label->Font.Bold = label->Font.Underline = true;
  label->Alignment = forms::TextAlign::Center;
  for (int factor : {1, 2, 3, 4, 8}) {
    SCOPED_TRACE(factor);
    const QImage image = paintedAt(factor);
    // One line of 19 pixels at scale 1, its underline included; a second line would start at 20.
    EXPECT_LT(lowestInkedRow(image), 22 * factor);
    EXPECT_GT(lowestInkedRow(image), 10 * factor);
  }
}

TEST_F(LabelTextTest, ASlantedLabelsLastGlyphIsInkedInFullWhereverItIsAligned) {
  // The battle's points line: bold italic, set against the right edge of its label.
  label->Caption = "0Ｐ";
  label->Font.Size = 11.25f;
  label->Font.Bold = label->Font.Italic = true;
  for (int factor : {1, 2, 4}) {
    SCOPED_TRACE(factor);
    label->Alignment = forms::TextAlign::Left;
    label->Left = 1500;  // well inside its label: nothing can be cut off
    const double whole = inkOf(paintedAt(factor));
    label->Left = 0;
    for (forms::TextAlign align : {forms::TextAlign::Right, forms::TextAlign::Center, forms::TextAlign::Left}) {
      label->Alignment = align;
      // Just wide enough for the text: the glyph's lean reaches past its advance.
      label->Width = align == forms::TextAlign::Right ? 4500 : 450;
      const QImage image = paintedAt(factor);
      EXPECT_NEAR(inkOf(image), whole, 0.02 * whole) << "aligned " << static_cast<int>(align);
    }
    label->Width = 4500;
  }
}

// A label of fixed size as a window shows it (its controls go with the window), in the game's
// words and in English.
struct ShownLabel {
  std::string name, caption, english;
  forms::FontSpec font;
  forms::TextAlign alignment;
  bool wordWrap;
  float width, height;
  bool operator==(const ShownLabel&) const = default;
};

// Every label of fixed size the windows show, with the captions that are its longest.
std::vector<ShownLabel> labelsOfEveryWindow(Game& game, forms::VirtualClock& clock) {
  std::vector<ShownLabel> labels;
  ShownTexts en = english();
  en.setGame(&game);
  const auto look = [&labels, &en](const forms::Form& form) {
    if (!form.loaded()) return;  // the staff roll closes itself at its end
    for (const forms::Control* c : form.controls()) {
      if (c->Kind != forms::ControlKind::Label || !forms::isShowing(*c)) continue;
      const auto* l = static_cast<const forms::Label*>(c);
      if (l->AutoSize) continue;
      const ShownLabel shown{l->Name,      l->Caption,  en.caption(*l).toStdString(), l->Font,
                             l->Alignment, l->WordWrap, l->Width,                    l->Height};
      if (std::find(labels.begin(), labels.end(), shown) == labels.end()) labels.push_back(shown);
    }
  };
  const auto run = [&](double ms) { clock.runUntil(game.desktop, clock.now() + forms::Nanos(ms * 1e6)); };
  game.start();
  look(game.form(Window::Title));
  game.M.SCORE[1] = 2147483647;
  game.startFight(practiceFight(3, 6), AfterFight::Stop);
  run(500);
  look(game.battle);
  // The battle's message line at its longest, shown at the next event.
  for (const battle::Message& message : {battle::Message{battle::Headline::KnockOut, 0, true, 30000, 9900},
                                         battle::Message{battle::Headline::Hits, 999}}) {
    game.battle.fight().message = message;
    run(55);
    look(game.battle);
  }
  game.unload(Window::Battle);
  for (Window w : {Window::Select, Window::Continue, Window::Ending}) {  // every page of the staff roll
    game.show(w);
    for (int second = 0; second < (w == Window::Ending ? 300 : 1); ++second) {
      run(w == Window::Select ? 3000 : 1000);
      look(game.form(w));
    }
    game.unload(w);
  }
  return labels;
}

TEST_F(LabelTextTest, NoLabelOfAnyWindowLosesTheFootOfItsLastLineAtAnyScale) {
  forms::VirtualClock clock;
  FrontEnd gameWindows(pictures, {1});
  forms::Desktop gameDesktop(gameWindows, clock);
  gameWindows.attach(gameDesktop);
  Game game(gameDesktop);
  const std::vector<ShownLabel> labels = labelsOfEveryWindow(game, clock);
  ASSERT_GT(labels.size(), 30u);
  // Each label set alone in its box and in one twice as tall: what the box cut off, the taller shows.
  for (const ShownLabel& shown : labels)
    for (const std::string* caption : {&shown.caption, &shown.english})
      for (int factor : {1, 2, 3, 4}) {  // full screen draws at these same whole scales
        SCOPED_TRACE(shown.name + " " + *caption + " at scale " + std::to_string(factor));
        label->Caption = *caption;
        label->Font = shown.font;
        label->Alignment = shown.alignment;
        label->WordWrap = shown.wordWrap;
        label->Width = form.ScaleWidth = shown.width;
        label->Height = form.ScaleHeight = 2 * shown.height;
        const double whole = inkOf(paintedAt(factor));
        label->Height = form.ScaleHeight = shown.height;
        EXPECT_GE(inkOf(paintedAt(factor)), 0.995 * whole);
      }
}

}  // namespace
}  // namespace mojara::qt

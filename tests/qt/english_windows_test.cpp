// Every window in English, at scale 1 and 2, on Qt's offscreen platform with the build's own
// catalogue: every caption a window shows is English and fits its control in its own face,
// without being narrowed or wrapped, and no caption's ink runs into another's. The game runs on a virtual clock through the real windows.
// With MOJARA_SHOTS=FOLDER the states are also saved there as pictures at scale 2 (at scale 1 in
// FOLDER/x1).
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <climits>
#include <cmath>

#include "app/fight_setup.h"
#include "battle/battle_window.h"
#include "forms/layout.h"
#include "forms/virtual_clock.h"
#include "game/game.h"
#include "help/help_window.h"
#include "play/texts/battle_captions.h"
#include "qt/canvas_painter.h"
#include "qt/catalogue.h"
#include "qt/english_texts.h"
#include "qt/form_window.h"
#include "qt/front_end.h"
#include "qt/qt_print.h"
#include "screens/continue_window.h"
#include "screens/ending_window.h"
#include "select/select_window.h"
#include "title/title_window.h"

namespace mojara::qt {
namespace {

// The ending's second credit line gives the names in their own Japanese writing, on purpose.
bool showsJapaneseOnPurpose(const forms::Label& label) {
  return label.Parent && label.Parent->name() == "Form7" && label.Name == "ROAL" && label.Index == 1;
}

// Where a label's caption, shown as `shown`, puts ink in its window: each line set in the label's
// face in its box as shown (centred, or to its left or right), from the top of the tallest glyph
// to the bottom of the lowest.
QRectF inkOf(const forms::Label& label, const QString& shown, const Scale& scale) {
  const QFontMetricsF metrics(fontFor(label.Font, scale));
  const QRectF box = shownBox(label, scale, english());
  const QStringList lines = shown.split(QLatin1Char('\n'));
  QRectF ink;
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed().isEmpty()) continue;
    const double advance = metrics.horizontalAdvance(lines[i]);
    const double left = label.Alignment == forms::TextAlign::Center  ? box.center().x() - advance / 2
                        : label.Alignment == forms::TextAlign::Right ? box.right() - advance
                                                                     : box.left();
    ink |= metrics.tightBoundingRect(lines[i]).translated(left, box.top() + metrics.ascent() + i * metrics.lineSpacing());
  }
  return ink;
}

// A line's words in capitals and in order, "SANPEI NUKOTA" for "NUKOTA SANPEI": what a line says
// again if it only spells another in capitals or turns its name round.
std::string wordsOf(const QString& line) {
  QStringList words = line.toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  words.sort();
  return words.join(QLatin1Char(' ')).toStdString();
}

// The contrast of two colours as WCAG measures it: from 1 (the same) to 21 (black on white).
double contrast(const forms::Rgb& a, const forms::Rgb& b) {
  const auto luminance = [](const forms::Rgb& c) {
    const auto channel = [](std::uint8_t v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct EnglishWindows : ::testing::TestWithParam<int> {
  PictureLibrary pictures{MOJARA_PICTURE_DIR};
  FrontEnd frontEnd{pictures, {GetParam()}};
  forms::VirtualClock clock;
  forms::Desktop desktop{frontEnd, clock};
  Game game{desktop};
  Module1& M = game.M;
  int checked = 0;  // captions measured

  void SetUp() override {
    frontEnd.setTexts(english());
    frontEnd.setGame(game);
    frontEnd.attach(desktop);
  }
  void TearDown() override {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(widget)) box->done(0);
  }
  void run(double millis) {
    clock.runUntil(desktop, clock.now() + static_cast<forms::Nanos>(millis * 1'000'000));
    frontEnd.afterEvent();
  }
  FormWindow& window(const forms::Form& form) {
    FormWindow* w = frontEnd.windowOf(form);
    if (!w) throw std::runtime_error(form.name() + " is not shown");
    return *w;
  }

  // Every caption the window shows now is English and fits. `state` names the moment.
  void checkFits(const forms::Form& form, const std::string& state) {
    SCOPED_TRACE(form.name() + ", " + state);
    const Scale scale{GetParam()};
    FormWindow& w = window(form);
    EXPECT_FALSE(hasJapanese(w.windowTitle())) << w.windowTitle().toStdString();
    std::vector<std::pair<QRectF, QString>> inks;
    for (const forms::Control* control : form.controls()) {
      if (!forms::isShowing(*control)) continue;
      if (control->Kind == forms::ControlKind::Label) {
        const auto& label = static_cast<const forms::Label&>(*control);
        const QString shown = frontEnd.texts().caption(label);
        if (!showsJapaneseOnPurpose(label)) {
          EXPECT_FALSE(hasJapanese(shown)) << label.Caption;
        }
        EXPECT_EQ(labelOverflow(label, shown, form, scale, english()), 0)
            << shown.toStdString() << " overflows its label";
        const QRectF ink = inkOf(label, shown, scale);
        for (const auto& [other, otherText] : inks)
          EXPECT_FALSE(ink.intersects(other))
              << shown.toStdString() << " runs into " << otherText.toStdString();
        if (!ink.isEmpty()) inks.emplace_back(ink, shown);
        // No more lines than the game's own caption has, or than the box has room for.
        const int lines = static_cast<int>(shown.count(QLatin1Char('\n'))) + 1;
        const int gameLines =
            static_cast<int>(QString::fromStdString(label.Caption).count(QLatin1Char('\n'))) + 1;
        const int room = static_cast<int>(scale.px(label.Height) /
                                          QFontMetricsF(fontFor(label.Font, scale)).lineSpacing());
        EXPECT_LE(lines, std::max(gameLines, room)) << shown.toStdString();
        // Nothing of the last line hangs out of the bottom of a box of fixed size ("pts" would lose
        // the tails of its p).
        if (!label.AutoSize) {
          const QFontMetricsF metrics(fontFor(label.Font, scale));
          const QString last = shown.section(QLatin1Char('\n'), -1);
          const double ink = (lines - 1) * metrics.lineSpacing() + metrics.ascent() +
                             std::max(0.0, metrics.tightBoundingRect(last).bottom());
          EXPECT_LE(ink, scale.px(label.Height) + 1) << shown.toStdString() << " runs out of the bottom";
        }
        ++checked;
      } else if (control->Kind == forms::ControlKind::CommandButton) {
        auto* button = static_cast<QPushButton*>(w.widgetOf(*control));
        QStyleOptionButton option;
        option.initFrom(button);
        option.rect = button->rect();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        EXPECT_FALSE(hasJapanese(button->text())) << button->text().toStdString();
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), room.width())
            << button->text().toStdString();
        ++checked;
      } else if (control->Kind == forms::ControlKind::ComboBox) {
        auto* box = static_cast<QComboBox*>(w.widgetOf(*control));
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.rect = box->rect();
        const QRect room =
            box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        for (int i = 0; i < box->count(); ++i) {
          EXPECT_FALSE(hasJapanese(box->itemText(i))) << box->itemText(i).toStdString();
          EXPECT_LE(box->fontMetrics().horizontalAdvance(box->itemText(i)), room.width())
              << box->itemText(i).toStdString();
          ++checked;
        }
      } else if (control->Kind == forms::ControlKind::TextBox && control->Top < form.ScaleHeight) {
        const QString text = static_cast<QPlainTextEdit*>(w.widgetOf(*control))->toPlainText();
        EXPECT_FALSE(hasJapanese(text)) << text.toStdString();
      }
    }
  }

  void shot(const forms::Form& form, const QString& name) { shot(static_cast<QWidget&>(window(form)), name); }
  void shot(QWidget& widget, const QString& name) {
    QString folder = qEnvironmentVariable("MOJARA_SHOTS");
    if (folder.isEmpty()) return;
    if (GetParam() != 2) folder += QStringLiteral("/x%1").arg(GetParam());
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
  }
};

TEST_P(EnglishWindows, TheTitleAndTheSelectWindowAtEveryBattleSpeed) {
  game.start();
  frontEnd.afterEvent();
  checkFits(game.title, "as it opens");
  shot(game.title, QStringLiteral("01-title"));
  desktop.click(game.title.ctl->Command1);
  run(3000);
  ASSERT_TRUE(game.select.shown());
  checkFits(game.select, "the strip in");
  shot(game.select, QStringLiteral("02-select"));
  for (int speed = game.select.ctl->Scr.Min; speed <= game.select.ctl->Scr.Max; ++speed) {
    desktop.change(game.select.ctl->Scr, speed);
    frontEnd.afterEvent();
    checkFits(game.select, "speed " + std::to_string(speed));
  }
}

TEST_P(EnglishWindows, TheHelpWithEachTopic) {
  game.start();
  game.show(Window::Help);
  run(300);
  auto& combo = game.help.ctl->Combo1;
  for (int topic = 0; topic < static_cast<int>(combo.List.size()); ++topic) {
    desktop.choose(combo, topic);
    run(300);
    ASSERT_EQ(game.help.SHOWNTOPIC, topic);
    checkFits(game.help, "topic " + std::to_string(topic));
    const QString text =
        static_cast<QPlainTextEdit*>(window(game.help).widgetOf(game.help.ctl->Text1))->toPlainText();
    // The topic's heading opens its text, in the topic's own words.
    EXPECT_GT(text.size(), 100);
    shot(game.help, QStringLiteral("03-help-topic-%1").arg(topic));
  }
}

TEST_P(EnglishWindows, EveryFighterOnEitherSideWithTheLargestPoints) {
  for (int k = 0; k <= 7; ++k) {
    SCOPED_TRACE(k);
    game.startFight(practiceFight(k, 7 - k), AfterFight::Stop);
    run(55);
    game.battle.fight().SCORE[0] = game.battle.fight().SCORE[1] = INT32_MAX;
    for (int tick = 0; tick < 80 && game.battle.ctl->Timer3.Enabled(); ++tick) {
      run(55);
      checkFits(game.battle, "the opening, tick " + std::to_string(tick));
      if (k == 4 && game.battle.ctl->Label2.Visible && game.battle.ctl->Label2.Caption == "ＲＥＡＤＹ？")
        shot(game.battle, QStringLiteral("04-battle-ready"));
    }
    game.unload(Window::Battle);
    run(55);
  }
}

TEST_P(EnglishWindows, AFightWithItsPauseHitsKnockOutAndResult) {
  FightSetup fight = practiceFight(0, 3);
  fight.demo = true;
  fight.seed = 7;
  game.startFight(fight, AfterFight::Stop);
  BattleControls& c = *game.battle.ctl;
  while (c.Timer3.Enabled()) run(55);
  desktop.keyDown(game.battle, forms::vk::Space, 0);
  frontEnd.afterEvent();
  ASSERT_TRUE(c.Label2.Visible);
  checkFits(game.battle, "paused");
  shot(game.battle, QStringLiteral("05-battle-pause"));
  desktop.keyDown(game.battle, forms::vk::Space, 0);
  bool hitsShot = false, resultShot = false, oneHit = false;
  for (int tick = 0; tick < 4000 && !game.fightStopped(); ++tick) {
    run(55);
    if (!game.battle.shown()) break;
    checkFits(game.battle, "tick " + std::to_string(tick));
    // The counter counts in English: one HIT, any more HITS.
    if (const int hits = game.battle.fight().HITCOUNT; hits > 0 && c.Label3.Caption.ends_with("ＨＩＴ！！")) {
      EXPECT_EQ(frontEnd.texts().caption(c.Label3), QStringLiteral("%1 %2!!").arg(hits).arg(hits == 1 ? "HIT" : "HITS"));
      oneHit = oneHit || hits == 1;
    }
    if (!hitsShot && game.battle.fight().HITCOUNT >= 2 && c.Label3.Visible) {
      shot(game.battle, QStringLiteral("06-battle-hits"));
      hitsShot = true;
      game.battle.fight().LIFE[1] = 1;  // the next hit knocks the computer out
    }
    if (!resultShot && c.Label3.Caption.find("ＬＩＦＥ") != std::string::npos) {
      shot(game.battle, QStringLiteral("07-battle-ko-result"));
      resultShot = true;
    }
  }
  EXPECT_TRUE(hitsShot && resultShot && oneHit) << "the fight showed no single hit, no combo or no result";
  // The longest messages the fight's message line can carry, shown at the next event.
  game.startFight(fight, AfterFight::Stop);
  run(55);
  using battle::Headline;
  for (const battle::Message& message : {battle::Message{Headline::TimeUp, 0, true, 30000, 9900},
                                         battle::Message{Headline::KnockOut, 0, true, 30000, 9900},
                                         battle::Message{Headline::Hits, 999}}) {
    game.battle.fight().message = message;
    run(55);
    ASSERT_EQ(game.battle.fight().message, message);
    checkFits(game.battle, c.Label3.Caption);
  }
}

TEST_P(EnglishWindows, TimeUp) {
  FightSetup fight = practiceFight(3, 3);
  fight.demo = true;
  game.startFight(fight, AfterFight::Stop);
  BattleControls& c = *game.battle.ctl;
  while (c.Timer3.Enabled()) run(55);
  game.battle.fight().LIFE[0] = game.battle.fight().LIFE[1] = 100000;  // nobody falls before the clock runs out
  game.battle.fight().CLOCK = 200;
  bool shown = false;
  for (int tick = 0; tick < 400 && game.battle.shown() && !game.fightStopped(); ++tick) {
    run(55);
    checkFits(game.battle, "tick " + std::to_string(tick));
    if (!shown && c.Label3.Visible && c.Label3.Caption.starts_with("Ｔｉｍｅ")) {
      shot(game.battle, QStringLiteral("08-battle-time-up"));
      shown = true;
    }
  }
  EXPECT_TRUE(shown);
}

TEST_P(EnglishWindows, TheContinueCountdownAndTheGameOverMessage) {
  game.start();
  game.show(Window::Continue);
  run(55);
  checkFits(game.continueScreen, "10");
  shot(game.continueScreen, QStringLiteral("09-continue"));
  run(11500);
  QMessageBox* box = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* b = qobject_cast<QMessageBox*>(widget); b && b->isVisible()) box = b;
  ASSERT_TRUE(box) << "no game-over message";
  EXPECT_EQ(box->text(), QStringLiteral("Game Over!!\nBack to the title..."));
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Mojara Taisen"));
  shot(*box, QStringLiteral("10-game-over"));
}

TEST_P(EnglishWindows, EveryPageOfTheStaffRoll) {
  game.start();
  game.show(Window::Ending);
  int lastShot = -1, pagesRead = 0;
  for (int tick = 0; tick < 5000 && game.ending.shown(); ++tick) {
    run(55);
    if (!game.ending.shown()) break;
    checkFits(game.ending, "page " + std::to_string(game.ending.ROLLPAGE));
    if (game.ending.ROLLWAIT == 1) {
      // Resting in the middle, each line reads on the teal, and the second never says the first
      // again where the game's own lines differ.
      SCOPED_TRACE("page " + std::to_string(game.ending.ROLLPAGE));
      for (const forms::Label& line : game.ending.ctl->ROAL)
        EXPECT_GE(contrast(english().lookOf(line).color.value_or(line.ForeColor), game.ending.BackColor), 4.5)
            << line.Caption;
      const auto& [first, second] = game.ending.ctl->ROAL;
      if (first.Caption != second.Caption && !second.Caption.empty()) {
        EXPECT_NE(wordsOf(english()(first.Caption)), wordsOf(english()(second.Caption)));
      }
      ++pagesRead;
    }
    if (game.ending.ROLLWAIT == 2 && game.ending.ROLLPAGE != lastShot &&
        (game.ending.ROLLPAGE == 0 || game.ending.ROLLPAGE == 5 || game.ending.ROLLPAGE == 16 ||
         game.ending.ROLLPAGE == 20)) {
      lastShot = game.ending.ROLLPAGE;
      shot(game.ending, QStringLiteral("11-ending-page-%1").arg(lastShot, 2, 10, QLatin1Char('0')));
    }
  }
  EXPECT_EQ(game.ending.ROLLPAGE, 21) << "the roll did not end";
  EXPECT_EQ(pagesRead, 21);
}

TEST(ShownTexts, TheGamesOwnLanguageShowsItsTextsAsTheGameWroteThem) {
  const ShownTexts& original = ShownTexts::original();
  for (const char* text : {"ＦＩＧＨＴ！！", "1Ｐだいさく", "12ＨＩＴ！！", "READY?", ""})
    EXPECT_EQ(original(text).toStdString(), text);
  EXPECT_EQ(original("Ｇａｍｅ　Ｏｖｅｒ！！\r\nタイトルに戻る・・・").toStdString(),
            "Ｇａｍｅ　Ｏｖｅｒ！！\nタイトルに戻る・・・");
}

TEST(ShownTexts, EveryComposedFormAndBattleMessageHasItsEnglish) {
  const ShownTexts& en = english();
  EXPECT_EQ(en("ばとるすぴーど（速い～遅い）：20"), QStringLiteral("Battle speed (fast-slow): 20"));
  EXPECT_EQ(en("テン←"), QStringLiteral("Num ←"));
  const CaptionTranslator catalogue(openCatalogue(MOJARA_BIN_DIR "/locale", "en"));
  EXPECT_EQ(nameCaption(1, "あいあんどーる", 40536, catalogue), "2P Iron Doll\n40536 PTS");
  EXPECT_EQ(messageCaption({battle::Headline::KnockOut, 0, true, 30000, -4}, catalogue), "K.O.!!\nLIFE: 30000\nTIME: -4");
  std::vector<std::string_view> entries = CaptionTranslator::composedForms();
  entries.insert(entries.end(), battleCaptionEntries().begin(), battleCaptionEntries().end());
  for (std::string_view entry : entries)
    EXPECT_NE(en(std::string(entry)).toStdString(), entry) << "no English for " << entry;
}

TEST(Catalogue, AMissingCatalogueIsAClearErrorNamingItsFile) {
  try {
    openCatalogue("/nonexistent/locale", "en");
    FAIL() << "no error";
  } catch (const CatalogueMissing& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/locale/en/LC_MESSAGES/mojara.mo"), std::string::npos)
        << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(AtScale, EnglishWindows, ::testing::Values(1, 2),
                         [](const auto& info) { return "x" + std::to_string(info.param); });

}  // namespace
}  // namespace mojara::qt

// The key-settings window and the versus window on Qt's offscreen platform: a key or button is
// bound by clicking its cell and pressing it, the game's own keys are refused, Escape cancels; in
// English every text the windows show is English and the windows fit the game's screen.
#include "qt/key_settings_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "forms/types.h"
#include "qt/catalogue.h"
#include "qt/english_texts.h"
#include "qt/online_panel.h"
#include "qt/picture_library.h"
#include "qt/qt_print.h"
#include "qt/versus_window.h"

namespace mojara::qt {
namespace {

void press(Qt::Key key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
  // The window takes keys from the whole program while it waits, whichever widget has the focus.
  QApplication::sendEvent(qApp, &event);
}

struct KeySettings : ::testing::Test {
  std::vector<KeySettingsWindow::Choices> told;
  KeySettingsWindow window{1, ShownTexts::original(),
                           {KeyBindings::defaults(), std::nullopt, true, "ja"},
                           [this](const KeySettingsWindow::Choices& c) { told.push_back(c); }};
  QPushButton* cell(int player, command::Command command, bool pad = false) {
    return window.cell(player, command, pad);
  }
};

TEST_F(KeySettings, AClickedCellTakesTheNextKeyAndEscapeOrTheGamesOwnKeysLeaveItAsItWas) {
  EXPECT_EQ(cell(0, command::Punch)->text(), QStringLiteral("A"));
  cell(0, command::Punch)->click();
  EXPECT_EQ(cell(0, command::Punch)->text(), QStringLiteral("？"));
  press(Qt::Key_F1);
  EXPECT_TRUE(told.empty()) << "F1 opens the help: it is never bound";
  EXPECT_TRUE(window.message().contains(QStringLiteral("F1"))) << window.message().toStdString();
  press(Qt::Key_G, QStringLiteral("g"));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told.back().bindings.key(0, command::Punch), 'G');
  EXPECT_EQ(cell(0, command::Punch)->text(), QStringLiteral("G"));

  // No longer waiting: a key changes nothing.
  press(Qt::Key_H, QStringLiteral("h"));
  EXPECT_EQ(told.size(), 1u);

  cell(1, command::Kick)->click();
  press(Qt::Key_Escape);
  EXPECT_EQ(told.size(), 1u);
  EXPECT_EQ(cell(1, command::Kick)->text(), QStringLiteral("O"));
  EXPECT_EQ(window.message(), QStringLiteral("そのままにしました"));

  // A key bound elsewhere changes places with it, on screen as in the choices.
  cell(1, command::Kick)->click();
  press(Qt::Key_G, QStringLiteral("g"));
  EXPECT_EQ(told.back().bindings.key(1, command::Kick), 'G');
  EXPECT_EQ(cell(0, command::Punch)->text(), QStringLiteral("O"));
  EXPECT_TRUE(window.message().contains(QStringLiteral("入れ替え"))) << window.message().toStdString();
}

TEST_F(KeySettings, AControllerCellTakesOnlyAButtonOfThatPlayersController) {
  EXPECT_FALSE(window.padPressed(0, PadButton::X)) << "not waiting: the button is the game's";
  cell(1, command::Punch, true)->click();
  press(Qt::Key_G, QStringLiteral("g"));
  EXPECT_FALSE(window.padPressed(0, PadButton::Y)) << "player 1's controller cannot bind player 2's";
  EXPECT_TRUE(told.empty());
  EXPECT_TRUE(window.padPressed(1, PadButton::Y));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told.back().bindings.button(1, command::Punch), PadButton::Y);
  EXPECT_EQ(told.back().bindings.button(1, command::RisingDragonPunch), PadButton::X) << "swapped";
  EXPECT_EQ(told.back().bindings.problem(), std::nullopt);
}

TEST_F(KeySettings, DefaultsScaleAttractAndLanguageAreToldAsTheyChange) {
  cell(0, command::Pause)->click();
  press(Qt::Key_B, QStringLiteral("b"));
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == QStringLiteral("初期設定に戻す")) button->click();
  EXPECT_EQ(told.back().bindings, KeyBindings::defaults());
  const auto boxes = window.findChildren<QComboBox*>();
  ASSERT_EQ(boxes.size(), 2);
  boxes[0]->setCurrentIndex(2);
  EXPECT_EQ(told.back().scale, 2);
  boxes[0]->setCurrentIndex(0);
  EXPECT_EQ(told.back().scale, std::nullopt) << "automatic";
  boxes[1]->setCurrentIndex(boxes[1]->findText(QStringLiteral("English")));
  EXPECT_EQ(told.back().lang, "en");
  window.findChild<QCheckBox*>()->setChecked(false);
  EXPECT_FALSE(told.back().attract);
}

TEST(KeySettingsThisRun, OnlyScalesTheScreenHasRoomForAreOfferedAndThisRunsScaleAndLanguageAreSaid) {
  struct Case {
    bool english;
    InEffect run;
    const char* scaleNow;
    const char* langNow;
  };
  const Case cases[] = {
      {false, {2, 3, std::nullopt, false, "ja", false}, "この起動は 2 倍", "この起動は 日本語"},
      {false, {2, 2, std::nullopt, true, "en", true}, "この起動は 2 倍（コマンドラインの --scale 2）",
       "この起動は English（コマンドラインの --lang en）"},
      {false, {1, 1, 8, false, "ja", false}, "この起動は 1 倍（8 倍は画面に入りません）", "この起動は 日本語"},
      {true,
       {1, 1, 8, true, "en", true},
       "This run: × 1 (--scale 8 on the command line does not fit the screen)",
       "This run: English (--lang en on the command line)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scaleNow);
    // The kept scale is 8, larger than any of these screens has room for: shown, not offered.
    KeySettingsWindow window(c.run.scale, c.english ? english() : ShownTexts::original(),
                             {KeyBindings::defaults(), 8, true, "ja"}, {}, c.run);
    for (int scale = 0; scale <= Settings::kMaxScale; ++scale)
      EXPECT_EQ(window.offers(scale), scale <= c.run.largestScale) << "scale " << scale;
    EXPECT_EQ(window.scaleNow(), QString::fromUtf8(c.scaleNow));
    EXPECT_EQ(window.langNow(), QString::fromUtf8(c.langNow));
  }
}

// Every text the window shows is English (but the name of Japanese in the language list), and
// the window, laid out for its English texts, fits the game's screen at its scale.
void expectEnglishAndFits(QWidget& window, int scale) {
  window.show();
  window.adjustSize();
  EXPECT_FALSE(hasJapanese(window.windowTitle())) << window.windowTitle().toStdString();
  for (const QLabel* label : window.findChildren<QLabel*>())
    EXPECT_FALSE(hasJapanese(label->text())) << label->text().toStdString();
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    EXPECT_FALSE(hasJapanese(button->text())) << button->text().toStdString();
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width())
        << button->text().toStdString();
  }
  for (const QComboBox* box : window.findChildren<QComboBox*>())
    for (int i = 0; i < box->count(); ++i) {
      if (box->itemText(i) == QStringLiteral("日本語")) continue;
      EXPECT_FALSE(hasJapanese(box->itemText(i))) << box->itemText(i).toStdString();
    }
  EXPECT_LE(window.width(), 640 * scale);
  EXPECT_LE(window.height(), 480 * scale);
}

// A controller alone: B ends a wait without a change, then closes the window; in the versus
// window A starts the fight, the d-pad changes that player's pick and B goes back to the title.
TEST_F(KeySettings, AControllersBAndAMeanEscapeAndEnterInTheFrontEndsOwnWindows) {
  window.show();
  cell(0, command::Kick)->click();
  window.escape();
  EXPECT_TRUE(window.isVisible()) << "B while waiting only ends the wait";
  EXPECT_EQ(window.message(), QStringLiteral("そのままにしました"));
  window.escape();
  EXPECT_FALSE(window.isVisible());

  PictureLibrary pictures(MOJARA_PICTURE_DIR);
  std::vector<std::pair<int, int>> fights;
  int titles = 0;
  VersusWindow versus(
      pictures, ShownTexts::original(), 1,
      [&](int p0, int p1) {
        fights.emplace_back(p0, p1);
        return true;
      },
      [&] { ++titles; });
  versus.open({2, 5}, std::nullopt);
  versus.navigationKey(1, forms::vk::Right);
  versus.navigationKey(0, forms::vk::Left);
  versus.navigationKey(0, forms::vk::Return);
  EXPECT_EQ(fights, (std::vector<std::pair<int, int>>{{1, 6}}));
  versus.open({1, 6}, 0);
  versus.navigationKey(1, forms::vk::Escape);
  EXPECT_FALSE(versus.isVisible());
  EXPECT_EQ(titles, 1);
}

// Online, this machine's player picks on their own row with either player's keys, the other row
// is the other player's as heard, and punch or pause says ready (a ready player's pick holds) or
// takes it back; the window tells the session each change.
TEST(VersusWindowOnline, EitherPlayersKeysPickAndReadyThisPlayersSeatOnly) {
  PictureLibrary pictures(MOJARA_PICTURE_DIR);
  std::vector<std::pair<int, bool>> told;
  int fights = 0;
  VersusWindow window(
      pictures, ShownTexts::original(), 1,
      [&](int, int) {
        ++fights;
        return true;
      },
      {});
  window.onlineChanged = [&](int slot, bool ready) { told.emplace_back(slot, ready); };
  window.open({2, 5}, std::nullopt);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), &window) << "the keys went to the address box";
  window.playOnline(1);
  window.showOther(-1, false);
  window.gameKey({0, forms::vk::Right});  // player 1's walk key, on player 2's machine
  window.gameKey({1, forms::vk::Right});
  window.showOther(4, true);
  EXPECT_EQ(window.picks(), std::make_pair(4, 7));
  window.gameKey({0, forms::vk::Space});  // the pause key: ready
  window.gameKey({1, forms::vk::Left});   // held: the pick stays
  EXPECT_EQ(window.picks(), std::make_pair(4, 7));
  window.navigationKey(0, forms::vk::Return);  // a controller's A: no longer ready
  window.gameKey({1, forms::vk::Left});
  EXPECT_EQ(told, (std::vector<std::pair<int, bool>>{{6, false}, {7, false}, {7, true}, {7, false}, {6, false}}));
  EXPECT_EQ(fights, 0) << "online, the host starts the fight";
  EXPECT_EQ(window.resultLine(), QStringLiteral("インターネットで対戦"));
  window.playOnline(0);
  window.showOther(-1, false);  // the session ended before player 2 was heard from
  window.playOnline(std::nullopt);
  window.gameKey({0, 'A'});
  EXPECT_EQ(fights, 1) << "back at one keyboard, punch starts the fight";
  EXPECT_EQ(window.picks(), std::make_pair(4, 1));
}

// What the address box joins with: the invitation whole, an address and a code apart, or an
// address alone with the code given before (mojara --code); else the strip says what is wrong
// and the box keeps the text with the keyboard in it, to be put right.
TEST(VersusWindowOnline, TheAddressBoxJoinsWithTheInvitationOrSaysWhatItLacks) {
  PictureLibrary pictures(MOJARA_PICTURE_DIR);
  VersusWindow window(pictures, ShownTexts::original(), 1, {}, {});
  window.open({0, 1}, std::nullopt);
  OnlinePanel& panel = window.panel();
  std::vector<std::string> joined;
  panel.joinAsked = [&](const std::string& address, const RoomCode& code) {
    joined.push_back(address + " " + code.text());
  };
  const auto given = RoomCode::parse("2345-6789");
  struct Case {
    const char* typed;
    std::optional<RoomCode> given;
    const char* joins;  // "ADDRESS CODE", or what the strip says instead
  };
  const Case cases[] = {
      {"192.0.2.7:4913/ABCD-EFGH", std::nullopt, "192.0.2.7:4913 ABCD-EFGH"},
      {"  [2001:db8::7]:4913 / abcd efgh ", std::nullopt, "[2001:db8::7]:4913 ABCD-EFGH"},
      {"192.0.2.7 abcdefgh", std::nullopt, "192.0.2.7 ABCD-EFGH"},
      {"example.org", given, "example.org 2345-6789"},
      {"example.org:5000/ABCD-EFGH", given, "example.org:5000 ABCD-EFGH"},
      {"example.org", std::nullopt, "ルームコードを入れてください"},
      {"example.org/", std::nullopt, "ルームコードを入れてください"},
      {"example.org/ABCD-EFG1", given, "「ABCD-EFG1」はルームコードではありません"},
      {"192.0.2.7 ABCD", std::nullopt, "「ABCD」はルームコードではありません"},
      {"/ABCD-EFGH", std::nullopt, "ホストのアドレスを入れてください"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    joined.clear();
    panel.setStatus({});
    panel.setGivenCode(c.given);
    window.setFocus();
    panel.addressBox().setText(QString::fromUtf8(c.typed));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&panel.addressBox(), &enter);
    if (std::string(c.joins).find(' ') != std::string::npos) {
      EXPECT_EQ(joined, std::vector<std::string>{c.joins});
      EXPECT_TRUE(panel.status().isEmpty()) << panel.status().join("/").toStdString();
      continue;
    }
    EXPECT_TRUE(joined.empty());
    ASSERT_EQ(panel.status().size(), 2);
    EXPECT_EQ(panel.status()[0], QString::fromUtf8(c.joins));
    EXPECT_EQ(panel.status()[1], QStringLiteral("例：192.168.1.20:4913/ABCD-EFGH"));
    EXPECT_EQ(panel.address(), QString::fromUtf8(c.typed).trimmed());
    EXPECT_EQ(window.focusWidget(), &panel.addressBox()) << "the player finishes what they typed";
  }
}

struct InEnglish : ::testing::TestWithParam<int> {};

TEST_P(InEnglish, TheKeySettingsWindowWhileItWaitsAndAfterASwap) {
  KeySettingsWindow window(GetParam(), english(), {KeyBindings::defaults(), 2, true, "en"}, {});
  expectEnglishAndFits(window, GetParam());
  window.cell(1, command::HeelDrop, true)->click();
  EXPECT_EQ(window.message(), QStringLiteral("Press a button on controller 2 for 2P Heel drop (Esc to cancel)"));
  window.padPressed(1, PadButton::A);
  EXPECT_EQ(window.message(), QStringLiteral("2P Heel drop is now on button A; Kick swapped onto button B"));
  window.cell(0, command::Kick, false)->click();
  press(Qt::Key_Escape);
  window.cell(0, command::Kick, false)->click();
  press(Qt::Key_M, QStringLiteral("m"));
  EXPECT_EQ(window.message(), QStringLiteral("M is one of the game's own keys. Press another one"));
  press(Qt::Key_Space, QStringLiteral(" "));
  EXPECT_EQ(window.message(), QStringLiteral("1P Kick is now on Space; 1P Pause swapped onto Z"));
  window.cell(1, command::Pause, false)->click();
  press(Qt::Key_PageDown, {}, Qt::KeypadModifier);
  EXPECT_EQ(window.message(), QStringLiteral("2P Pause is now on Num PgDn"));
  window.setControllers(english()("コントローラーなし"));
  expectEnglishAndFits(window, GetParam());
  if (const QString folder = qEnvironmentVariable("MOJARA_SHOTS"); !folder.isEmpty()) {
    QDir().mkpath(folder);
    window.grab().save(folder + QStringLiteral("/keys_x%1.png").arg(GetParam()));
  }
}

TEST_P(InEnglish, TheVersusWindowBeforeAndAfterAFight) {
  PictureLibrary pictures(MOJARA_PICTURE_DIR);
  VersusWindow window(pictures, english(), GetParam(), {}, {});
  window.open({2, 5}, std::nullopt);
  EXPECT_EQ(window.resultLine(), QStringLiteral("Two players"));
  expectEnglishAndFits(window, GetParam());
  window.open({2, 5}, 1);
  EXPECT_EQ(window.resultLine(), QStringLiteral("2P wins!"));
  if (const QString folder = qEnvironmentVariable("MOJARA_SHOTS"); !folder.isEmpty())
    window.grab().save(folder + QStringLiteral("/versus_x%1.png").arg(GetParam()));
}

// What the strip under the versus window says, in both languages, fits on its lines (but for
// this machine's addresses, cut short when there are many).
TEST_P(InEnglish, TheVersusWindowOnline) {
  PictureLibrary pictures(MOJARA_PICTURE_DIR);
  for (const ShownTexts* texts : {&ShownTexts::original(), &english()}) {
    VersusWindow window(pictures, *texts, GetParam(), {}, {});
    window.open({2, 5}, std::nullopt);
    window.playOnline(0);
    window.showOther(5, true);
    window.setReady(true);
    window.panel().setInSession(true);
    const QStringList lines{(*texts)("ネット対戦：ホストになるか、招待で参加"),
                            OnlinePanel::example(*texts),
                            (*texts)("「%1」はルームコードではありません").arg("ABCD-EFG1"),
                            (*texts)("ルームコードを入れてください"),
                            (*texts)("ホストのアドレスを入れてください"),
                            (*texts)("ルームコードがちがいます"),
                            (*texts)("ホストはほかの人と対戦中です"),
                            (*texts)("%1 では誰もホストしていません").arg("[2001:db8::7]:65535"),
                            (*texts)("相手の対戦が %1 秒進みませんでした").arg(5),
                            (*texts)("UDP ポート %1 で相手を待っています").arg(65535),
                            (*texts)("%1 とつながりました（%2 ms）").arg("[2001:db8::7]:65535").arg(999),
                            (*texts)("%1 に参加しています…").arg("[2001:db8::7]:65535"),
                            (*texts)("相手が対戦をやめました"),
                            (*texts)("相手からの通信が %1 秒とだえました").arg(5),
                            (*texts)("%1 秒待っても相手が来ませんでした").arg(30),
                            (*texts)("ホストから %1 秒返事がありません").arg(30),
                            (*texts)("バージョンかルールが相手とちがいます"),
                            (*texts)("対戦がずれたので、勝負なしにしました"),
                            (*texts)("対戦が長すぎるので、勝負なしにしました"),
                            (*texts)("UDP ポート %1 を使えません").arg(65535)};
    for (const QString& line : lines) EXPECT_TRUE(window.panel().fits(line)) << line.toStdString();
    // While a host waits: its code large, the widest code and the longest IPv4 invitation whole,
    // both words of the copy button, which puts the invitation on the clipboard; all gone after.
    const QString invitation = QStringLiteral("192.168.100.200:65535/WWWW-MMMM");
    window.panel().setStatus(lines.mid(9, 2));
    window.panel().showRoom(QStringLiteral("WWWW-MMMM"), invitation);
    const QLabel& code = window.panel().codeLabel();
    EXPECT_GE(code.font().pixelSize(), 2 * window.font().pixelSize()) << "read out from across the room";
    EXPECT_LE(code.fontMetrics().horizontalAdvance(code.text()), code.width());
    for (const QLabel* label : window.panel().findChildren<QLabel*>())
      EXPECT_TRUE(label->toolTip().isEmpty()) << "cut short: " << label->text().toStdString();
    const QPushButton& copy = window.panel().copyButton();
    for (int click = 0; click < 2; ++click) {
      EXPECT_LE(copy.fontMetrics().horizontalAdvance(copy.text()), copy.width()) << copy.text().toStdString();
      if (texts == &english()) expectEnglishAndFits(window, GetParam());
      QApplication::clipboard()->clear();
      window.panel().copyButton().click();
      EXPECT_EQ(QApplication::clipboard()->text(), invitation);
    }
    if (const QString folder = qEnvironmentVariable("MOJARA_SHOTS"); !folder.isEmpty())
      window.grab().save(folder + QStringLiteral("/versus_online_%1_x%2.png").arg(texts == &english() ? "en" : "ja").arg(GetParam()));
    window.panel().showRoom({}, {});
    EXPECT_FALSE(code.isVisible() || copy.isVisible());
    window.panel().setInSession(false);
    if (texts == &english()) expectEnglishAndFits(window, GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(AtScale, InEnglish, ::testing::Values(1, 2, 3),
                         [](const auto& info) { return "x" + std::to_string(info.param); });

}  // namespace
}  // namespace mojara::qt

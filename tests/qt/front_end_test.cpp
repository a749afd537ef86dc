// The windowed front end on Qt's offscreen platform: real windows, painted and driven.
#include "qt/front_end.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <set>

#include "app/fight_setup.h"
#include "fake_play_host.h"
#include "forms/virtual_clock.h"
#include "battle/battle_window.h"
#include "game/game.h"
#include "help/help_window.h"
#include "play/settings/settings.h"
#include "qt/canvas_painter.h"
#include "qt/centred.h"
#include "qt/english_texts.h"
#include "qt/form_window.h"
#include "qt/key_map.h"
#include "qt/picture_library.h"
#include "qt/qt_print.h"
#include "qt/screen_fit.h"
#include "select/select_window.h"
#include "title/title_window.h"

namespace mojara::qt {
namespace {

struct FrontEndTest : ::testing::Test {
  PictureLibrary pictures{MOJARA_PICTURE_DIR};
  FrontEnd frontEnd{pictures, {1}};
  forms::Desktop desktop{frontEnd, frontEnd};
  testing::FakePlayHost host;
  // The session's looks and notices on a clock of the test's own.
  forms::VirtualClock clock;
  PlaySession play{desktop, clock, host, Settings{}, true};
  Game& game = play.game();
  void SetUp() override {
    frontEnd.attach(desktop);
    frontEnd.setPlay(play);
    host.notices = [this] { frontEnd.noticesChanged(); };
    game.start();
    frontEnd.afterEvent();
  }
  QImage shot(const forms::Form& form) { return frontEnd.windowOf(form)->grab().toImage(); }
};

int countNear(const QImage& image, QRect area, QColor color, int tolerance) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - color.red()) <= tolerance && std::abs(c.green() - color.green()) <= tolerance &&
          std::abs(c.blue() - color.blue()) <= tolerance)
        ++n;
    }
  return n;
}

TEST_F(FrontEndTest, TheTitleWindowPaintsItsBackgroundTitleAndMakerLine) {
  const QImage image = shot(game.title);
  ASSERT_EQ(image.size(), QSize(296, 309));  // 4440 x 4635 twips at scale 1
  EXPECT_EQ(image.pixelColor(2, 2), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(2, 300), QColor(128, 128, 128));
  // The white title line (105, 105, 4215 x 540 twips) and the orange maker line below the picture.
  EXPECT_GT(countNear(image, QRect(7, 7, 281, 36), Qt::white, 10), 150);
  EXPECT_GT(countNear(image, QRect(0, 266, 288, 22), QColor(255, 128, 0), 40), 80);
  EXPECT_EQ(countNear(image, QRect(7, 7, 281, 36), QColor(255, 128, 0), 40), 0);
}

TEST_F(FrontEndTest, PicturesAreStretchedNearestNeighbourToTheirBox) {
  const QImage image = shot(game.title);
  const QImage* title = pictures.find(game.title.ctl->Image1.Picture);
  ASSERT_NE(title, nullptr);
  // The picture box is 4185 x 2880 twips at (105, 945): 279 x 192 pixels, the picture 279 x 157.
  EXPECT_EQ(image.pixelColor(7 + 10, 63 + 1), title->pixelColor(10, 0));
  EXPECT_EQ(image.pixelColor(7 + 200, 63 + 190), title->pixelColor(200, 155));
}

TEST_F(FrontEndTest, F1OpensTheHelpAndTheHelpShowsItsFirstTopic) {
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(frontEnd.windowOf(game.title), &f1);
  ASSERT_TRUE(game.help.shown());
  ASSERT_NE(frontEnd.windowOf(game.help), nullptr);
  EXPECT_EQ(frontEnd.windowOf(game.help)->windowTitle(), QStringLiteral("HELP"));
}

// The help window, open, with its first topic in the text box.
struct HelpWindowTest : FrontEndTest {
  FormWindow* helpWindow = nullptr;
  int inputs = 0;
  bool inputGoesOn = true;
  void SetUp() override {
    FrontEndTest::SetUp();
    pressKey(frontEnd.windowOf(game.title), Qt::Key_F1);
    helpWindow = frontEnd.windowOf(game.help);
    ASSERT_NE(helpWindow, nullptr);
    frontEnd.takeInput([this] {
      ++inputs;
      return inputGoesOn;
    });
  }
  QWidget* widget(const forms::Control& control) { return helpWindow->widgetOf(control); }
  static void pressKey(QWidget* to, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
  }
  static void wheel(QWidget* to) {
    const QPointF at(5, 5);
    QWheelEvent event(at, to->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(to, &event);
  }
  static void press(QWidget* to, QEvent::Type type = QEvent::MouseButtonPress) {
    const QPointF at(5, 5);
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
  }
};

TEST_F(HelpWindowTest, EveryInputOnTheHelpsWidgetsCountsAsThePlayers) {
  // Input a widget passes on to its window may be counted twice; counted it must be.
  const auto counts = [this](auto&& input) {
    const int before = inputs;
    input();
    return inputs > before;
  };
  auto* text = static_cast<QPlainTextEdit*>(widget(game.help.ctl->Text1));
  auto* list = static_cast<QComboBox*>(widget(game.help.ctl->Combo1));
  EXPECT_TRUE(counts([&] { wheel(text->viewport()); })) << "a wheel turn over the text";
  EXPECT_TRUE(counts([&] { pressKey(text, Qt::Key_PageDown); })) << "a key in the text box";
  EXPECT_TRUE(counts([&] { press(list); })) << "a press on the topic list";
  EXPECT_TRUE(counts([&] { list->activated(2); })) << "a topic chosen in the list's pop-up";
  EXPECT_EQ(game.help.ctl->Combo1.Text, "操作方法");
  EXPECT_TRUE(counts([&] { press(widget(game.help.ctl->Command1)); })) << "a press on the close button";
}

TEST_F(HelpWindowTest, InputThatEndsADemoGoesNoFurther) {
  inputGoesOn = false;
  static_cast<QComboBox*>(widget(game.help.ctl->Combo1))->activated(2);
  EXPECT_EQ(game.help.ctl->Combo1.Text, "");
  auto* button = static_cast<QPushButton*>(widget(game.help.ctl->Command1));
  press(button);
  press(button, QEvent::MouseButtonRelease);
  EXPECT_TRUE(game.help.shown()) << "the press ended the demo and still clicked the button";
}

TEST_F(HelpWindowTest, F1OnTheTitleBringsTheOpenHelpToTheFront) {
  FormWindow* title = frontEnd.windowOf(game.title);
  title->activateWindow();
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), title);
  pressKey(title, Qt::Key_F1);
  QCoreApplication::processEvents();
  EXPECT_EQ(frontEnd.windowOf(game.help), helpWindow) << "a second help window";
  EXPECT_EQ(QApplication::activeWindow(), helpWindow);
  EXPECT_EQ(desktop.foreground(), &game.help);
}

TEST_F(HelpWindowTest, TabNeverTakesTheKeyboardIntoTheHiddenDocumentStore) {
  QWidget* store = widget(game.help.ctl->bun);
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(store->focusPolicy(), Qt::NoFocus);
  helpWindow->activateWindow();
  QCoreApplication::processEvents();
  widget(game.help.ctl->Combo1)->setFocus();
  std::set<QWidget*> reached;
  for (int i = 0; i < 8; ++i) {
    pressKey(QApplication::focusWidget(), Qt::Key_Tab);
    reached.insert(QApplication::focusWidget());
  }
  EXPECT_FALSE(reached.contains(store));
  EXPECT_TRUE(reached.contains(widget(game.help.ctl->Text1))) << "Tab stops in the text box";
  EXPECT_TRUE(reached.contains(widget(game.help.ctl->Command1))) << "Tab leaves the text box again";
  EXPECT_TRUE(reached.contains(widget(game.help.ctl->Combo1)));
}

TEST_F(HelpWindowTest, AControlMovedIntoTheWindowOrHiddenGainsOrLosesTheKeyboard) {
  game.help.ctl->bun.Top = 0;
  frontEnd.afterEvent();
  EXPECT_NE(widget(game.help.ctl->bun)->focusPolicy(), Qt::NoFocus);
  game.help.ctl->Command1.Visible = false;
  frontEnd.afterEvent();
  EXPECT_EQ(widget(game.help.ctl->Command1)->focusPolicy(), Qt::NoFocus);
}

TEST_F(FrontEndTest, ClosingTheHelpOnlyClosesItButClosingTheTitleEndsTheProgram) {
  desktop.show(game.help);
  frontEnd.afterEvent();
  QCloseEvent closeHelp;
  QApplication::sendEvent(frontEnd.windowOf(game.help), &closeHelp);
  EXPECT_FALSE(game.help.loaded());
  EXPECT_FALSE(desktop.ended());
  QCloseEvent closeTitle;
  QApplication::sendEvent(frontEnd.windowOf(game.title), &closeTitle);
  EXPECT_TRUE(desktop.ended());
}

TEST_F(FrontEndTest, TheSoundKeysSetTheirLevelsAndNeverReachTheFight) {
  game.startFight(FightSetup{});
  frontEnd.afterEvent();
  ASSERT_TRUE(game.battle.loaded());
  game.M.PRESSED = 0;
  const auto press = [&](Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(frontEnd.windowOf(game.battle), &event);
  };
  press(Qt::Key_Semicolon);  // the effects down
  press(Qt::Key_BracketLeft);  // the music down two, up one
  press(Qt::Key_BracketLeft);
  press(Qt::Key_BracketRight);
  press(Qt::Key_M);
  ASSERT_FALSE(host.levels.empty());
  EXPECT_EQ(host.levels.back(), (SoundLevels{7, 7, true}));
  EXPECT_EQ(host.kept.back().music, 7);
  EXPECT_TRUE(host.kept.back().muted);
  EXPECT_EQ(game.M.PRESSED, 0) << "a sound key reached the battle's key handler";
}

TEST_F(FrontEndTest, RemappedKeysReachTheBattleAsItsOwnKeysForTheirPlayer) {
  Settings remapped;
  remapped.bindings.bindKey(0, command::Punch, 'G');
  remapped.bindings.bindKey(1, command::WalkLeft, forms::vk::Down);
  play.change(remapped);
  const auto press = [&](Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(frontEnd.windowOf(game.battle), &event);
  };
  for (const bool versus : {false, true}) {
    SCOPED_TRACE(versus ? "versus" : "against the computer");
    if (versus)
      ASSERT_TRUE(play.versusFight(0, 1));
    else
      game.startFight(FightSetup{});
    frontEnd.afterEvent();
    Form2& battle = game.battle;
    // The opening, at once: its 50 events by the rules; the window shows them at its next event.
    for (int i = 0; i < 50; ++i) battle::tick(battle.fight(), battle.rules());
    ASSERT_EQ(battle.fight().phase, battle::Phase::Live);
    press(Qt::Key_G);
    EXPECT_EQ(battle.fight().KEYCMD, command::Punch);
    battle.fight().KEYCMD = 0;
    press(Qt::Key_A);  // the battle's punch key, moved away: a key press that commands nothing
    EXPECT_EQ(battle.fight().KEYCMD, 0);
    // Player 2's walk, only in a versus fight: against the computer, the plain down arrow.
    press(Qt::Key_Down);
    EXPECT_EQ(battle.fight().KEYCMD2, versus ? command::WalkLeft : 0);
    EXPECT_EQ(battle.fight().KEYCMD, 0);
    game.unload(Window::Battle);
  }
}

TEST_F(FrontEndTest, FullScreenPaintsOnlyTheClientAreaAndComesBackWhereItWas) {
  game.startFight(FightSetup{});
  frontEnd.afterEvent();
  FormWindow& battle = *frontEnd.windowOf(game.battle);
  battle.move(123, 77);
  const QRect before = battle.geometry();
  frontEnd.toggleFullScreen();
  QApplication::processEvents();
  const QImage image = battle.grab().toImage();
  const QSize client = battle.formSize();
  const QPoint corner((image.width() - client.width()) / 2, (image.height() - client.height()) / 2);
  ASSERT_GT(corner.x(), 2) << "the screen should be wider than the battle";
  // The floor strip (7680 twips) is wider than the battle's client area (7635): beside the
  // client area, on the floor's rows, the border stays black.
  const int floorRow = corner.y() + client.height() - 2;
  EXPECT_NE(image.pixelColor(corner.x() + client.width() - 1, floorRow), QColor(Qt::black));
  for (int x = corner.x() + client.width(); x < corner.x() + client.width() + 3; ++x)
    EXPECT_EQ(image.pixelColor(x, floorRow), QColor(Qt::black)) << "painted past the client area at x " << x;
  frontEnd.toggleFullScreen();
  QApplication::processEvents();
  EXPECT_EQ(battle.geometry(), before) << "back where it was";
}

TEST_F(FrontEndTest, ANoticeLiesOverTheFrontWindowOnlyUntilItsTimeIsUp) {
  const QImage plain = shot(game.title);
  const QRect bottom(0, plain.height() - 40, plain.width(), 40);
  frontEnd.showNotice("おと 5", std::chrono::milliseconds(300), "sound");
  frontEnd.showNotice("おと 6", std::chrono::milliseconds(300), "sound");  // takes the place of the first
  EXPECT_EQ(frontEnd.noticesOver(*frontEnd.windowOf(game.title)), QStringList{QStringLiteral("おと 6")});
  const QImage noticed = shot(game.title);
  EXPECT_GT(countNear(noticed, bottom, Qt::black, 60), 500) << "no dark box along the bottom";
  EXPECT_GT(countNear(noticed, bottom, Qt::white, 60), 20) << "no text in the box";
  EXPECT_EQ(noticed.copy(0, 0, plain.width(), plain.height() - 40), plain.copy(0, 0, plain.width(), plain.height() - 40))
      << "the notice reached above the window's bottom";
  // The help window comes to the front: the notice goes with the keyboard.
  game.show(Window::Help);
  frontEnd.afterEvent();
  EXPECT_TRUE(frontEnd.noticesOver(*frontEnd.windowOf(game.title)).isEmpty());
  EXPECT_FALSE(frontEnd.noticesOver(*frontEnd.windowOf(game.help)).isEmpty());
  // Its time up (on the session's clock), it is gone.
  clock.set(clock.now() + 300'000'000);
  QElapsedTimer waited;
  waited.start();
  while (!frontEnd.noticesOver(*frontEnd.windowOf(game.help)).isEmpty() && waited.elapsed() < 3000)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(frontEnd.noticesOver(*frontEnd.windowOf(game.help)).isEmpty());
  EXPECT_LT(waited.elapsed(), 1500);
}

TEST_F(FrontEndTest, TheSoundKeysNoticeShowsTheLevelsOrMutedInThePlayersLanguage) {
  struct Case {
    bool english, muted;
    const char* shown;
  };
  for (const Case& c : {Case{false, false, "音楽 5/8・効果音 0/8"}, Case{false, true, "消音中（音楽 5/8・効果音 0/8）"},
                        Case{true, false, "Music 5/8 · Effects 0/8"},
                        Case{true, true, "Muted (music 5/8, effects 0/8)"}}) {
    frontEnd.setTexts(c.english ? english() : ShownTexts());
    frontEnd.showNotice(soundLevelsNotice(5, 0, c.muted, 8), std::chrono::milliseconds(300), "sound");
    EXPECT_EQ(frontEnd.noticesOver(*frontEnd.windowOf(game.title)), QStringList{QString::fromUtf8(c.shown)});
  }
}

TEST_F(FrontEndTest, TheDemoFightIsMarkedWhileItPlaysAndTheMarkGoesWithIt) {
  game.unload(Window::Title);
  PlaySession::Start start;
  start.clockSeed = 7;
  play.start(start);
  for (const bool inEnglish : {false, true}) {
    frontEnd.setTexts(inEnglish ? english() : ShownTexts());
    play.look();
    ASSERT_FALSE(play.attractRunning());
    clock.set(clock.now() + AttractMode::kIdleTime + 1);
    play.look();
    ASSERT_TRUE(play.attractRunning());
    frontEnd.afterEvent();
    const FormWindow& battle = *frontEnd.windowOf(game.battle);
    EXPECT_EQ(frontEnd.marksOver(battle),
              QStringList{inEnglish ? QStringLiteral("DEMO · Press any key") : QStringLiteral("デモ　なにかキーを押すとタイトルへ")});
    // Any key ends it: the title is back, without the mark.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier);
    QApplication::sendEvent(frontEnd.windowOf(game.battle), &key);
    EXPECT_FALSE(play.attractRunning());
    ASSERT_TRUE(game.title.shown());
    EXPECT_TRUE(frontEnd.marksOver(*frontEnd.windowOf(game.title)).isEmpty());
  }
}

TEST_F(FrontEndTest, EveryWindowFitsTheScreenAtTheLargestScaleItHasRoomFor) {
  struct Case {
    QRect area;  // the screen's room for windows
    int largest;
  };
  // A 1080-line screen has no room for the select window at scale 3 (1212 pixels high).
  for (const Case& c : {Case{{0, 0, 800, 600}, 1}, Case{{0, 0, 1920, 1080}, 2}, Case{{0, 32, 1920, 1048}, 2},
                        Case{{0, 0, 2560, 1440}, 3}})
    for (const ShownTexts* texts : {&ShownTexts::original(), &english()}) {
      SCOPED_TRACE(std::to_string(c.area.width()) + "x" + std::to_string(c.area.height()));
      const int largest = largestScaleThatFits(
          [&](int scale) { return everyWindowFits(scale, game, *texts, c.area); }, Settings::kMaxScale);
      EXPECT_EQ(largest, c.largest);
      for (QSize size : windowSizesAt(largest, game, *texts))  // placed wholly inside, frame and all
        EXPECT_TRUE(c.area.contains(QRect(centredIn(size, c.area), size.grownBy(kFrameAllowance))))
            << size.width() << "x" << size.height();
    }
}

TEST_F(FrontEndTest, AWindowLargerThanTheScreenOpensWithItsTitleBarOnIt) {
  // Qt's offscreen screen is 800 x 800: the title at scale 3 (888 x 927) is larger than that.
  game.unload(Window::Title);
  frontEnd.setScale({3});
  game.show(Window::Title);
  EXPECT_EQ(frontEnd.windowOf(game.title)->frameGeometry().topLeft(), workArea().topLeft());
  EXPECT_EQ(game.title.Left, 0.0f) << "the form knows where it is";
  EXPECT_EQ(game.title.Top, 0.0f);
}

TEST_F(FrontEndTest, TheKeyboardIsWhereTheDesktopHasItAndEnterPressesItsButton) {
  FormWindow* title = frontEnd.windowOf(game.title);
  title->activateWindow();
  QCoreApplication::processEvents();
  QWidget* play = title->widgetOf(game.title.ctl->Command1);
  QWidget* hint = title->widgetOf(game.title.ctl->Command2);
  EXPECT_EQ(QApplication::focusWidget(), play) << "the keyboard starts on the top button";
  // A click on the other button takes the keyboard there, for the desktop too.
  hint->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(desktop.focus(game.title), &game.title.ctl->Command2);
  // Shift+Tab back up; Enter on it starts a game.
  QKeyEvent backTab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
  QApplication::sendEvent(QApplication::focusWidget(), &backTab);
  EXPECT_EQ(QApplication::focusWidget(), play);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(play, &enter);
  EXPECT_TRUE(game.select.shown());
}

TEST_F(FrontEndTest, TheGameOverMessageClosedByAControllerLeavesTheScreen) {
  frontEnd.setScale({3});
  desktop.msgBox("Ｇａｍｅ　Ｏｖｅｒ！！", "モジャラ大戦", {});
  const auto boxes = [] {
    std::vector<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->inherits("QMessageBox") && w->isVisible()) shown.push_back(w);
    return shown;
  };
  ASSERT_EQ(boxes().size(), 1u);
  const QFont font = boxes()[0]->font();
  EXPECT_EQ(font, fontFor(forms::FontSpec{}, {3})) << "the game's font at the windows' scale, not the desktop's";
  EXPECT_TRUE(play.navigation().padPressed(game.title, PadButton::A));
  EXPECT_FALSE(desktop.messageBoxOpen());
  EXPECT_TRUE(boxes().empty());
}

TEST(KeyMap, QtKeysBecomeTheGamesVirtualKeyCodes) {
  EXPECT_EQ(virtualKeyOf(Qt::Key_Left), 37);
  EXPECT_EQ(virtualKeyOf(Qt::Key_Down), 40);
  EXPECT_EQ(virtualKeyOf(Qt::Key_Space), 32);
  EXPECT_EQ(virtualKeyOf(Qt::Key_A), 65);
  EXPECT_EQ(virtualKeyOf(Qt::Key_W), 87);
  EXPECT_EQ(virtualKeyOf(Qt::Key_F1), 112);
  EXPECT_EQ(virtualKeyOf(Qt::Key_unknown), 0);
  // The number pad's keys are keys of their own, with Num Lock on or off.
  const auto keypad = [](int key) { return virtualKeyOf(QKeyEvent(QEvent::KeyPress, key, Qt::KeypadModifier)); };
  EXPECT_EQ(keypad(Qt::Key_4), 100);
  EXPECT_EQ(keypad(Qt::Key_Left), 0x100 + 37);
  EXPECT_EQ(keypad(Qt::Key_Clear), 0x100 + 12);
  EXPECT_EQ(keypad(Qt::Key_Enter), 0x100 + 13);
  EXPECT_EQ(keypad(Qt::Key_Plus), 107);
  EXPECT_EQ(keypad(Qt::Key_Minus), 109) << "not the sound keys' minus";
  EXPECT_EQ(virtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier)), 37);
  EXPECT_EQ(virtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier)), 13);
}

TEST(Pictures, AMissingPictureFolderIsAClearError) {
  try {
    PictureLibrary missing("/nonexistent/pictures");
    FAIL() << "no error";
  } catch (const MissingPicture& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/pictures/sprites.png"), std::string::npos);
  }
}

}  // namespace
}  // namespace mojara::qt

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

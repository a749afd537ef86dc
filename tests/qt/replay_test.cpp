// A fight recorded through the windowed front end (on the offscreen platform, in real time) is
// played again by the headless runner with the same result.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <filesystem>
#include <fstream>

#include "battle/battle_window.h"
#include "game/game.h"
#include "play/replays/replay_session.h"
#include "qt/form_window.h"
#include "qt/front_end.h"
#include "qt/picture_library.h"
#include "qt/qt_print.h"
#include "fake_play_host.h"
#include "play/session/play_session.h"
#include "screens/continue_window.h"
#include "select/select_window.h"
#include "sim/fight_run.h"

namespace mojara::qt {
namespace {

TEST(Replay, AFightRecordedInTheWindowPlaysAgainHeadlessWithTheSameEnd) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("mojara-replay-" + std::to_string(getpid()) + ".txt"))
          .string();
  std::filesystem::remove(path);
  PictureLibrary pictures(MOJARA_PICTURE_DIR);
  FrontEnd frontEnd(pictures, {1});
  forms::Desktop desktop(frontEnd, frontEnd, 1'000'000);  // every interval taken literally: fast
  frontEnd.attach(desktop);
  testing::FakePlayHost host;
  PlaySession play(desktop, frontEnd, host, Settings{}, true);
  frontEnd.setPlay(play);
  Game& game = play.game();
  std::string warning;
  play.record(path, [&](const std::string& why) { warning = why; });
  FightSetup practice;
  practice.opponent = 7;
  game.startFight(practice);
  frontEnd.afterEvent();

  // Walk in and punch, with a pause and a resume on the way, as a player would.
  const Qt::Key keys[] = {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_A, Qt::Key_Space,
                          Qt::Key_Z,     Qt::Key_Space, Qt::Key_A,     Qt::Key_S, Qt::Key_A};
  QElapsedTimer clock;
  clock.start();
  int pressed = 0;
  while (clock.elapsed() < 30000 && !game.select.shown() && !game.continueScreen.shown()) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    if (game.battle.loaded() && game.battle.timerEvents() > 50 && clock.elapsed() / 40 > pressed) {
      QKeyEvent press(QEvent::KeyPress, keys[pressed % 10], Qt::NoModifier);
      QApplication::sendEvent(frontEnd.windowOf(game.battle), &press);
      ++pressed;
    }
  }
  ASSERT_TRUE(game.select.shown() || game.continueScreen.shown()) << "the fight did not end in time";

  EXPECT_EQ(warning, "");
  sim::FightRun run = sim::readFightArguments({"--replay", path});
  run.programFolder = MOJARA_BIN_DIR;
  const sim::FightOutcome replayed = sim::runFight(run, nullptr);
  EXPECT_EQ(replayed.end, game.select.shown() ? "Form5" : "Form6");
  EXPECT_EQ(replayed.events, game.battle.timerEvents());
  EXPECT_EQ(replayed.SCORE[1], game.M.SCORE[1]);
  if (game.select.shown()) {
    EXPECT_EQ(replayed.SCORE[0], game.M.SCORE[0]);  // (the continue window would have cleared it)
  }
  EXPECT_GT(run.recorded.keys.size(), 5u);
}

}  // namespace
}  // namespace mojara::qt

#include <gtest/gtest.h>

#include "game_fixture.h"
#include "help/help_window.h"
#include "play/session/attract_mode.h"

namespace mojara::testing {
namespace {

struct AttractTest : GameTest {
  AttractMode attract{game, 7};
  // Runs the clock with the attract mode looking every tenth of a second.
  void idle(double millis) {
    for (double t = 0; t < millis; t += 100) {
      run(100);
      attract.look(v.clock.now());
    }
  }
};

TEST_F(AttractTest, ThirtySecondsOfIdleTitleStartADemoFightAndAKeyBringsTheTitleBackAsItWas) {
  game.start();
  M.SCORE[0] = 1234;  // whatever the state was before the demo
  M.SPEED = 9;
  M.STAGE = 3;
  const Module1 before = M;
  idle(29000);
  EXPECT_TRUE(game.title.shown());
  attract.input(v.clock.now());  // a key: the idle time starts again
  idle(29900);
  EXPECT_TRUE(game.title.shown());
  idle(300);
  ASSERT_TRUE(game.battle.shown());
  EXPECT_TRUE(attract.running());
  EXPECT_EQ(game.battle.fight().INPUTON, 0);  // both sides drawn at random
  idle(5000);
  EXPECT_FALSE(attract.input(v.clock.now()));  // the key ends the demo and goes no further
  EXPECT_TRUE(game.title.shown());
  EXPECT_FALSE(game.battle.loaded());
  EXPECT_EQ(M, before);
  EXPECT_FALSE(game.demoPlay());
}

TEST_F(AttractTest, ADemoFightThatEndsByItselfReturnsToTheTitleWithTheStateRestored) {
  game.start();
  const Module1 before = M;
  idle(30100);
  ASSERT_TRUE(attract.running());
  for (int i = 0; i < 3000 && attract.running(); ++i) idle(100);
  EXPECT_FALSE(attract.running());
  EXPECT_TRUE(game.title.shown());
  EXPECT_FALSE(game.select.loaded());
  EXPECT_FALSE(game.continueScreen.loaded());
  EXPECT_EQ(M, before);
}

TEST_F(AttractTest, NoDemoStartsWhileTheHelpIsOpenAndTheIdleTimeCountsFromItsClosing) {
  game.start();
  v.desktop.keyDown(game.title, forms::vk::F1);
  ASSERT_TRUE(game.help.shown());
  idle(40000);
  EXPECT_FALSE(attract.running());
  EXPECT_TRUE(game.title.shown());
  EXPECT_TRUE(game.help.shown());
  v.desktop.closeRequest(game.help);  // the title-bar close button: no input the front end sees
  ASSERT_FALSE(game.help.loaded());
  idle(29500);
  EXPECT_FALSE(attract.running()) << "the time the help was open counted as idle";
  idle(600);
  EXPECT_TRUE(attract.running());
}

TEST_F(AttractTest, NoDemoStartsAwayFromTheTitle) {
  game.start();
  v.desktop.click(game.title.ctl->Command1);
  idle(40000);
  EXPECT_FALSE(attract.running());
  EXPECT_TRUE(game.select.shown());
}

}  // namespace
}  // namespace mojara::testing

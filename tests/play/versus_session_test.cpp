// Versus fights from the title and back: no campaign, no continue, nothing carried.
#include "play/session/versus_session.h"

#include <gtest/gtest.h>

#include "game_fixture.h"

namespace mojara::testing {
namespace {

struct VersusSessionTest : GameTest {
  VersusSession versus{game};
  // Runs until the fight has ended and its window closed; false if it had not in 10 minutes.
  bool fightEnds() {
    for (int t = 0; t < 600000; t += 50) {
      run(50);
      if (versus.look()) return true;
    }
    return false;
  }
};

TEST_F(VersusSessionTest, FightsFollowOneAnotherWithNothingCarriedAndTheTitleComesBackAsItWas) {
  game.start();
  run(100);
  M.SCORE[0] = 1234;  // what the game held before the players met
  const Module1 before = M;
  versus.fight(3, 5);
  EXPECT_FALSE(game.title.loaded());
  ASSERT_TRUE(game.battle.loaded());
  EXPECT_EQ(game.battle.fight().INPUTON2, 1);
  EXPECT_EQ(M.SCORE[0], 0);
  ASSERT_TRUE(fightEnds());
  ASSERT_TRUE(versus.winner());
  EXPECT_FALSE(versus.look()) << "told once";
  EXPECT_FALSE(game.battle.loaded());
  // No select window, no continue window: the players choose what follows.
  EXPECT_FALSE(select.loaded());
  EXPECT_FALSE(game.continueScreen.loaded());
  ASSERT_EQ(handOvers.seen.size(), 1u);
  EXPECT_EQ(*versus.winner(), handOvers.seen[0].first == Window::Select ? 0 : 1);

  // The next fight starts afresh: no points, no power carried over.
  versus.fight(0, 0);
  EXPECT_EQ(M.SCORE[0], 0);
  EXPECT_EQ(M.SCORE[1], 0);
  EXPECT_EQ(M.POW[0], 0);
  EXPECT_EQ(versus.fighters(), std::make_pair(0, 0));
  // Leaving mid-fight goes back to the title with the game as it was.
  versus.toTitle();
  EXPECT_FALSE(game.battle.loaded());
  EXPECT_TRUE(game.title.shown());
  EXPECT_EQ(M.SCORE[0], before.SCORE[0]);
  EXPECT_FALSE(versus.active());
}

// The players have the versus window open (F3) when "Ｐｌａｙ　Ｇａｍｅ" is clicked on the title; they
// then pick their fighters and start a versus fight, and play on.
TEST_F(VersusSessionTest, AGameStartedBesideTheVersusWindowNeverSharesAFightWithIt) {
  std::vector<std::string> notices;
  versus.takenOver = [&](const std::string& notice) { notices.push_back(notice); };
  game.start();
  run(100);
  versus.opened();
  v.desktop.click(game.title.ctl->Command1);
  run(60);
  ASSERT_TRUE(select.shown());
  EXPECT_FALSE(versus.open()) << "the game took over: the versus window closes";
  EXPECT_EQ(notices.size(), 1u) << "and the players are told why";
  EXPECT_TRUE(versus.refusal());
  EXPECT_FALSE(versus.fight(3, 5));
  if (game.battle.loaded()) v.desktop.keyDown(game.battle, 'A');
  for (int t = 0; t < 3000; t += 50) {
    run(50);
    if (!versus.fighting()) continue;
    ASSERT_TRUE(game.currentFight() && game.currentFight()->versus) << "a game's fight in the versus session";
    ASSERT_FALSE(select.loaded()) << "the game's select window beside a versus fight";
    ASSERT_EQ(M.CHARA[1], 5) << "player 2's fighter changed mid-fight";
  }
  // The game goes on as if the players had never met: a pick starts its fight.
  EXPECT_FALSE(game.battle.loaded());
  hover(2);
  press(2, forms::mouse::Left);
  ASSERT_TRUE(game.battle.loaded());
  EXPECT_FALSE(game.currentFight()->versus);
}

}  // namespace
}  // namespace mojara::testing

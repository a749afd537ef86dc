#include "game_fixture.h"

namespace mojara::testing {
namespace {

TEST_F(GameTest, ALeftClickOnAHoveredPortraitStartsTheFightWithThatFighter) {
  game.start();
  v.desktop.click(game.title.ctl->Command1);
  EXPECT_FALSE(select.ctl->Picture1.Visible);
  run(60);
  EXPECT_TRUE(select.ctl->Picture1.Visible);
  EXPECT_EQ(select.ctl->Picture1.Left, 315);  // slid back to where it started
  EXPECT_EQ(select.ctl->Label2.Caption, "ばとるすぴーど（速い～遅い）：5");
  // A click before the mouse has been over a portrait hits no click target.
  press(2, forms::mouse::Left);
  EXPECT_TRUE(select.shown());
  hover(6);
  EXPECT_TRUE(select.ctl->casol.Visible);
  EXPECT_EQ(select.ctl->casol.Left, 4410);
  press(6, forms::mouse::Right);  // a right click picks the slot but selects nothing
  EXPECT_TRUE(select.shown());
  EXPECT_EQ(M.PRESSED, 2);
  hover(2);
  EXPECT_EQ(select.ctl->casol.Left, 1470);  // the target still follows the mouse
  v.desktop.change(select.ctl->Scr, 12);
  EXPECT_EQ(select.ctl->Label2.Caption, "ばとるすぴーど（速い～遅い）：12");
  press(2, forms::mouse::Left);
  ASSERT_TRUE(game.battle.shown());
  EXPECT_EQ(M.PICKSLOT, 2);
  EXPECT_EQ(M.CHARA[0], 2);
  EXPECT_EQ(M.PNAME[0], "タマ");
  EXPECT_EQ(M.FACING[0], 0);
  EXPECT_EQ(M.FACING[1], 1);
  EXPECT_EQ(M.BEATEN[M.CHARA[1]], 1);
  EXPECT_EQ(M.SPEED, 12);
  EXPECT_EQ(game.battle.ctl->Timer1.Interval(), 12);
}

TEST_F(GameTest, AClickDiscardsAThousandDrawsBeforeTheOpponentIsDrawn) {
  // The generator as the fight starts, before the battle window's load reseeds it.
  struct Draws : FightObserver {
    explicit Draws(const Game& game) : game(game) {}
    void fightStarting(const FightSetup&) override { state = game.rnd.state(); }
    const Game& game;
    std::uint64_t state = 0;
  } draws{game};
  game.addObserver(draws);
  startGameWith(4);
  ASSERT_TRUE(game.battle.shown());
  // The select window's load reseeded from the clock; then 1000 discards and one accepted draw.
  constexpr std::uint64_t kStep = 0x9E3779B97F4A7C15ull;
  EXPECT_EQ(draws.state, v.host.seed + 1001 * kStep);
  ProgramRandom expected;
  expected.reseed(v.host.seed);
  for (int i = 0; i < 1000; ++i) expected.next();
  EXPECT_EQ(M.CHARA[1], static_cast<std::int32_t>(expected.next() * 8));
  game.removeObserver(draws);
}

TEST_F(GameTest, AfterAWonFightTheNextOpponentIsDrawnByItselfTwoSecondsAfterTheStrip) {
  startGameWith(1);
  ASSERT_TRUE(game.battle.shown());
  const std::int32_t first = M.CHARA[1];
  finishFight(true);  // the battle window hands over to the select window
  ASSERT_TRUE(select.shown());
  EXPECT_EQ(M.STAGE, 1);
  EXPECT_EQ(select.ctl->KYARA[first].Picture.index, first * 28 + 11);  // lying on the ground
  hover(4);
  EXPECT_FALSE(select.ctl->casol.Visible);  // the mouse does nothing now
  run(60 + 1900);
  EXPECT_TRUE(select.shown());
  for (int i = 0; i < 200 && select.shown(); ++i) run(100);
  ASSERT_TRUE(game.battle.shown());
  EXPECT_GE(select.WAITTICKS, 20);
  EXPECT_EQ(M.CHARA[0], 1);
  EXPECT_NE(M.CHARA[1], first);  // a beaten opponent is never drawn again
}

TEST_F(GameTest, BeatenOpponentsAreNeverDrawnAgainInTheSameGame) {
  startGameWith(0);
  std::set<std::int32_t> met = {M.CHARA[1]};
  for (int fight = 1; fight < 8; ++fight) {
    finishFight(true);
    EXPECT_EQ(M.STAGE, fight);
    for (int i = 0; i < 400 && !game.battle.shown(); ++i) run(100);
    ASSERT_TRUE(game.battle.shown());
    EXPECT_TRUE(met.insert(M.CHARA[1]).second) << "met " << M.CHARA[1] << " twice";
  }
  EXPECT_EQ(met.size(), 8u);
  // The eighth win opens the ending instead of another draw.
  finishFight(true);
  EXPECT_EQ(M.STAGE, 8);
  EXPECT_TRUE(runUntilShown(game.ending, 1000));
}

TEST_F(GameTest, WithEightWinsTheStripNeverShowsAndTheEndingOpens) {
  game.start();
  M.STAGE = 8;
  v.desktop.unload(game.title);
  v.desktop.show(select);
  run(60);  // the first tick of its 10 ms timer
  EXPECT_FALSE(select.loaded());
  EXPECT_TRUE(game.ending.shown());
}

TEST_F(GameTest, ALostFightAndAContinueLetThePlayerPickAgainAndMeetTheWinnerAgain) {
  startGameWith(3);
  const std::int32_t winner = M.CHARA[1];
  battle::FightState& fight = game.battle.fight();
  fight.POW[0] = 70, fight.POW[1] = 55;
  fight.SCORE[0] = 1200;
  // The player loses: the closing clears the winner's flag and opens the continue window.
  finishFight(false);
  ASSERT_TRUE(game.continueScreen.shown());
  const Module1& atHandOver = handOvers.seen.back().second;
  EXPECT_EQ(atHandOver.BEATEN[winner], 0);
  EXPECT_EQ(M.BEATEN[winner], 0);
  EXPECT_EQ(atHandOver.SCORE[0], 1200);
  EXPECT_EQ(M.SCORE[0], 0);  // the continue window takes the player's points and power
  EXPECT_EQ(M.POW[0], 0);
  EXPECT_EQ(M.POW[1], atHandOver.POW[1]);  // the computer keeps its power and points
  EXPECT_EQ(M.SCORE[1], atHandOver.SCORE[1]);
  EXPECT_GT(M.SCORE[1], 0);  // with its winner's bonus
  v.desktop.click(game.continueScreen.ctl->Command1);
  ASSERT_TRUE(select.shown());
  run(60);
  hover(5);
  EXPECT_TRUE(select.ctl->casol.Visible);  // a new choice of fighter
  press(5, forms::mouse::Left);
  EXPECT_EQ(M.CHARA[0], 5);
}

TEST_F(GameTest, ANewGameAfterAGameOverStartsWithNoPointsNoPowerAndSpeedFive) {
  startGameWith(0);
  M.SPEED = 3;  // the player had chosen another speed
  game.battle.fight().POW[1] = 80;
  finishFight(false);
  ASSERT_TRUE(game.continueScreen.shown());
  EXPECT_GT(M.SCORE[1], 0);
  run(11000);  // the count runs out
  ASSERT_TRUE(v.desktop.messageBoxOpen());
  v.desktop.closeMessageBox();
  ASSERT_TRUE(game.title.shown());
  EXPECT_EQ(M.SPEED, 5);
  EXPECT_EQ(M.SCORE[1] + M.POW[1] + M.SCORE[0] + M.POW[0], 0);
}

}  // namespace
}  // namespace mojara::testing

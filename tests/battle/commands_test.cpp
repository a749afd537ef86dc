// The player's keys, the pause and the command step.
#include <gtest/gtest.h>

#include "battle_fixture.h"

namespace mojara::testing {
namespace {

struct CommandTest : BattleTest {
  void SetUp() override { load(); }
  // One command step for side 0 with the given pending command.
  void command(std::int32_t code) {
    battle.KEYCMD = code;
    M.IX = 0;
    battle.CPU();
  }
};

TEST_F(CommandTest, TheLoadPreparesTheFight) {
  EXPECT_EQ(M.IX, 2);
  EXPECT_EQ(M.XPOS[0], 2415);
  EXPECT_EQ(M.XPOS[1], 4305);
  EXPECT_EQ(M.YPOS[1], 3885);
  EXPECT_EQ(M.FACING[1], 1);
  EXPECT_EQ(M.ACTION[0], 50000);
  EXPECT_EQ(battle.CLOCK, 9900);
  EXPECT_EQ(c().LIFEMATA[0].Width, 3165);
  EXPECT_EQ(c().WAKUN[1].Caption, "2Ｐ大顔面\r\n0Ｐ");
  EXPECT_EQ(c().ZIKAN.Caption, "ＴＩＭＥ９９");
  EXPECT_EQ(c().Label3.Caption, "");
  EXPECT_EQ(c().GAZOU[1].Picture.index, 3 * 28 + 14);
  EXPECT_EQ(c().Timer1.Interval(), 5);
  EXPECT_TRUE(game.store.loaded());
}

TEST_F(CommandTest, OnlyTheLastKeyBeforeATickCounts) {
  openingDone();
  key('A');
  key('Z');
  events(1);
  EXPECT_EQ(battle.MOVEDMG[0], 3);  // the kick started, the punch is lost
  EXPECT_EQ(M.ACTION[0] / 100, 460);
  EXPECT_EQ(battle.KEYCMD, 0);
  key(forms::vk::Down);  // no command, but a key all the same
  EXPECT_EQ(battle.KEYCMD, 0);
  EXPECT_EQ(M.PRESSED, 1);
}

TEST_F(CommandTest, SpaceDoesNothingDuringTheOpeningAndPausesTheFightAfterIt) {
  events(5);
  key(forms::vk::Space);
  EXPECT_EQ(host.beeps, 0);
  EXPECT_TRUE(c().Timer3.Enabled());
  events(45);
  EXPECT_EQ(host.beeps, 2);  // "ＲＥＡＤＹ？" and the start
  key(forms::vk::Space);
  EXPECT_EQ(host.beeps, 3);
  EXPECT_FALSE(c().Timer1.Enabled());
  EXPECT_TRUE(c().Label2.Visible);
  EXPECT_EQ(c().Label2.Caption, "待った！！");
  EXPECT_FALSE(desktop.nextDue());
  key('A');  // dropped while paused
  EXPECT_EQ(battle.KEYCMD, 0);
  key(forms::vk::Space);
  EXPECT_EQ(host.beeps, 4);
  EXPECT_TRUE(c().Timer1.Enabled());
  EXPECT_FALSE(c().Label2.Visible);
}

TEST_F(CommandTest, ACommandStoredBeforeThePauseWaitsForTheResume) {
  openingDone();
  key('Q');
  key(forms::vk::Space);
  key(forms::vk::Space);
  events(1);
  EXPECT_EQ(M.ACTION[0] / 100, 440);
}

TEST_F(CommandTest, SpecialMovesStartOnlyWhenThePowerPaysForThem) {
  M.POW[0] = 10;
  command(7);
  EXPECT_EQ(M.ACTION[0], 45000);
  EXPECT_EQ(M.POW[0], 0);
  EXPECT_EQ(battle.MOVEDMG[0], 8);
  M.ACTION[0] = 50000;
  M.POW[0] = 24;
  battle.MOVEDMG[0] = 1;
  command(9);
  EXPECT_EQ(M.ACTION[0], 50000);
  EXPECT_EQ(M.POW[0], 24);
  EXPECT_EQ(battle.MOVEDMG[0], 1);
  M.POW[0] = 40;
  command(10);
  EXPECT_EQ(M.ACTION[0], 42000);
  EXPECT_EQ(M.POW[0], 0);
}

TEST_F(CommandTest, AMoveStartsOnlyFromStanding) {
  M.ACTION[0] = 47125;
  command(6);
  EXPECT_EQ(M.ACTION[0], 47125);
}

TEST_F(CommandTest, CodesElevenAndTwelveWalkLikeOneAndTwoAndFourStartsNothing) {
  const std::int32_t x = M.XPOS[0];
  command(11);
  EXPECT_EQ(M.XPOS[0], x - 100);
  EXPECT_EQ(M.POSE[0], 1);
  command(12);
  EXPECT_EQ(M.XPOS[0], x);
  EXPECT_EQ(M.POSE[0], 0);
  command(4);
  EXPECT_EQ(M.ACTION[0], 50000);
  EXPECT_EQ(c().GAZOU[0].Left, x);
}

TEST_F(CommandTest, TheFlyingKickCanBeSteeredButItsPictureDoesNotSwap) {
  M.ACTION[0] = 49125;
  M.POSE[0] = 9;
  const std::int32_t x = M.XPOS[0];
  command(2);
  EXPECT_EQ(M.XPOS[0], x + 100);
  EXPECT_EQ(M.POSE[0], 9);
  M.ACTION[0] = 46125;  // any other move cannot be steered
  command(1);
  EXPECT_EQ(M.XPOS[0], x + 100);
}

TEST_F(CommandTest, TheComputerNeverReadsThePlayersKeys) {
  battle.KEYCMD = 5;
  M.IX = 1;
  battle.CPU();
  EXPECT_EQ(battle.KEYCMD, 5);
  EXPECT_EQ(M.IX, 1);
}

}  // namespace
}  // namespace mojara::testing

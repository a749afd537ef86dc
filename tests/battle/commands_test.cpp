// The player's keys, the pause and the command step.
#include <gtest/gtest.h>

#include "app/game_numbers.h"
#include "battle_fixture.h"

namespace mojara::testing {
namespace {

struct CommandTest : BattleTest {
  void SetUp() override { load(); }
};

TEST_F(CommandTest, TheLoadPreparesTheFight) {
  EXPECT_EQ(M.IX, 2);
  EXPECT_EQ(M.XPOS[0], 2415);
  EXPECT_EQ(M.XPOS[1], 4305);
  EXPECT_EQ(M.YPOS[1], 3885);
  EXPECT_EQ(M.FACING[1], 1);
  EXPECT_EQ(M.ACTION[0], 50000);
  EXPECT_EQ(battle.fight().CLOCK, 9900);
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
  EXPECT_EQ(battle.fight().MOVEDMG[0], 3);  // the kick started, the punch is lost
  EXPECT_EQ(M.ACTION[0] / 100, 460);
  EXPECT_EQ(battle.fight().KEYCMD, 0);
  key(forms::vk::Down);  // no command, but a key all the same
  EXPECT_EQ(battle.fight().KEYCMD, 0);
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
  EXPECT_EQ(battle.fight().KEYCMD, 0);
  key(forms::vk::Space);
  EXPECT_EQ(host.beeps, 4);
  EXPECT_TRUE(c().Timer1.Enabled());
  EXPECT_FALSE(c().Label2.Visible);
}

struct CommandStepTest : FightValueTest {
  void SetUp() override { load(); }
};

TEST_F(CommandStepTest, ACommandStoredBeforeThePauseWaitsForTheResume) {
  openingDone();
  key('Q');
  key(forms::vk::Space);
  EXPECT_EQ(s.phase, battle::Phase::Paused);
  key(forms::vk::Space);
  ticks(1);
  EXPECT_EQ(s.ACTION[0] / 100, 440);
}

// One command step of side 0 (だいさく, walking 100 a step) from standing or from a move.
TEST_F(CommandStepTest, MovesStartFromStandingIfThePowerPaysAndOnlyWalksSteerAMove) {
  struct Case {
    std::int32_t code, action, pow, pose;  // before
    std::int32_t actionAfter, powAfter, moveDamage, dx, poseAfter;
  };
  const Case cases[] = {
      {7, 50000, 10, 0, 45000, 0, 8, 0, 0},    // the rising dragon punch costs all of its 10
      {9, 50000, 24, 0, 50000, 24, 1, 0, 0},   // the heel drop needs 25: nothing changes
      {10, 50000, 40, 0, 42000, 0, 6, 0, 0},   // the rampage
      {6, 47125, 0, 0, 47125, 0, 1, 0, 0},     // a kick in the middle of a punch is lost
      {11, 50000, 0, 0, 50000, 0, 1, -100, 1}, // 11 and 12 walk as 1 and 2, the picture swapping
      {12, 50000, 0, 1, 50000, 0, 1, 100, 0},
      {4, 50000, 0, 0, 50000, 0, 1, 0, 0},     // 4 starts nothing
      {2, 49125, 0, 9, 49125, 0, 1, 100, 9},   // the flying kick is steered, its picture kept
      {1, 46125, 0, 2, 46125, 0, 1, 0, 2},     // no other move is
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "code " << k.code << " at " << k.action);
    load();
    const std::int32_t x = s.XPOS[0];
    s.ACTION[0] = k.action;
    s.POW[0] = k.pow;
    s.POSE[0] = k.pose;
    s.MOVEDMG[0] = 1;
    s.KEYCMD = k.code;
    on(0).CPU();
    EXPECT_EQ(s.IX, 0);
    EXPECT_EQ(s.KEYCMD, 0);
    EXPECT_EQ(s.ACTION[0], k.actionAfter);
    EXPECT_EQ(s.POW[0], k.powAfter);
    EXPECT_EQ(s.MOVEDMG[0], k.moveDamage);
    EXPECT_EQ(s.XPOS[0], x + k.dx);
    EXPECT_EQ(s.POSE[0], k.poseAfter);
    EXPECT_EQ(s.sprite[0], (battle::Sprite{s.XPOS[0], s.YPOS[0], storeIndex(0, 0, k.poseAfter)}));
  }
}

TEST_F(CommandStepTest, TheComputerNeverReadsThePlayersKeys) {
  s.KEYCMD = 5;
  on(1).CPU();
  EXPECT_EQ(s.KEYCMD, 5);
  EXPECT_EQ(s.IX, 1);
}

}  // namespace
}  // namespace mojara::testing

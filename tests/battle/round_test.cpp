// The opening, the battle tick's clock and finish, the winner rule, the tally and the closing.
#include <gtest/gtest.h>

#include "battle_fixture.h"
#include "screens/continue_window.h"

namespace mojara::testing {
namespace {

struct RoundTest : BattleTest {};

TEST_F(RoundTest, TheOpeningBannerChangesAtEventsTenThirtyAndFifty) {
  M.POW[0] = 30;
  load();
  EXPECT_FLOAT_EQ(c().POWMATA[0].Width, 949.5f);  // the power kept from the last fight
  events(1);
  EXPECT_FLOAT_EQ(c().POWMATA[0].Width, 31.65f);  // then refilled from empty
  events(8);
  EXPECT_EQ(c().Label2.Caption, "READY?");
  events(1);
  EXPECT_EQ(c().Label2.Caption, "ＲＥＡＤＹ？");
  EXPECT_EQ(host.beeps, 1);
  events(19);
  EXPECT_EQ(c().Label2.Caption, "ＲＥＡＤＹ？");
  events(1);
  EXPECT_EQ(c().Label2.Caption, "GO!!");
  EXPECT_EQ(host.beeps, 1);
  events(19);
  EXPECT_TRUE(c().Timer3.Enabled());
  events(1);
  EXPECT_FALSE(c().Label2.Visible);
  EXPECT_EQ(c().Label2.Caption, "待った！！");
  EXPECT_TRUE(c().Timer1.Enabled());
  EXPECT_FALSE(c().Timer3.Enabled());
  EXPECT_EQ(host.beeps, 2);
  EXPECT_EQ(battle.SEQTICK, 50);
}

TEST_F(RoundTest, TheClockCountsDownEightAPerLiveTickAndTimesUpOnTick1238) {
  for (int side = 0; side <= 1; ++side) writeRosterRow(M, side, 3);
  load(3, 3);
  M.LIFEFULL[0] = M.LIFEFULL[1] = M.LIFE[0] = M.LIFE[1] = battle.SHOWLIFE[0] = battle.SHOWLIFE[1] = 1000000;
  openingDone();
  events(1);
  EXPECT_EQ(c().ZIKAN.Caption, "ＴＩＭＥ\r\n99");
  EXPECT_EQ(battle.CLOCK, 9892);
  events(1225);
  EXPECT_EQ(c().ZIKAN.Caption, "ＴＩＭＥ\r\n1");
  events(1);
  EXPECT_EQ(c().ZIKAN.Caption, "ＴＩＭＥ\r\n0");  // live tick 1227
  events(10);
  EXPECT_EQ(battle.CLOCK, 4);
  events(1);  // live tick 1238
  EXPECT_EQ(battle.CLOCK, -4);
  EXPECT_EQ(c().Label3.Caption, "Ｔｉｍｅ　Ｕｐ！");
  EXPECT_TRUE(c().Label3.Visible);
}

struct FinishTest : BattleTest {
  void SetUp() override {
    load(0, 3);
    openingDone();
  }
  // The fight is decided: life as given, both fighters at rest, no time left.
  void decided(std::int32_t life0, std::int32_t full0, std::int32_t life1, std::int32_t full1) {
    M.LIFE[0] = life0, M.LIFEFULL[0] = full0;
    M.LIFE[1] = life1, M.LIFEFULL[1] = full1;
    M.ACTION[0] = M.ACTION[1] = 50100;
    battle.CLOCK = 0;
  }
  void closeFight() {
    for (int i = 0; i < 2000 && handedTo.empty(); ++i) events(1);
  }
};

TEST_F(FinishTest, TheLargerFractionOfLifeWinsNotTheLargerLife) {
  decided(50, 100, 60, 200);
  const std::int32_t before = M.SCORE[0];
  events(1);
  EXPECT_EQ(M.IX, 0);
  EXPECT_EQ(M.LIFE[1], 0);
  EXPECT_EQ(M.SCORE[0], before + 15000);  // half its life left, no time left
  EXPECT_EQ(c().Label3.Caption, "\r\nＬＩＦＥ：15000\r\nＴＩＭＥ：0");
  EXPECT_EQ(c().GAZOU[0].Picture.index, 13);  // the victory picture
  EXPECT_TRUE(c().Timer2.Enabled());
  closeFight();
  EXPECT_EQ(handedTo, "Form5");
  EXPECT_EQ(M.STAGE, 1);
  EXPECT_GE(battle.SEQTICK, 100);
  EXPECT_FALSE(battle.loaded());
  EXPECT_FALSE(game.store.loaded());  // the battle window's unload released the store
}

TEST_F(FinishTest, EqualFractionsGoToTheComputer) {
  decided(50, 100, 100, 200);
  events(1);
  EXPECT_EQ(M.IX, 1);
  EXPECT_EQ(M.LIFE[0], 0);
  closeFight();
  EXPECT_EQ(handedTo, "Form6");
  EXPECT_EQ(M.STAGE, 0);
  EXPECT_EQ(M.BEATEN[3], 0);  // the winner can be met again
}

TEST_F(FinishTest, ADoubleKnockOutGoesToTheComputerButBothGaugesEmptyTakeThePlayersPath) {
  decided(0, 380, 0, 450);
  battle.SHOWLIFE[0] = battle.SHOWLIFE[1] = 0;
  events(1);
  EXPECT_EQ(M.IX, 1);
  closeFight();
  EXPECT_EQ(handedTo, "Form5");  // side 1's empty gauge is tested first
  EXPECT_EQ(M.STAGE, 1);
}

TEST_F(FinishTest, AFallenFighterIsHeldDownAndTheHandOverWaitsForTheOtherToRest) {
  battle.CLOCK = 0;
  M.ACTION[0] = 40400;  // lying on the ground in the heavy knock-down
  M.ACTION[1] = 47000;  // still punching
  events(1);
  EXPECT_EQ(M.POSE[0], 11);
  EXPECT_EQ(M.ACTION[0], 51000);
  EXPECT_TRUE(c().Timer1.Enabled());
  events(6);  // the punch's last tick
  EXPECT_TRUE(c().Timer1.Enabled());
  events(2);  // two ticks of rest
  EXPECT_FALSE(c().Timer1.Enabled());
  EXPECT_TRUE(c().Timer2.Enabled());
}

TEST_F(FinishTest, FinishingTicksFlipTheOverlayAndRepeatTheCrash) {
  battle.CLOCK = 0;
  M.ACTION[0] = M.ACTION[1] = 47000;
  host.sound.takePlays();
  events(1);
  EXPECT_TRUE(c().Image1.Visible);
  events(1);
  EXPECT_FALSE(c().Image1.Visible);
  int crashes = 0;
  for (const auto& play : host.sound.takePlays()) crashes += play.file == "snd2.wav";
  EXPECT_GE(crashes, 1);
}

TEST_F(FinishTest, AKnockOutOnTheLastTickShowsAsAKnockOut) {
  battle.CLOCK = 8;
  M.FACING[0] = 0;
  M.XPOS[0] = 2000;
  M.XPOS[1] = 2000 + 855;
  M.ACTION[0] = 47100;  // the punch's striking step
  battle.MOVEDMG[0] = 5;
  M.LIFE[1] = 1;
  events(1);
  EXPECT_LE(M.LIFE[1], 0);
  EXPECT_EQ(battle.CLOCK, 0);
  EXPECT_EQ(c().Label3.Caption, "Ｋ．Ｏ．！！");
}

TEST_F(FinishTest, TheBonusesAreTruncatedInTheirOwnOrder) {
  M.IX = 0;
  M.LIFE[0] = 379;
  M.LIFEFULL[0] = 380;
  battle.CLOCK = 12;
  M.SCORE[0] = 0;
  c().Label3.Caption = "Ｋ．Ｏ．！！";
  battle.GOOD();
  EXPECT_EQ(M.SCORE[0], 29921 + 11);
  EXPECT_EQ(c().Label3.Caption, "Ｋ．Ｏ．！！\r\nＬＩＦＥ：29921\r\nＴＩＭＥ：11");
  M.LIFE[0] = 380;
  battle.CLOCK = -4;
  M.SCORE[0] = 0;
  battle.GOOD();
  EXPECT_EQ(M.SCORE[0], 30000 - 4);
}

TEST_F(FinishTest, AFighterAtRestTurnsTowardTheOther) {
  M.XPOS[1] = M.XPOS[0];
  M.WALKSPD[1] = 0;
  events(1);
  if (M.ACTION[0] >= 50000 && M.XPOS[0] == M.XPOS[1]) {
    EXPECT_EQ(M.FACING[0], 0);  // equal positions face right
  }
  M.XPOS[0] = 5000;
  M.XPOS[1] = 1000;
  M.ACTION[0] = 50000;
  events(1);
  EXPECT_EQ(M.FACING[0], 1);
}

}  // namespace
}  // namespace mojara::testing

// The hit test and what a connecting hit does.
#include <gtest/gtest.h>

#include "battle_fixture.h"

namespace mojara::testing {
namespace {

struct HitTest : BattleTest {
  void SetUp() override {
    load(0, 3);  // だいさく (ATK 5) against 大顔面
    M.XPOS[0] = 2000;
    M.XPOS[1] = 2000 + 855;  // side 0's right edge exactly on side 1's left edge
    M.YPOS[0] = M.YPOS[1] = 3885;
    M.FACING[0] = 0;
    M.POSE[0] = 3;
  }
  // The hit test for side 0.
  bool hits() {
    M.IX = 0;
    return battle.hitTest();
  }
  // A hit by side 0 lands.
  void land() {
    ASSERT_TRUE(hits());
    battle.DAMI();
  }
};

TEST_F(HitTest, EdgesCountAsInside) {
  EXPECT_TRUE(hits());
  M.XPOS[0] = 2000 - 1;  // the front edge one twip short of the left edge
  EXPECT_FALSE(hits());
  M.XPOS[0] = M.XPOS[1];  // the front edge exactly on the right edge
  EXPECT_TRUE(hits());
  M.XPOS[0] = M.XPOS[1] + 1;
  EXPECT_FALSE(hits());
}

TEST_F(HitTest, TheMiddleHeightCountsOnTheTopAndBottomEdges) {
  M.YPOS[0] = 3885 + 532;  // middle 0.5 twips above the bottom edge
  EXPECT_TRUE(hits());
  M.YPOS[0] = 3885 + 533;
  EXPECT_FALSE(hits());
  M.YPOS[1] = 3885;
  M.YPOS[0] = 3885 - 532;
  EXPECT_TRUE(hits());
  M.YPOS[0] = 3885 - 533;
  EXPECT_FALSE(hits());
}

TEST_F(HitTest, OnlyTheStrikingPicturesHitAndOnlyForward) {
  for (int pose = 0; pose <= 13; ++pose) {
    M.POSE[0] = pose;
    EXPECT_EQ(hits(), pose == 3 || pose == 5) << pose;
  }
  M.POSE[0] = 5;
  M.FACING[0] = 1;  // facing away: its front edge is its left edge
  EXPECT_FALSE(hits());
}

TEST_F(HitTest, TheFirstHitOfAFreshComboWithAPunch) {
  battle.MOVEDMG[0] = 5;
  battle.DMGTALLY = 0;
  battle.HITCOUNT = 0;
  M.POW[0] = 10;
  M.POW[1] = 20;
  M.YPOS[1] = 3000;  // in the air
  M.YPOS[0] = 3000;
  land();
  EXPECT_EQ(M.LIFE[1], 450 - 10);
  EXPECT_EQ(battle.DMGTALLY, 10);
  EXPECT_EQ(M.ACTION[1], 41000);  // a flinch
  EXPECT_EQ(M.POW[1], 25);
  EXPECT_EQ(M.POW[0], 12);            // 10 + 2.5 rounds to the even 12
  EXPECT_EQ(M.YPOS[1], 4935 - 1065);  // put on the floor line at once
  EXPECT_EQ(battle.HITCOUNT, 1);
  EXPECT_EQ(c().Label3.Caption, "1ＨＩＴ！！");
  EXPECT_EQ(c().Label3.ForeColor, (forms::Rgb{0, 10, 0}));
  EXPECT_EQ(battle.HITSIDE, 1);
  EXPECT_EQ(M.SCORE[0], 500);
  auto plays = host.sound.takePlays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(plays[0].slot, "MMControl3");
  EXPECT_EQ(plays[0].file, "snd1.wav");
  // The second hit of the combo: odd power rounds the other way, the score doubles.
  M.POW[0] = 11;
  M.YPOS[0] = M.YPOS[1];
  land();
  EXPECT_EQ(M.POW[0], 14);
  EXPECT_EQ(M.SCORE[0], 500 + 1000);
  EXPECT_EQ(c().Label3.Caption, "2ＨＩＴ！！");
}

TEST_F(HitTest, TheTallyAfterTheHitPicksTheReactionAndItsSound) {
  battle.MOVEDMG[0] = 0;  // ATK 5 alone
  struct Case {
    std::int32_t tallyBefore, action;
    const char* slot;
  };
  for (Case k : {Case{14, 41000, "MMControl3"}, Case{15, 48000, "MMControl3"}, Case{54, 48000, "MMControl3"},
                 Case{55, 40000, "MMControl2"}}) {
    battle.DMGTALLY = k.tallyBefore;
    host.sound.takePlays();
    M.YPOS[0] = M.YPOS[1];
    land();
    EXPECT_EQ(M.ACTION[1], k.action) << k.tallyBefore + 5;
    const auto plays = host.sound.takePlays();
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].slot, k.slot);
    EXPECT_EQ(plays[0].file, std::string(k.slot) == "MMControl2" ? "snd2.wav" : "snd1.wav");
  }
}

TEST_F(HitTest, TheCounterTurnsFullGreenFromTheTwentySixthHit) {
  battle.HITCOUNT = 25;
  land();
  EXPECT_EQ(c().Label3.ForeColor.g, 255);
  EXPECT_EQ(c().Label3.Caption, "26ＨＩＴ！！");
}

TEST_F(HitTest, AHitReplacesWhateverTheDefenderWasDoing) {
  M.ACTION[1] = 42325;
  battle.MOVEDMG[1] = 6;
  land();
  EXPECT_EQ(M.ACTION[1], 41000);
  EXPECT_EQ(battle.MOVEDMG[1], 6);
}

}  // namespace
}  // namespace mojara::testing

namespace mojara::testing {
namespace {

TEST_F(HitTest, PointsBeyondTheThirtyTwoBitRangeAreAFatalErrorNotAWrapAround) {
  battle.MOVEDMG[0] = 5;
  battle.HITCOUNT = 0;
  M.SCORE[0] = 2147483600;
  M.IX = 0;
  EXPECT_THROW(battle.DAMI(), std::overflow_error);
  EXPECT_EQ(M.SCORE[0], 2147483600);
}

}  // namespace
}  // namespace mojara::testing

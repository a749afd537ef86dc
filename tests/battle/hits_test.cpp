// The hit test and what a connecting hit does.
#include <gtest/gtest.h>

#include "battle_fixture.h"

namespace mojara::testing {
namespace {

using battle::Headline;
using battle::Sound;

struct HitTest : FightValueTest {
  void SetUp() override {
    load(0, 3);  // だいさく (ATK 5) against 大顔面
    s.XPOS[0] = 2000;
    s.XPOS[1] = 2000 + 855;  // side 0's right edge exactly on side 1's left edge
    s.YPOS[0] = s.YPOS[1] = 3885;
    s.FACING[0] = 0;
    s.POSE[0] = 3;
  }
  // The hit test for side 0.
  bool hits() { return on(0).hitTest(); }
  // A hit by side 0 lands.
  void land() {
    ASSERT_TRUE(hits());
    on(0).DAMI();
    EXPECT_EQ(s.IX, 0);
  }
};

TEST_F(HitTest, EdgesCountAsInside) {
  EXPECT_TRUE(hits());
  s.XPOS[0] = 2000 - 1;  // the front edge one twip short of the left edge
  EXPECT_FALSE(hits());
  s.XPOS[0] = s.XPOS[1];  // the front edge exactly on the right edge
  EXPECT_TRUE(hits());
  s.XPOS[0] = s.XPOS[1] + 1;
  EXPECT_FALSE(hits());
}

TEST_F(HitTest, TheMiddleHeightCountsOnTheTopAndBottomEdges) {
  s.YPOS[0] = 3885 + 532;  // middle 0.5 twips above the bottom edge
  EXPECT_TRUE(hits());
  s.YPOS[0] = 3885 + 533;
  EXPECT_FALSE(hits());
  s.YPOS[1] = 3885;
  s.YPOS[0] = 3885 - 532;
  EXPECT_TRUE(hits());
  s.YPOS[0] = 3885 - 533;
  EXPECT_FALSE(hits());
}

TEST_F(HitTest, OnlyTheStrikingPicturesHitAndOnlyForward) {
  for (int pose = 0; pose <= 13; ++pose) {
    s.POSE[0] = pose;
    EXPECT_EQ(hits(), pose == 3 || pose == 5) << pose;
  }
  s.POSE[0] = 5;
  s.FACING[0] = 1;  // facing away: its front edge is its left edge
  EXPECT_FALSE(hits());
}

TEST_F(HitTest, TheFirstHitOfAFreshComboWithAPunch) {
  s.MOVEDMG[0] = 5;
  s.DMGTALLY = 0;
  s.HITCOUNT = 0;
  s.POW[0] = 10;
  s.POW[1] = 20;
  s.YPOS[1] = 3000;  // in the air
  s.YPOS[0] = 3000;
  land();
  EXPECT_EQ(s.LIFE[1], 450 - 10);
  EXPECT_EQ(s.DMGTALLY, 10);
  EXPECT_EQ(s.ACTION[1], 41000);  // a flinch
  EXPECT_EQ(s.POW[1], 25);
  EXPECT_EQ(s.POW[0], 12);            // 10 + 2.5 rounds to the even 12
  EXPECT_EQ(s.YPOS[1], 4935 - 1065);  // put on the floor line at once
  EXPECT_EQ(s.HITCOUNT, 1);
  EXPECT_EQ(s.message, (battle::Message{Headline::Hits, 1, false, 0, 0, 10}));
  EXPECT_EQ(s.HITSIDE, 1);
  EXPECT_EQ(s.SCORE[0], 500);
  EXPECT_EQ(takeSounds(), std::vector<Sound>{Sound::Hit});
  // The second hit of the combo: odd power rounds the other way, the score doubles.
  s.POW[0] = 11;
  s.YPOS[0] = s.YPOS[1];
  land();
  EXPECT_EQ(s.POW[0], 14);
  EXPECT_EQ(s.SCORE[0], 500 + 1000);
  EXPECT_EQ(s.message, (battle::Message{Headline::Hits, 2, false, 0, 0, 20}));
}

TEST_F(HitTest, TheTallyAfterTheHitPicksTheReactionAndItsSound) {
  s.MOVEDMG[0] = 0;  // ATK 5 alone
  struct Case {
    std::int32_t tallyBefore, action;
    Sound sound;
  };
  for (Case k : {Case{14, 41000, Sound::Hit}, Case{15, 48000, Sound::Hit}, Case{54, 48000, Sound::Hit},
                 Case{55, 40000, Sound::KnockDown}}) {
    s.DMGTALLY = k.tallyBefore;
    s.YPOS[0] = s.YPOS[1];
    land();
    EXPECT_EQ(s.ACTION[1], k.action) << k.tallyBefore + 5;
    EXPECT_EQ(takeSounds(), std::vector<Sound>{k.sound}) << k.tallyBefore + 5;
  }
}

TEST_F(HitTest, TheCounterTurnsFullGreenFromTheTwentySixthHit) {
  s.HITCOUNT = 25;
  land();
  EXPECT_EQ(s.message.green, 255);
  EXPECT_EQ(s.message.hits, 26);
}

TEST_F(HitTest, AHitReplacesWhateverTheDefenderWasDoing) {
  s.ACTION[1] = 42325;
  s.MOVEDMG[1] = 6;
  land();
  EXPECT_EQ(s.ACTION[1], 41000);
  EXPECT_EQ(s.MOVEDMG[1], 6);
}

TEST_F(HitTest, PointsBeyondTheThirtyTwoBitRangeAreAFatalErrorNotAWrapAround) {
  s.MOVEDMG[0] = 5;
  s.HITCOUNT = 0;
  s.SCORE[0] = 2147483600;
  EXPECT_THROW(on(0).DAMI(), std::overflow_error);
  EXPECT_EQ(s.SCORE[0], 2147483600);
}

// What the window shows of a hit: the counter in its green, and the hit's sound on its own slot.
struct HitShownTest : BattleTest {};

TEST_F(HitShownTest, AHitShowsItsCounterAndPlaysOnTheHitSlot) {
  load(0, 3);
  openingDone();
  battle::FightState& f = battle.fight();
  f.XPOS[0] = 2000;
  f.XPOS[1] = 2000 + 855;
  f.FACING[0] = 0;
  f.ACTION[0] = 47100;  // the punch's striking step
  f.HITCOUNT = 1;
  f.DMGTALLY = 0;
  host.sound.takePlays();
  events(1);
  ASSERT_EQ(f.HITCOUNT, 2);
  EXPECT_EQ(c().Label3.Caption, "2ＨＩＴ！！");
  EXPECT_EQ(c().Label3.ForeColor, (forms::Rgb{0, 20, 0}));
  bool hitSound = false;
  for (const auto& play : host.sound.takePlays())
    hitSound = hitSound || (play.slot == "MMControl3" && play.file == "snd1.wav");
  EXPECT_TRUE(hitSound);
}

}  // namespace
}  // namespace mojara::testing

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "battle/move_table.h"
#include "battle_fixture.h"

namespace mojara::testing {
namespace {

struct Summary {
  int ticks = 0;
  int netForward = 0;              // toward the facing direction
  int highest = 0;                 // above the start
  std::vector<int> strikingTicks;  // ticks (from 1) showing picture 3 or 5
  std::vector<int> poses;
};

struct MoveProgramTest : BattleTest {
  void SetUp() override { load(); }
  // Runs a program for side 0 from its start code to standing, as the tick drives it.
  Summary run(std::int32_t startCode, std::int32_t facing, std::int32_t x) {
    M.FACING[0] = facing;
    M.XPOS[0] = x;
    M.ACTION[0] = startCode;
    const std::int32_t y = M.YPOS[0];
    Summary s;
    while (M.ACTION[0] < 50000) {
      ++s.ticks;
      M.IX = 0;
      battle.patan();
      EXPECT_EQ(M.IX, 0) << "patan must leave IX alone";
      M.ACTION[0] += 50;
      s.highest = std::max(s.highest, y - M.YPOS[0]);
      s.poses.push_back(M.POSE[0]);
      if (M.POSE[0] == 3 || M.POSE[0] == 5) s.strikingTicks.push_back(s.ticks);
      if (s.ticks > 100) break;
    }
    s.netForward = (M.XPOS[0] - x) * (facing == 0 ? 1 : -1);
    EXPECT_EQ(M.YPOS[0], y) << "every program lands where it started";
    EXPECT_EQ(M.POSE[0], 1) << "every program ends on picture 1";
    return s;
  }
};

TEST_F(MoveProgramTest, EveryProgramRunsItsTicksMotionHeightAndStrikingTicks) {
  struct Expected {
    const char* name;
    std::int32_t start;
    int ticks, forward, highest, firstStrike, lastStrike;
  };
  const Expected table[] = {
      {"punch", 47000, 7, 0, 0, 3, 4},
      {"kick", 46000, 25, 2200, 800, 9, 22},
      {"power charge", 44000, 17, 0, 0, 0, 0},
      {"flying kick", 49000, 25, 0, 2200, 11, 20},
      {"rising dragon punch", 45000, 27, 2400, 1600, 13, 20},
      {"heel drop", 43000, 25, 1400, 2800, 13, 20},
      {"rampage", 42000, 23, 4000, 0, 9, 20},
      {"flinch", 41000, 9, -1400, 0, 0, 0},
      {"knock-back", 48000, 21, -1900, 1400, 0, 0},
      {"heavy knock-down", 40000, 31, -4200, 4400, 0, 0},
  };
  for (const Expected& e : table)
    for (std::int32_t facing : {0, 1}) {
      // Start where the whole program stays clear of the window edges.
      const bool forward = e.forward > 0;
      const std::int32_t x = facing == 0 ? (forward ? 1000 : 5000) : (forward ? 5800 : 1800);
      const Summary s = run(e.start, facing, x);
      SCOPED_TRACE(std::string(e.name) + (facing ? " facing left" : " facing right"));
      EXPECT_EQ(s.ticks, e.ticks);
      EXPECT_EQ(s.netForward, e.forward);
      EXPECT_EQ(s.highest, e.highest);
      if (e.firstStrike == 0) {
        EXPECT_TRUE(s.strikingTicks.empty());
      } else {
        ASSERT_FALSE(s.strikingTicks.empty());
        EXPECT_EQ(s.strikingTicks.front(), e.firstStrike);
        EXPECT_EQ(s.strikingTicks.back(), e.lastStrike);
        EXPECT_EQ(static_cast<int>(s.strikingTicks.size()), e.lastStrike - e.firstStrike + 1);
      }
    }
}

TEST_F(MoveProgramTest, ThePunchStepsInStrikesAndStepsBackTickByTick) {
  std::vector<std::int32_t> xs;
  M.FACING[0] = 0;
  M.XPOS[0] = 2000;
  M.ACTION[0] = 47000;
  std::vector<int> poses;
  for (int tick = 0; tick < 7; ++tick) {
    M.IX = 0;
    battle.patan();
    M.ACTION[0] += 50;
    poses.push_back(M.POSE[0]);
    xs.push_back(M.XPOS[0]);
  }
  EXPECT_EQ(poses, (std::vector<int>{2, 2, 3, 3, 2, 2, 1}));
  EXPECT_EQ(xs, (std::vector<std::int32_t>{2200, 2400, 2400, 2400, 2200, 2000, 2000}));
  EXPECT_EQ(M.ACTION[0], 50050);
  EXPECT_EQ(c().GAZOU[0].Picture.index, 1);  // the sprite shows picture 1 of fighter 0, facing right
}

TEST_F(MoveProgramTest, TheKicksUnwrittenStepHoldsTheStrikingPictureInPlace) {
  const Summary s = run(46000, 0, 1000);
  // Ticks 19 and 20 are step 465: nothing set, picture 5 kept.
  EXPECT_EQ(s.poses[18], 5);
  EXPECT_EQ(s.poses[19], 5);
}

TEST_F(MoveProgramTest, TheHeelDropFlickersBetweenTheTwoBlobsAtRandom) {
  std::set<int> seen;
  for (int round = 0; round < 8; ++round) {
    const Summary s = run(43000, 0, 1000);
    for (int tick = 8; tick < 12; ++tick) seen.insert(s.poses[tick]);
  }
  EXPECT_EQ(seen, (std::set<int>{7, 8}));
}

TEST_F(MoveProgramTest, AtAnEdgeBothFightersShiftTogether) {
  M.ACTION[0] = 50000;
  M.XSPD[0] = 0;
  M.XPOS[0] = 0;
  M.XPOS[1] = 3000;
  M.IX = 0;
  battle.patan();
  EXPECT_EQ(M.XPOS[0], 300);
  EXPECT_EQ(M.XPOS[1], 3300);
  // The right edge: the sprite's right edge reaching the window's outer width (7635 + 120).
  M.XPOS[0] = 6899;
  battle.patan();
  EXPECT_EQ(M.XPOS[0], 6899);
  M.XPOS[0] = 6900;
  battle.patan();
  EXPECT_EQ(M.XPOS[0], 6600);
  EXPECT_EQ(M.XPOS[1], 3000);
  EXPECT_EQ(c().GAZOU[1].Left, 4305);  // the other sprite moves on its own next call
}

TEST_F(MoveProgramTest, EndStepsClearTheCounterOnlyForTheSideHitLastAndPayOutThePowerCharge) {
  battle.HITSIDE = 1;
  battle.HITCOUNT = 3;
  c().Label3.Caption = "3ＨＩＴ！！";
  run(41000, 0, 3000);  // side 0's flinch ends, but side 1 was hit last
  EXPECT_EQ(battle.HITCOUNT, 3);
  battle.HITSIDE = 0;
  run(41000, 0, 3000);
  EXPECT_EQ(battle.HITCOUNT, 0);
  EXPECT_EQ(c().Label3.Caption, "");
  M.POW[0] = 100;
  run(44000, 0, 3000);
  EXPECT_EQ(M.POW[0], 110);  // the tick cuts it back later
  battle.MOVEDMG[0] = 4;
  run(49000, 0, 3000);
  EXPECT_EQ(battle.MOVEDMG[0], 0);
}

TEST_F(MoveProgramTest, TheLyingPictureResetsTheDamageTallyWhicheverSideShowsIt) {
  battle.DMGTALLY = 35;
  M.ACTION[1] = 48400;  // side 1 lies on the ground
  M.IX = 1;
  battle.patan();
  EXPECT_EQ(M.POSE[1], 11);
  EXPECT_EQ(battle.DMGTALLY, 0);
}

}  // namespace
}  // namespace mojara::testing

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/game_numbers.h"
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

struct MoveProgramTest : FightValueTest {
  void SetUp() override { load(); }
  // Runs a program for side 0 from its start code to standing, as the tick drives it.
  Summary run(std::int32_t startCode, std::int32_t facing, std::int32_t x) {
    s.FACING[0] = facing;
    s.XPOS[0] = x;
    s.ACTION[0] = startCode;
    const std::int32_t y = s.YPOS[0];
    Summary r;
    while (s.ACTION[0] < 50000) {
      ++r.ticks;
      on(0).patan();
      EXPECT_EQ(s.IX, 0) << "patan must leave IX alone";
      s.ACTION[0] += 50;
      r.highest = std::max(r.highest, y - s.YPOS[0]);
      r.poses.push_back(s.POSE[0]);
      if (s.POSE[0] == 3 || s.POSE[0] == 5) r.strikingTicks.push_back(r.ticks);
      if (r.ticks > 100) break;
    }
    r.netForward = (s.XPOS[0] - x) * (facing == 0 ? 1 : -1);
    EXPECT_EQ(s.YPOS[0], y) << "every program lands where it started";
    EXPECT_EQ(s.POSE[0], 1) << "every program ends on picture 1";
    return r;
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
      const Summary r = run(e.start, facing, x);
      SCOPED_TRACE(std::string(e.name) + (facing ? " facing left" : " facing right"));
      EXPECT_EQ(r.ticks, e.ticks);
      EXPECT_EQ(r.netForward, e.forward);
      EXPECT_EQ(r.highest, e.highest);
      if (e.firstStrike == 0) {
        EXPECT_TRUE(r.strikingTicks.empty());
      } else {
        ASSERT_FALSE(r.strikingTicks.empty());
        EXPECT_EQ(r.strikingTicks.front(), e.firstStrike);
        EXPECT_EQ(r.strikingTicks.back(), e.lastStrike);
        EXPECT_EQ(static_cast<int>(r.strikingTicks.size()), e.lastStrike - e.firstStrike + 1);
      }
    }
}

TEST_F(MoveProgramTest, ThePunchStepsInStrikesAndStepsBackTickByTick) {
  std::vector<std::int32_t> xs;
  s.FACING[0] = 0;
  s.XPOS[0] = 2000;
  s.ACTION[0] = 47000;
  std::vector<int> poses;
  for (int tick = 0; tick < 7; ++tick) {
    on(0).patan();
    s.ACTION[0] += 50;
    poses.push_back(s.POSE[0]);
    xs.push_back(s.XPOS[0]);
  }
  EXPECT_EQ(poses, (std::vector<int>{2, 2, 3, 3, 2, 2, 1}));
  EXPECT_EQ(xs, (std::vector<std::int32_t>{2200, 2400, 2400, 2400, 2200, 2000, 2000}));
  EXPECT_EQ(s.ACTION[0], 50050);
  // The sprite shows picture 1 of fighter 0, facing right, where the fighter stands.
  EXPECT_EQ(s.sprite[0], (battle::Sprite{2000, s.YPOS[0], 1}));
}

TEST_F(MoveProgramTest, TheKicksUnwrittenStepHoldsTheStrikingPictureInPlace) {
  const Summary r = run(46000, 0, 1000);
  // Ticks 19 and 20 are step 465: nothing set, picture 5 kept.
  EXPECT_EQ(r.poses[18], 5);
  EXPECT_EQ(r.poses[19], 5);
}

TEST_F(MoveProgramTest, TheHeelDropFlickersBetweenTheTwoBlobsAtRandom) {
  std::set<int> seen;
  for (int round = 0; round < 8; ++round) {
    const Summary r = run(43000, 0, 1000);
    for (int tick = 8; tick < 12; ++tick) seen.insert(r.poses[tick]);
  }
  EXPECT_EQ(seen, (std::set<int>{7, 8}));
}

TEST_F(MoveProgramTest, AtAnEdgeBothFightersShiftTogether) {
  s.ACTION[0] = 50000;
  s.XSPD[0] = 0;
  s.XPOS[0] = 0;
  s.XPOS[1] = 3000;
  on(0).patan();
  EXPECT_EQ(s.XPOS[0], 300);
  EXPECT_EQ(s.XPOS[1], 3300);
  // The right edge: the sprite's right edge reaching the window's outer width (7635 + 120).
  s.XPOS[0] = 6899;
  on(0).patan();
  EXPECT_EQ(s.XPOS[0], 6899);
  s.XPOS[0] = 6900;
  on(0).patan();
  EXPECT_EQ(s.XPOS[0], 6600);
  EXPECT_EQ(s.XPOS[1], 3000);
  EXPECT_EQ(s.sprite[1].left, 4305);  // the other sprite moves on its own next call
}

TEST_F(MoveProgramTest, EndStepsClearTheCounterOnlyForTheSideHitLastAndPayOutThePowerCharge) {
  s.HITSIDE = 1;
  s.HITCOUNT = 3;
  s.message = {battle::Headline::Hits, 3, false, 0, 0, 30};
  run(41000, 0, 3000);  // side 0's flinch ends, but side 1 was hit last
  EXPECT_EQ(s.HITCOUNT, 3);
  EXPECT_EQ(s.message.headline, battle::Headline::Hits);
  s.HITSIDE = 0;
  run(41000, 0, 3000);
  EXPECT_EQ(s.HITCOUNT, 0);
  EXPECT_EQ(s.message.headline, battle::Headline::None);
  s.POW[0] = 100;
  run(44000, 0, 3000);
  EXPECT_EQ(s.POW[0], 110);  // the tick cuts it back later
  s.MOVEDMG[0] = 4;
  run(49000, 0, 3000);
  EXPECT_EQ(s.MOVEDMG[0], 0);
}

TEST_F(MoveProgramTest, TheLyingPictureResetsTheDamageTallyWhicheverSideShowsIt) {
  s.DMGTALLY = 35;
  s.ACTION[1] = 48400;  // side 1 lies on the ground
  on(1).patan();
  EXPECT_EQ(s.POSE[1], 11);
  EXPECT_EQ(s.DMGTALLY, 0);
}

}  // namespace
}  // namespace mojara::testing

// The league's demo fights, run on the battle's rules with no window to show them.
#include <gtest/gtest.h>

#include "app/fight_setup.h"
#include "battle/fight_sounds.h"
#include "sim/event_limit.h"
#include "sim/league.h"

namespace mojara::testing {
namespace {

TEST(LeagueOnTheRules, EveryMatchupsDemoFightEndsBeforeTheEventLimitAtAnySpeed) {
  const auto soundLengths = battle::soundLengths(MOJARA_BIN_DIR);
  for (const int speed : {1, 5, 20}) {
    FightSetup setup;
    setup.demo = true;
    setup.speed = speed;
    for (int p0 = 0; p0 < 8; ++p0)
      for (int p1 = 0; p1 < 8; ++p1) {
        setup.player = p0;
        setup.opponent = p1;
        setup.seed = static_cast<std::uint64_t>(speed * 64 + p0 * 8 + p1);
        const sim::DemoResult result = sim::demoFight(setup, soundLengths, sim::kDefaultMaxEvents);
        EXPECT_GT(result.events, 0) << "speed " << speed << ", " << p0 << " against " << p1;
        EXPECT_LT(result.events, sim::kDefaultMaxEvents) << "speed " << speed << ", " << p0 << " against " << p1;
      }
  }
}

}  // namespace
}  // namespace mojara::testing

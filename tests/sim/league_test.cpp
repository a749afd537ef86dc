// The league: each fight seeded by its own index, whichever job runs it.
#include <gtest/gtest.h>

#include <sstream>

#include "sim/fight_run.h"
#include "sim/league.h"

namespace mojara::testing {
namespace {

sim::LeagueResult leagueOf(int fights, std::uint64_t seed, int jobs) {
  sim::LeagueOptions options;
  options.fights = fights;
  options.seed = seed;
  options.jobs = jobs;
  options.programFolder = MOJARA_BIN_DIR;
  return sim::runLeague(options, nullptr);
}

TEST(League, EveryFightIsTheDemoFightOfItsMatchupSeededByItsIndex) {
  const sim::LeagueResult league = leagueOf(3, 40, 1);
  std::array<std::array<int, 8>, 8> wins{};
  long long events = 0;
  sim::FightRun run;
  run.recorded.fight.demo = true;
  run.programFolder = MOJARA_BIN_DIR;
  for (int k = 0; k < 64 * 3; ++k) {
    run.recorded.fight.player = k / 24;
    run.recorded.fight.opponent = k / 3 % 8;
    run.recorded.fight.seed = 40 + k;
    const sim::FightOutcome outcome = sim::runFight(run, nullptr);
    wins[k / 24][k / 3 % 8] += outcome.end == "Form5";
    events += outcome.events;
  }
  EXPECT_EQ(league.wins, wins);
  EXPECT_EQ(league.events, events);
  EXPECT_EQ(league.fights, 64 * 3);
}

TEST(League, TheTableIsTheSameForAnyNumberOfJobs) {
  const sim::LeagueResult one = leagueOf(5, 7, 1);
  for (const int jobs : {2, 4, 7, 0}) {
    const sim::LeagueResult many = leagueOf(5, 7, jobs);
    EXPECT_EQ(many.wins, one.wins) << jobs << " jobs";
    EXPECT_EQ(many.events, one.events) << jobs << " jobs";
    EXPECT_EQ(many.fights, one.fights) << jobs << " jobs";
  }
  // More jobs than fights: some have nothing to do.
  EXPECT_EQ(leagueOf(1, 7, 100).wins, leagueOf(1, 7, 1).wins);
}

TEST(League, JobsDefaultToOnePerCore) {
  sim::LeagueOptions options;
  EXPECT_GE(sim::jobsOf(options), 1);
  options.jobs = 3;
  EXPECT_EQ(sim::jobsOf(options), 3);
}

}  // namespace
}  // namespace mojara::testing

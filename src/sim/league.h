// A league: many demo fights (both sides drawn at random) for each of the 64 ordered matchups,
// as a table of side 0's win rate. A balance tool and the rules' benchmark.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "app/fight_setup.h"

namespace mojara::sim {

struct LeagueOptions {
  int fights = 100;  // per matchup
  std::uint64_t seed = 1;
  int speed = 5;
  int jobs = 0;  // fights run side by side; 0: one per core
  std::string programFolder = ".";
};

// The most jobs a league runs side by side.
inline constexpr int kMaxJobs = 256;

// The jobs `options.jobs` asks for: itself, or one per core for 0.
int jobsOf(const LeagueOptions& options);

struct LeagueResult {
  std::array<std::array<int, 8>, 8> wins{};  // [side 0's fighter][side 1's fighter]
  long long fights = 0, events = 0;
  double seconds = 0;
};

// A demo fight on the battle's rules alone, from the window's load to its hand-over, as the window
// would show it: whether side 0 won, and the timer events it took (at most `maxEvents`).
struct DemoResult {
  bool won = false;
  long long events = 0;
};
DemoResult demoFight(const FightSetup& setup, const std::array<std::int64_t, 3>& soundLengths,
                     long long maxEvents);

// Runs the league; `progress`, if given, gets a progress line now and then. Fight k of the league
// (matchup k / fights, in row order) is seeded with seed + k, whichever job runs it, so the
// table is the same for any number of jobs.
LeagueResult runLeague(const LeagueOptions& options, std::ostream* progress);

void printLeague(const LeagueResult& result, int fightsPerMatchup, std::ostream& out);

}  // namespace mojara::sim

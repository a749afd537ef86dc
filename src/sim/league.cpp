#include "sim/league.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/roster.h"
#include "sim/fight_run.h"

namespace mojara::sim {

LeagueResult runLeague(const LeagueOptions& options, std::ostream* progress) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  auto lastReport = start;
  LeagueResult result;
  FightRun run;
  FightSetup& setup = run.recorded.fight;
  setup.demo = true;
  setup.speed = options.speed;
  run.programFolder = options.programFolder;
  const long long total = 64LL * options.fights;
  for (int p0 = 0; p0 < 8; ++p0)
    for (int p1 = 0; p1 < 8; ++p1)
      for (int i = 0; i < options.fights; ++i) {
        setup.player = p0;
        setup.opponent = p1;
        setup.seed = options.seed + static_cast<std::uint64_t>(result.fights);
        const FightOutcome outcome = runFight(run, nullptr);
        if (outcome.end == "Form5") ++result.wins[p0][p1];
        ++result.fights;
        result.events += outcome.events;
        if (progress && Clock::now() - lastReport > std::chrono::seconds(1)) {
          lastReport = Clock::now();
          *progress << "league: " << result.fights << " of " << total << " fights\n" << std::flush;
        }
      }
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return result;
}

void printLeague(const LeagueResult& result, int fightsPerMatchup, std::ostream& out) {
  out << "side 0 wins, in % of " << fightsPerMatchup
      << " demo fights per matchup (rows: side 0, columns: side 1)\n";
  char cell[32];
  out << "          ";
  for (int p1 = 0; p1 < 8; ++p1) {
    std::snprintf(cell, sizeof cell, "%6d", p1);
    out << cell;
  }
  out << "\n";
  for (int p0 = 0; p0 < 8; ++p0) {
    std::snprintf(cell, sizeof cell, "%-10d", p0);
    out << cell;
    for (int p1 = 0; p1 < 8; ++p1) {
      std::snprintf(cell, sizeof cell, "%6.1f", 100.0 * result.wins[p0][p1] / std::max(1, fightsPerMatchup));
      out << cell;
    }
    out << "   " << kRoster[p0].name << "\n";
  }
  std::snprintf(cell, sizeof cell, "%.0f", result.fights / std::max(result.seconds, 1e-9));
  out << result.fights << " fights, " << result.events << " timer events in " << result.seconds
      << " s: " << cell << " fights per second\n";
}

}  // namespace mojara::sim

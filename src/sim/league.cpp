#include "sim/league.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdio>
#include <exception>
#include <thread>
#include <vector>

#include "app/fight_setup.h"
#include "app/roster.h"
#include "battle/fight.h"
#include "battle/fight_sounds.h"
#include "forms/scheduler.h"
#include "sim/event_limit.h"

namespace mojara::sim {

int jobsOf(const LeagueOptions& options) {
  if (options.jobs > 0) return options.jobs;
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(kMaxJobs)));
}

namespace {

}  // namespace

DemoResult demoFight(const FightSetup& setup, const std::array<battle::Nanos, battle::kSounds>& soundLengths,
                     long long maxEvents) {
  Module1 M;
  setUpFight(M, setup);
  ProgramRandom rnd;
  rnd.reseed(setup.seed.value_or(1));
  const battle::FightRules rules = battle::fightRules(M.SPEED, forms::kDefaultTimerResolution, soundLengths);
  battle::FightState fight = battle::loadFight(M, battle::FightState{}, rnd, rules);
  fight.INPUTON = 0;  // the computer steers side 0 too
  while (fight.events < maxEvents) {
    const battle::FightStep step = battle::tick(fight, rules);
    if (step.handOver != battle::HandOver::None) return {step.handOver == battle::HandOver::Select, fight.events};
  }
  return {false, fight.events};
}

namespace {

// What one job found, added into the table at the end.
struct JobTally {
  std::array<std::array<int, 8>, 8> wins{};
  long long events = 0;
};

}  // namespace

LeagueResult runLeague(const LeagueOptions& options, std::ostream* progress) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const long long perMatchup = options.fights;
  const long long total = 64 * perMatchup;
  const int jobs = static_cast<int>(std::min<long long>(jobsOf(options), std::max(total, 1LL)));
  // Fights are handed out in blocks of consecutive indices, each job taking the next block.
  constexpr long long kBlock = 64;
  std::atomic<long long> nextBlock{0}, done{0};
  std::atomic<bool> failed{false};
  std::vector<JobTally> tallies(static_cast<std::size_t>(jobs));
  std::vector<std::exception_ptr> errors(static_cast<std::size_t>(jobs));

  auto job = [&](int j) {
    JobTally& tally = tallies[static_cast<std::size_t>(j)];
    FightSetup setup;
    setup.demo = true;
    setup.speed = options.speed;
    const auto soundLengths = battle::soundLengths(options.programFolder);
    const long long maxEvents = kDefaultMaxEvents;
    try {
      while (!failed) {
        const long long first = kBlock * nextBlock++;
        if (first >= total) break;
        const long long last = std::min(first + kBlock, total);
        for (long long k = first; k < last; ++k) {
          const auto p0 = static_cast<int>(k / (8 * perMatchup)), p1 = static_cast<int>(k / perMatchup % 8);
          setup.player = p0;
          setup.opponent = p1;
          setup.seed = options.seed + static_cast<std::uint64_t>(k);
          const DemoResult result = demoFight(setup, soundLengths, maxEvents);
          if (result.won) ++tally.wins[p0][p1];
          tally.events += result.events;
        }
        done += last - first;
      }
    } catch (...) {
      errors[static_cast<std::size_t>(j)] = std::current_exception();
      failed = true;
    }
  };

#ifdef MOJARA_SINGLE_THREADED
  // One thread: the jobs take turns (the one that runs first takes every block), with no progress
  // lines between.
  progress = nullptr;
  for (int j = 1; j < jobs; ++j) job(j);
  std::vector<std::thread> helpers;
#else
  std::vector<std::thread> helpers;
  for (int j = 1; j < jobs; ++j) helpers.emplace_back(job, j);
#endif
  // Alongside the jobs, a progress line a second until they are all done.
  std::mutex finishing;
  std::condition_variable finished;
  bool allDone = false;
  std::thread reporter;
  if (progress)
    reporter = std::thread([&] {
      std::unique_lock lock(finishing);
      while (!finished.wait_for(lock, std::chrono::seconds(1), [&] { return allDone; }))
        *progress << "league: " << done << " of " << total << " fights\n" << std::flush;
    });
  job(0);
  for (std::thread& t : helpers) t.join();
  const auto end = Clock::now();
  {
    const std::lock_guard lock(finishing);
    allDone = true;
  }
  finished.notify_all();
  if (reporter.joinable()) reporter.join();
  for (const std::exception_ptr& error : errors)
    if (error) std::rethrow_exception(error);

  LeagueResult result;
  for (const JobTally& tally : tallies) {
    for (int p0 = 0; p0 < 8; ++p0)
      for (int p1 = 0; p1 < 8; ++p1) result.wins[p0][p1] += tally.wins[p0][p1];
    result.events += tally.events;
  }
  result.fights = total;
  result.seconds = std::chrono::duration<double>(end - start).count();
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

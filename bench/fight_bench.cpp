// Whole demo fights on one core, without trace: the headless runner's speed.
#include <benchmark/benchmark.h>

#include <fstream>

#include "battle/fight_sounds.h"
#include "sim/fight_run.h"
#include "sim/league.h"

namespace {

// The next of the benchmark's demo fights: every pairing of the roster in turn, each with its
// own seed.
void nextDemoFight(mojara::FightSetup& setup, std::uint64_t& seed) {
  setup.player = static_cast<int>(seed % 8);
  setup.opponent = static_cast<int>((seed / 8) % 8);
  setup.seed = seed++;
}

void DemoFight(benchmark::State& state) {
  mojara::sim::FightRun run;
  mojara::FightSetup& setup = run.recorded.fight;
  setup.demo = true;
  run.programFolder = MOJARA_BIN_DIR;
  std::uint64_t seed = 1;
  long long events = 0;
  for (auto _ : state) {
    nextDemoFight(setup, seed);
    events += mojara::sim::runFight(run, nullptr).events;
  }
  state.counters["fights/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["events/fight"] = static_cast<double>(events) / static_cast<double>(state.iterations());
}
BENCHMARK(DemoFight)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The same fights on the battle's rules alone, without the window: what the league runs.
void RulesFight(benchmark::State& state) {
  mojara::FightSetup setup;
  setup.demo = true;
  const auto soundLengths = mojara::battle::soundLengths(MOJARA_BIN_DIR);
  std::uint64_t seed = 1;
  long long events = 0;
  for (auto _ : state) {
    nextDemoFight(setup, seed);
    events += mojara::sim::demoFight(setup, soundLengths, 100000).events;
  }
  state.counters["fights/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["events/fight"] = static_cast<double>(events) / static_cast<double>(state.iterations());
}
BENCHMARK(RulesFight)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// Whole demo fights with their trace, written to a file (/dev/null): trace lines per second.
void TracedFight(benchmark::State& state) {
  mojara::sim::FightRun run;
  mojara::FightSetup& setup = run.recorded.fight;
  setup.demo = true;
  run.trace = true;
  run.programFolder = MOJARA_BIN_DIR;
  std::ofstream file("/dev/null");
  std::uint64_t seed = 1;
  long long lines = 0;
  for (auto _ : state) {
    nextDemoFight(setup, seed);
    lines += mojara::sim::runFight(run, &file).events;
  }
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(TracedFight)->Unit(benchmark::kMicrosecond);

// What a fight costs before its first event: the game's windows, the battle window's load and the
// sprite store, and their teardown.
void FightSetUp(benchmark::State& state) {
  mojara::sim::FightRun run;
  run.recorded.fight.demo = true;
  run.programFolder = MOJARA_BIN_DIR;
  run.maxEvents = 0;
  for (auto _ : state) benchmark::DoNotOptimize(mojara::sim::runFight(run, nullptr).events);
}
BENCHMARK(FightSetUp)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// What going back costs an online fight: each iteration runs one event ahead and then learns that
// the other player pressed a key `depth` events back, so the fight is restored from its copy
// before that event and `depth` events are run again. Depth 0 is the event alone.
#include <benchmark/benchmark.h>

#include <memory>

#include "forms/scheduler.h"
#include "net/rollback_fight.h"
#include "net/fight_start.h"

namespace {

using namespace mojara;

std::unique_ptr<net::RollbackFight> liveFight(const net::LoadedFight& loaded, long long& remote, int depth) {
  auto fight = std::make_unique<net::RollbackFight>(loaded.state, loaded.rules, 1, 16);
  // Past the opening, into the live fight, with the other's presses `depth` events behind.
  remote = 0;
  for (long long event = 1; event <= 60; ++event) {
    fight->setLocal(event, {});
    fight->advance();
    if (event > depth) fight->setRemote(++remote, {});
  }
  return fight;
}

void Rollback(benchmark::State& state) {
  const int depth = static_cast<int>(state.range(0));
  net::Start start;
  start.setup = practiceFight(0, 3);
  start.setup.versus = true;
  start.setup.seed = 7;
  start.timerResolution = forms::kDefaultTimerResolution;
  const net::LoadedFight loaded = net::loadOnlineFight(start, MOJARA_BIN_DIR);
  net::Presses walk;
  walk.add(37);  // the other player walks left: every going back changes the fight
  long long remote = 0;
  auto fight = liveFight(loaded, remote, depth);
  for (auto _ : state) {
    if (fight->predictedOver() || fight->ran() > 1000) {
      state.PauseTiming();
      fight = liveFight(loaded, remote, depth);
      state.ResumeTiming();
    }
    fight->setLocal(fight->ran() + 1, {});
    fight->advance();
    if (depth > 0)
      fight->setRemote(++remote, walk);
    else
      fight->setRemote(++remote, {});
    fight->catchUp();
  }
}
BENCHMARK(Rollback)->Arg(0)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();

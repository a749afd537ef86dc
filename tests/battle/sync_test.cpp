// Saving a fight is copying its value: from any event, the events that follow are the same
// whether they run once or are run again from a copy. A rule that kept memory anywhere but in the
// value (a window's control, a counter of its own) would make the second run differ.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

#include "app/battle_keys.h"
#include "app/fight_setup.h"
#include "battle/fight.h"
#include "battle/fight_sounds.h"
#include "forms/scheduler.h"

namespace mojara::battle {
namespace {

using Presses = std::vector<KeyDown>;

// A fight's value as the window's load makes it, and the rules it runs by.
struct Fight {
  FightState state;
  FightRules rules;
};
Fight loaded(const FightSetup& setup) {
  Module1 M;
  setUpFight(M, setup);
  ProgramRandom rnd;
  rnd.reseed(*setup.seed);
  Fight f{{}, fightRules(M.SPEED, forms::kDefaultTimerResolution, soundLengths(MOJARA_BIN_DIR))};
  f.state = loadFight(M, FightState{}, rnd, f.rules);
  if (setup.demo) f.state.INPUTON = 0;
  if (setup.versus) f.state.INPUTON2 = 1;
  return f;
}

// The presses before each event: in a versus fight both players press battle keys now and then,
// the space bar rarely; in a demo the space bar alone does anything.
std::vector<Presses> randomPresses(std::uint32_t seed, bool versus, std::size_t events) {
  std::vector<std::int32_t> keys{40};  // the battle's keys, and one that is none of them
  for (const BattleKey& key : kBattleKeys) keys.push_back(key.keyCode);
  std::mt19937 draw(seed);
  std::vector<Presses> presses(events);
  for (Presses& before : presses)
    for (std::uint8_t player = 1; player <= (versus ? 2 : 1); ++player) {
      if (draw() % 4 != 0) continue;
      const std::int32_t key = keys[draw() % keys.size()];
      if (key == keyOf(command::Pause) && draw() % 8 != 0) continue;  // a pause now and then, not every fourth press
      before.push_back({key, player});
    }
  return presses;
}

// Where a run from a copy first differs from the run it copies: the event it starts from, how
// many events it ran, and the two values.
std::string difference(long long event, int k, const FightState& first, const FightState& again) {
  std::ostringstream out;
  out << "from event " << event << ", " << k << " events on, the fight differs when run again from its copy\n  first: "
      << first << "\n  again: " << again;
  return out.str();
}

// Runs the fight to its end (or `limit` events) with `step`; from every event, k = 1..8 events are
// run from a copy, twice, and must agree. Returns what first disagreed.
template <class Step>
std::optional<std::string> syncCheck(FightState state, const std::vector<Presses>& presses, Step& step) {
  const auto before = [&](long long event) {
    return event < static_cast<long long>(presses.size()) ? std::span<const KeyDown>(presses[event])
                                                           : std::span<const KeyDown>();
  };
  for (long long event = 0; event < static_cast<long long>(presses.size()) && state.phase != Phase::Over; ++event) {
    for (int k = 1; k <= 8; ++k) {
      FightState first = state, again = state;
      std::vector<FightStep> firstSteps, againSteps;
      for (int j = 0; j < k; ++j) firstSteps.push_back(step(first, before(event + j)));
      for (int j = 0; j < k; ++j) againSteps.push_back(step(again, before(event + j)));
      if (!(first == again) || firstSteps != againSteps) return difference(event, k, first, again);
    }
    step(state, before(event));
  }
  return std::nullopt;
}

TEST(SyncTest, EveryEventRunsTheSameFromACopyOfTheFight) {
  int fights = 0, decided = 0;
  for (std::uint64_t n = 0; n < 200; ++n) {
    FightSetup setup = practiceFight(static_cast<int>(n % 8), static_cast<int>(n / 8 % 8));
    setup.seed = 1000 + n;
    setup.speed = 1 + static_cast<int>(n % 20);
    setup.pow = {static_cast<int>(n * 7 % 101), static_cast<int>(n * 13 % 101)};
    (n % 2 ? setup.versus : setup.demo) = true;
    Fight fight = loaded(setup);
    auto step = [&](FightState& s, std::span<const KeyDown> keys) { return advance(s, fight.rules, keys); };
    const auto failure = syncCheck(fight.state, randomPresses(static_cast<std::uint32_t>(n), setup.versus, 2500), step);
    ASSERT_FALSE(failure) << "fight " << n << ": " << *failure;
    ++fights;
    // The fights run through every phase.
    FightState end = fight.state;
    for (const Presses& keys : randomPresses(static_cast<std::uint32_t>(n), setup.versus, 2500)) advance(end, fight.rules, keys);
    decided += end.phase == Phase::Over;
  }
  EXPECT_EQ(fights, 200);
  EXPECT_GT(decided, 120);  // the rest stay paused
}

TEST(SyncTest, MemoryKeptOutsideTheFightIsFound) {
  FightSetup setup = practiceFight(2, 5);
  setup.seed = 7;
  setup.demo = true;
  Fight fight = loaded(setup);
  // A counter of the window's own that a rule reads: the clock runs faster every seventh event.
  int counted = 0;
  auto leaky = [&](FightState& s, std::span<const KeyDown> keys) {
    const FightStep out = advance(s, fight.rules, keys);
    if (++counted % 7 == 0) s.CLOCK -= 8;
    return out;
  };
  const auto failure = syncCheck(fight.state, randomPresses(1, false, 300), leaky);
  ASSERT_TRUE(failure);
  EXPECT_NE(failure->find("from event 0"), std::string::npos) << *failure;
}

TEST(SyncTest, TheChecksumIsStableAndTellsFightsApart) {
  FightSetup setup = practiceFight(0, 3);
  setup.seed = 1;
  setup.demo = true;
  Fight fight = loaded(setup);
  FightState state = fight.state;
  while (state.phase != Phase::Over) tick(state, fight.rules);
  // The same on every machine and build: recordings carry it.
  EXPECT_EQ(checksum(state), 0x1544f3a76e8fc1eeu) << std::hex << checksum(state);
  FightState other = state;
  other.SEQTICK += 1;
  EXPECT_NE(checksum(other), checksum(state));
  // A pause held longer moves the fight's clock, not the fight.
  other = state;
  other.now += 1, other.timerDue += 1, other.playingUntil[0] += 1;
  EXPECT_EQ(checksum(other), checksum(state));
}

}  // namespace
}  // namespace mojara::battle

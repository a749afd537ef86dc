// A fight's ticks allocate nothing: with every operator new of this test program counted, the
// events in the middle of a fight, traced or not, take no memory from the heap.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <ostream>
#include <streambuf>

#include "../battle/battle_fixture.h"
#include "assets/asset_files.h"
#include "assets/sound_timing.h"
#include "sim/fight_run.h"

namespace {
std::atomic<long long> allocations{0};
}  // namespace

// Every form of operator new counts, and each takes from malloc (or aligned_alloc) what every
// operator delete gives back to free, so that the pairs match under any allocator checker.
namespace {
void* counted(std::size_t size, std::size_t alignment = 0) noexcept {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
  return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}
void* orThrow(void* p) {
  if (!p) throw std::bad_alloc();
  return p;
}
}  // namespace

void* operator new(std::size_t size) { return orThrow(counted(size)); }
void* operator new[](std::size_t size) { return orThrow(counted(size)); }
void* operator new(std::size_t size, std::align_val_t a) { return orThrow(counted(size, std::size_t(a))); }
void* operator new[](std::size_t size, std::align_val_t a) { return orThrow(counted(size, std::size_t(a))); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return counted(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return counted(size); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return counted(size, std::size_t(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return counted(size, std::size_t(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

namespace mojara::testing {
namespace {

// Output that goes nowhere and takes no memory.
class Discard : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

// The allocations of a whole run of the fight, stopped after `events` events.
long long allocationsOfRun(sim::FightRun run, long long events, bool traced, sim::FightOutcome* outcome) {
  Discard nowhere;
  std::ostream out(&nowhere);
  run.trace = traced;
  run.maxEvents = events;
  const long long before = allocations.load();
  *outcome = sim::runFight(run, &out);
  return allocations.load() - before;
}

// Every fight's set-up allocates the same; a run that goes on for hundreds of events more may
// allocate nothing more. Sounds, hits, knock-downs and the clock all happen in between.
TEST(TickAllocations, ALongerRunOfTheSameFightAllocatesNothingMore) {
  for (const bool traced : {false, true}) {
    for (const std::uint64_t seed : {1u, 7u, 2024u, 99991u}) {
      sim::FightRun run;
      run.recorded.fight.demo = true;
      run.recorded.fight.player = static_cast<int>(seed % 8);
      run.recorded.fight.opponent = static_cast<int>(seed / 3 % 8);
      run.recorded.fight.seed = seed;
      run.programFolder = MOJARA_BIN_DIR;
      sim::FightOutcome whole, shorter, longer;
      allocationsOfRun(run, 100000, traced, &whole);  // every sound file's length is known from now on
      const long long middle = whole.events / 2;
      ASSERT_GT(middle, 150) << "seed " << seed;
      const long long atMiddle = allocationsOfRun(run, middle - 100, traced, &shorter);
      const long long later = allocationsOfRun(run, whole.events - 1, traced, &longer);
      EXPECT_EQ(shorter.end, "limit");
      EXPECT_EQ(longer.end, "limit");
      EXPECT_EQ(later, atMiddle) << "seed " << seed << (traced ? ", traced" : "") << ": events " << middle - 100
                                 << " to " << whole.events - 1 << " allocated";
    }
  }
}

// The battle's sounds from the program's folder; their lengths are read once a run, beforehand.
struct FolderHost : SoundHost {
  using SoundHost::SoundHost;
  std::string programFolder() const override { return MOJARA_BIN_DIR; }
};

struct TickAllocationTest : ::testing::Test {
  forms::VirtualClock clock;
  FolderHost host{clock};
  forms::Desktop desktop{host, clock};
  Game game{desktop};
  void SetUp() override {
    for (const std::string_view file : {assets::kMusicFile, assets::kHitSoundFile, assets::kKnockDownSoundFile})
      assets::soundLength(std::string(MOJARA_BIN_DIR) + "/" + std::string(file));
  }
};

TEST_F(TickAllocationTest, TheBattleTicksAllocateNothingInTheMiddleOfAFight) {
  FightSetup fight = fightOfState(game.M);
  fight.player = 2;
  fight.opponent = 6;
  fight.demo = true;
  fight.seed = 5;
  fight.speed = 5;
  game.startFight(fight, AfterFight::Stop);
  auto event = [&] {
    const auto due = desktop.nextDue();
    if (!due) return false;
    clock.set(*due);
    return desktop.fireNextDueTimer();
  };
  BattleControls& c = *game.battle.ctl;
  for (int i = 0; i < 250; ++i) ASSERT_TRUE(event());
  const long long before = allocations.load();
  long long ticks = 0;
  std::size_t plays = 0;
  while (ticks < 600 && c.Timer1.Enabled() && event()) {
    ++ticks;
    // The plays are read and let go after every event, as the traced runner does.
    plays += host.sound.plays().size();
    host.sound.clearPlays();
  }
  EXPECT_EQ(allocations.load() - before, 0) << "over " << ticks << " ticks";
  EXPECT_GT(ticks, 300);
  EXPECT_GT(plays, 3u);  // the music and the hits played in between
}

}  // namespace
}  // namespace mojara::testing

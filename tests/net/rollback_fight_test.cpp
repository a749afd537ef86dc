// An online fight run ahead on predictions and gone back over when the other player's presses
// arrive late comes, event for event, to the same fight as one run with every press on time.
#include "net/rollback_fight.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "app/battle_keys.h"
#include "app/fight_setup.h"
#include "battle/fight_sounds.h"
#include "forms/scheduler.h"

namespace mojara::net {
namespace {

struct Loaded {
  battle::FightState state;
  battle::FightRules rules;
};
Loaded versusFight(std::uint64_t seed) {
  Module1 M;
  setUpFight(M, practiceFight(static_cast<int>(seed % 8), static_cast<int>((seed / 8) % 8)));
  ProgramRandom rnd;
  rnd.reseed(seed);
  Loaded f{{}, battle::fightRules(M.SPEED, forms::kDefaultTimerResolution, battle::soundLengths(MOJARA_BIN_DIR))};
  f.state = battle::loadFight(M, battle::FightState{}, rnd, f.rules);
  f.state.INPUTON2 = 1;
  return f;
}

// Each player's presses before each event: battle keys now and then (never the pause).
std::vector<Presses> presses(std::mt19937& draw, std::size_t events) {
  std::vector<Presses> all(events + 1);
  for (Presses& before : all)
    if (draw() % 3 == 0) before.add(static_cast<std::uint16_t>(kBattleKeys[draw() % (kBattleKeys.size() - 1)].keyCode));
  return all;
}

struct Reference {
  std::vector<std::uint64_t> checksums;  // after each event, from event 1
  std::vector<battle::Sound> sounds;
  long long handedOver = 0;
};
Reference straightRun(Loaded f, const std::vector<Presses>& p1, const std::vector<Presses>& p2) {
  Reference r;
  for (std::size_t event = 1; event < p1.size(); ++event) {
    const EventKeys keys(p1[event], p2[event]);
    const battle::FightStep step = battle::advance(f.state, f.rules, keys.downs());
    r.checksums.push_back(battle::checksum(f.state));
    r.sounds.insert(r.sounds.end(), step.sounds.begin(), step.sounds.begin() + step.soundCount);
    if (step.handOver != battle::HandOver::None) {
      r.handedOver = static_cast<long long>(event);
      break;
    }
  }
  return r;
}

TEST(RollbackFight, LatePressesComeToTheFightOfPressesOnTime) {
  struct Case {
    int lag;  // the other's presses arrive up to this many events late
    int limit;
  };
  for (const Case c : {Case{0, 8}, Case{1, 8}, Case{3, 8}, Case{8, 8}, Case{5, 2}})
    for (int localPlayer : {1, 2})
      for (std::uint64_t seed : {3u, 17u, 42u}) {
        SCOPED_TRACE("lag " + std::to_string(c.lag) + ", limit " + std::to_string(c.limit) + ", player " +
                     std::to_string(localPlayer) + ", seed " + std::to_string(seed));
        std::mt19937 draw(static_cast<std::uint32_t>(seed * 31 + c.lag));
        const std::size_t events = 3000;
        const auto p1 = presses(draw, events), p2 = presses(draw, events);
        const Loaded loaded = versusFight(seed);
        const Reference reference = straightRun(loaded, p1, p2);
        ASSERT_GT(reference.handedOver, 0) << "the fight is decided within " << events << " events";
        const auto& mine = localPlayer == 1 ? p1 : p2;
        const auto& theirs = localPlayer == 1 ? p2 : p1;

        RollbackFight fight(loaded.state, loaded.rules, localPlayer, c.limit);
        std::vector<battle::Sound> heard;
        long long arrived = 0;
        bool stood = false;  // the last advance ran nothing: waiting, or handed over as predicted
        for (int guard = 0; !fight.handedOver() && guard < 20000; ++guard) {
          // The other's presses of an event arrive before it runs here, or up to `lag` events after.
          while (arrived < reference.handedOver &&
                 (stood || arrived + static_cast<long long>(draw() % (c.lag + 1)) <= fight.ran())) {
            ++arrived;
            fight.setRemote(arrived, theirs[arrived]);
            stood = false;
          }
          const long long next = fight.ran() + 1;
          if (fight.localKnown() < next && next <= reference.handedOver) fight.setLocal(next, mine[next]);
          const battle::FightStep step = fight.advance();
          heard.insert(heard.end(), step.sounds.begin(), step.sounds.begin() + step.soundCount);
          stood = !step.ran;
        }
        ASSERT_EQ(fight.handedOver(), reference.handedOver);
        for (long long event = 1; event <= reference.handedOver; ++event)
          ASSERT_EQ(fight.confirmedChecksum(event), reference.checksums[event - 1]) << "event " << event;
        const RollbackFigures& f = fight.figures();
        EXPECT_LE(f.maxDepth, c.limit);
        if (c.lag == 0) {
          EXPECT_EQ(f.rollbacks, 0);
          EXPECT_EQ(heard, reference.sounds) << "with no late press, what is heard is the fight's own sounds";
        } else {
          EXPECT_GT(f.rollbacks, 0);
          // A sound is heard once: going back starts none that already started (the music, which
          // no press moves, exactly as often), and a hit found late is still heard, unless it is
          // long past; one heard on a wrong prediction is rare.
          auto music = [](const std::vector<battle::Sound>& sounds) {
            return std::count_if(sounds.begin(), sounds.end(),
                                 [](battle::Sound s) { return s == battle::Sound::Music; });
          };
          EXPECT_EQ(music(heard), music(reference.sounds));
          EXPECT_NEAR(static_cast<double>(heard.size()), static_cast<double>(reference.sounds.size()),
                      0.1 * static_cast<double>(reference.sounds.size()));
        }
      }
}

}  // namespace
}  // namespace mojara::net

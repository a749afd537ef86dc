// Two peers in one process over a wire of the test's own, on a clock of the test's own (the
// datagrams travel at once unless the test holds them): keeping pace, going on at the fight's pace
// after a stall, the handshake's refusals of strangers, and a planted desync caught on both ends.
// (Whole fights through a bad connection, and attackers against a real runner: the tests of two
// runners.)
#include "net/online_peer.h"

#include <gtest/gtest.h>

#include <random>

#include "app/fight_setup.h"
#include "battle/fight_sounds.h"
#include "forms/scheduler.h"
#include "net/memory_wire.h"

namespace mojara::net {
namespace {

using namespace std::chrono_literals;
using testing::MemoryWire;

struct Loaded {
  battle::FightState state;
  battle::FightRules rules;
};
Loaded loaded(const Start& start) {
  Module1 M;
  setUpFight(M, start.setup);
  ProgramRandom rnd;
  rnd.reseed(*start.setup.seed);
  Loaded f{{}, battle::fightRules(M.SPEED, start.timerResolution, battle::soundLengths(MOJARA_BIN_DIR))};
  f.state = battle::loadFight(M, battle::FightState{}, rnd, f.rules);
  f.state.INPUTON2 = 1;
  return f;
}

PeerSettings settings(std::string version = "1.0") {
  PeerSettings s;
  s.version = std::move(version);
  s.rulesChecksum = battle::rulesChecksum();
  s.connectTimeout = 2s;
  return s;
}

const RoomKey& roomKey() {
  static const RoomKey key(*RoomCode::parse("ABCD-EFGH"));
  return key;
}

Start fightStart(long long maxEvents = 100000) {
  Start start;
  start.setup = practiceFight(2, 5);
  start.setup.seed = 11;
  start.inputDelay = 2;
  start.timerResolution = 10'000'000;
  start.maxEvents = maxEvents;
  return start;
}

// The fight's own step with every hit taking one more life: rules that part from the other's.
battle::FightStep harderHits(battle::FightState& state, const battle::FightRules& rules,
                             std::span<const battle::KeyDown> keys) {
  const auto before = state.LIFE;
  const battle::FightStep step = battle::advance(state, rules, keys);
  for (int side = 0; side <= 1; ++side)
    if (state.LIFE[side] < before[side]) state.LIFE[side] -= 1;
  return step;
}

struct Pair {
  MemoryWire wire;
  Clock::time_point now = Clock::time_point{} + 1000h;
  std::unique_ptr<OnlinePeer> host, joiner;
  explicit Pair(PeerSettings joinerSettings = settings(), const RoomKey& joinerKey = roomKey()) {
    host = OnlinePeer::host(wire.end(1, 4913), roomKey(), settings(), now);
    joiner = OnlinePeer::join(wire.end(2, 5000), testing::loopbackAddress(1, 4913), joinerKey,
                              std::move(joinerSettings), now);
  }
  // Both poll, `steps` times, the clock moving on by `step` each time.
  void run(int steps, Clock::duration step = 1ms) {
    for (int k = 0; k < steps; ++k) {
      now += step;
      host->poll(now);
      joiner->poll(now);
    }
  }
  // Connects, and starts a fight of 10 ms events on both.
  void startFight(RollbackFight::Step hostStep = &battle::advance,
                  RollbackFight::Step joinerStep = &battle::advance, long long maxEvents = 100000) {
    run(20);
    ASSERT_EQ(host->link(), OnlinePeer::Link::Connected);
    ASSERT_EQ(joiner->link(), OnlinePeer::Link::Connected);
    host->start(fightStart(maxEvents), now);
    run(1);
    const auto heard = joiner->takeStart();
    ASSERT_TRUE(heard);
    const Loaded f = loaded(*heard);
    joiner->begin(f.state, f.rules, now, joinerStep);
    run(1);
    ASSERT_TRUE(host->takeStart()) << "the host heard that the joiner began";
    host->begin(f.state, f.rules, now, hostStep);
  }
  // Both fight with random presses for `span` of the clock, 1 ms at a time; the joiner looks
  // every `joinerEvery` ms; `each` is told every event either runs.
  void fight(Clock::duration span, std::mt19937& draw, int joinerEvery = 1,
             const std::function<void(OnlinePeer&)>& ran = {}) {
    for (auto t = 0ms; t < span; t += 1ms) {
      now += 1ms;
      const bool joinerLooks = t.count() % joinerEvery == 0;
      for (OnlinePeer* peer : {host.get(), joinerLooks ? joiner.get() : nullptr}) {
        if (!peer) continue;
        peer->poll(now);
        constexpr std::uint16_t kKeys[] = {'A', 'Z', 'S', 'Q', 'X', 37, 39, 38};
        if (draw() % 60 == 0) peer->press(kKeys[draw() % std::size(kKeys)]);
        if (peer->runDue(now).step.ran && ran) ran(*peer);
      }
    }
  }
};

TEST(OnlinePeer, TheFasterPeerKeepsPaceWithASlowerOneInsteadOfRunningAheadAndWaiting) {
  Pair pair;
  pair.startFight();
  std::mt19937 draw(5);
  pair.fight(4s, draw, 15);  // the joiner manages an event every 15 ms, not every 10
  EXPECT_LE(pair.host->figures().fight.waits, 3) << "it slows down rather than reach the prediction limit";
  EXPECT_LT(pair.host->fight()->ran() - pair.joiner->fight()->ran(), kDefaultPredictionLimit);
  EXPECT_GT(pair.joiner->fight()->ran(), 200);
}

// A peer held up for 4 s (its program stopped) goes on at the fight's pace from where it
// stands: it never runs the events it missed faster to catch the clock up, and the other, which
// waited for it, neither; within a few seconds the two keep pace again.
TEST(OnlinePeer, AfterAStallBothGoOnAtTheFightsPaceAndKeepPaceAgain) {
  Pair pair;
  pair.startFight();
  std::mt19937 draw(9);
  pair.fight(1s, draw);
  pair.fight(4s, draw, 4000);  // the joiner looks once in 4 s
  std::map<OnlinePeer*, std::vector<Clock::time_point>> events;
  pair.fight(6s, draw, 1, [&](OnlinePeer& peer) { events[&peer].push_back(pair.now); });
  for (OnlinePeer* peer : {pair.host.get(), pair.joiner.get()}) {
    SCOPED_TRACE(peer == pair.host.get() ? "host" : "joiner");
    const std::vector<Clock::time_point>& at = events[peer];
    ASSERT_GT(at.size(), 300u) << "the fight went on";
    // No more than 3 events in any 20 ms (the period is 10 ms).
    for (std::size_t k = 3; k < at.size(); ++k)
      EXPECT_GT(at[k] - at[k - 3], 20ms) << "a burst at event " << k;
  }
  EXPECT_LT(std::abs(pair.host->fight()->ran() - pair.joiner->fight()->ran()), 3)
      << "the pace was kept again";
  EXPECT_EQ(pair.host->fightEnd(), OnlinePeer::FightEnd::None);
}

// With the link cut one way mid-fight, the end that hears nothing and the end that still hears the
// other both end the fight lost at the same event, with the same presses: one ending, one
// recording.
TEST(OnlinePeer, ALinkCutOneWayEndsBothAtTheSameEventWithTheSamePresses) {
  for (const bool toJoiner : {true, false}) {
    SCOPED_TRACE(toJoiner ? "cut towards the joiner" : "cut towards the host");
    Pair pair;
    pair.startFight();
    std::mt19937 draw(toJoiner ? 17 : 18);
    pair.fight(1500ms, draw);
    const net::Address cut = toJoiner ? testing::loopbackAddress(2, 5000) : testing::loopbackAddress(1, 4913);
    pair.wire.pass = [&](MemoryWire::Datagram& d) { return !(d.to == cut); };
    for (int k = 0; k < 20'000 && (pair.host->fighting() || pair.joiner->fighting()); ++k)
      pair.fight(1ms, draw);
    for (OnlinePeer* peer : {pair.host.get(), pair.joiner.get()})
      EXPECT_EQ(peer->fightEnd(), OnlinePeer::FightEnd::Lost);
    EXPECT_EQ(pair.host->endEvent(), pair.joiner->endEvent());
    EXPECT_GT(pair.host->endEvent(), 100);
    EXPECT_EQ(pair.host->mergedPresses(pair.host->endEvent()),
              pair.joiner->mergedPresses(pair.joiner->endEvent()));
  }
}

// Whoever knocks without being the friend the host waits for is told no, once, and the host
// goes on waiting for its friend, who then joins.
TEST(OnlinePeer, AJoinerOfAnotherVersionRulesOrCodeIsRefusedAndTheHostGoesOnWaiting) {
  PeerSettings otherRules = settings();
  ++otherRules.rulesChecksum;
  const RoomKey otherRoom(*RoomCode::parse("ZZZZ-ZZZZ"));
  struct Case {
    const char* what;
    PeerSettings settings;
    const RoomKey& key;
    Refusal::Reason reason;
  };
  const Case cases[] = {{"another version", settings("0.9"), roomKey(), Refusal::Version},
                        {"other rules", otherRules, roomKey(), Refusal::Rules},
                        {"the wrong code", settings(), otherRoom, Refusal::WrongCode}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Pair pair(c.settings, c.key);
    pair.run(500);
    EXPECT_EQ(pair.joiner->link(), OnlinePeer::Link::Refused);
    EXPECT_EQ(pair.joiner->refusal(), c.reason);
    EXPECT_EQ(pair.host->link(), OnlinePeer::Link::Waiting);
    // The friend comes after all.
    auto friendly = OnlinePeer::join(pair.wire.end(3, 5000), testing::loopbackAddress(1, 4913), roomKey(),
                                     settings(), pair.now);
    for (int k = 0; k < 50; ++k) {
      pair.now += 1ms;
      pair.host->poll(pair.now);
      friendly->poll(pair.now);
    }
    EXPECT_EQ(pair.host->link(), OnlinePeer::Link::Connected);
    EXPECT_EQ(friendly->link(), OnlinePeer::Link::Connected);
  }
}

TEST(OnlinePeer, ASecondJoinerIsToldTheHostIsBusy) {
  Pair pair;
  pair.startFight();
  auto second = OnlinePeer::join(pair.wire.end(3, 5000), testing::loopbackAddress(1, 4913), roomKey(),
                                 settings(), pair.now);
  std::mt19937 draw(3);
  for (int k = 0; k < 10; ++k) {
    pair.fight(1ms, draw);
    second->poll(pair.now);
  }
  EXPECT_EQ(second->link(), OnlinePeer::Link::Refused);
  EXPECT_EQ(second->refusal(), Refusal::Busy);
  EXPECT_TRUE(pair.host->fighting());
}

// A build whose rules part from the other's (a hit takes one more life on one end) is caught on
// both ends at the event of the first hit, whichever end it is.
TEST(OnlinePeer, RulesThatDifferOnOneEndAreCaughtOnBothAtTheFirstHit) {
  for (const bool onHost : {true, false}) {
    SCOPED_TRACE(onHost ? "harder hits on the host" : "harder hits on the joiner");
    Pair pair;
    pair.startFight(onHost ? &harderHits : &battle::advance, onHost ? &battle::advance : &harderHits);
    std::mt19937 draw(21);
    for (int k = 0; k < 60'000 && (pair.host->fighting() || pair.joiner->fighting()); ++k)
      pair.fight(1ms, draw);
    // Where the first hit falls, on one end's fight as both confirmed it before they parted.
    long long firstHit = 0;
    RollbackFight straight(loaded(fightStart()).state, loaded(fightStart()).rules, 1, 1000);
    for (long long e = 1;
         e <= std::min(pair.host->fight()->localKnown(), pair.host->fight()->remoteKnown()) && !firstHit;
         ++e) {
      straight.setLocal(e, pair.host->fight()->localPresses(e));
      straight.setRemote(e, pair.host->fight()->remotePresses(e));
      const auto before = straight.state().LIFE;
      straight.advance();
      if (straight.state().LIFE != before) firstHit = e;
    }
    ASSERT_GT(firstHit, 0);
    for (OnlinePeer* peer : {pair.host.get(), pair.joiner.get()}) {
      EXPECT_EQ(peer->fightEnd(), OnlinePeer::FightEnd::Desync);
      EXPECT_EQ(peer->endEvent(), firstHit);
    }
  }
}

}  // namespace
}  // namespace mojara::net

// Two peers in one process on 127.0.0.1, on a clock of the test's own (the datagrams themselves
// travel at once): keeping pace, and the handshake's refusals. (Whole fights, silence and junk:
// the tests of two games and of two runners.)
#include "net/online_peer.h"

#include <gtest/gtest.h>

#include <random>

#include "app/fight_setup.h"
#include "battle/fight_sounds.h"
#include "forms/scheduler.h"

namespace mojara::net {
namespace {

using namespace std::chrono_literals;

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
  return s;
}

struct Pair {
  Clock::time_point now = Clock::now();
  std::unique_ptr<OnlinePeer> host, joiner;
  explicit Pair(PeerSettings joinerSettings = settings()) {
    host = OnlinePeer::host(UdpSocket::bound("127.0.0.1", 0), settings(), now);
    const Address address = resolve("127.0.0.1", host->port());
    joiner = OnlinePeer::join(UdpSocket::towards(address), address, std::move(joinerSettings), now);
  }
  // Both poll, `steps` times, the clock moving on by `step` each time.
  void run(int steps, Clock::duration step = 1ms, bool joinerAlive = true) {
    for (int k = 0; k < steps; ++k) {
      now += step;
      host->poll(now);
      if (joinerAlive) joiner->poll(now);
    }
  }
  // Connects, and starts a fight of 10 ms events on both.
  void startFight() {
    run(20);
    ASSERT_EQ(host->link(), OnlinePeer::Link::Connected);
    ASSERT_EQ(joiner->link(), OnlinePeer::Link::Connected);
    Start start;
    start.setup = practiceFight(2, 5);
    start.setup.seed = 11;
    start.inputDelay = 2;
    start.timerResolution = 10'000'000;
    start.maxEvents = 100000;
    host->start(start, now);
    const Loaded f = loaded(*host->takeStart());
    host->begin(f.state, f.rules, now);
    run(1);
    const auto heard = joiner->takeStart();
    ASSERT_TRUE(heard);
    joiner->begin(f.state, f.rules, now);
  }
  // Both fight with random presses for `span` of the clock, 1 ms at a time; the joiner looks
  // every `joinerEvery` ms.
  void fight(Clock::duration span, std::mt19937& draw, int joinerEvery = 1) {
    for (auto t = 0ms; t < span; t += 1ms) {
      now += 1ms;
      const bool joinerLooks = t.count() % joinerEvery == 0;
      for (OnlinePeer* peer : {host.get(), joinerLooks ? joiner.get() : nullptr}) {
        if (!peer) continue;
        peer->poll(now);
        constexpr std::uint16_t kKeys[] = {'A', 'Z', 'S', 'Q', 'X', 37, 39, 38};
        if (draw() % 60 == 0) peer->press(kKeys[draw() % std::size(kKeys)]);
        peer->runDue(now);
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

TEST(OnlinePeer, PeersOfAnotherVersionOrOtherRulesAreRefusedOnBothSides) {
  PeerSettings otherRules = settings();
  ++otherRules.rulesChecksum;
  for (const PeerSettings& joiner : {settings("0.9"), otherRules}) {
    Pair pair(joiner);
    pair.run(20);
    EXPECT_EQ(pair.host->link(), OnlinePeer::Link::Refused);
    EXPECT_EQ(pair.joiner->link(), OnlinePeer::Link::Refused);
    EXPECT_NE(pair.joiner->problem().find(joiner.version == "0.9" ? "version 1.0" : "other rules"), std::string::npos)
        << pair.joiner->problem();
  }
}

}  // namespace
}  // namespace mojara::net

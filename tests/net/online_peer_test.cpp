// Two peers in one process on 127.0.0.1, on a clock of the test's own (the datagrams themselves
// travel at once): the handshake, a fight to its end, keeping pace, silence, and junk.
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
  // Connects, and starts a fight of 10 ms events on both; the joiner begins `late` after the host.
  void startFight(Clock::duration late = 0ms) {
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
    if (late > 0ms) {
      for (auto t = 0ms; t < late; t += 1ms) {
        now += 1ms;
        host->poll(now);
        host->runDue(now);
      }
    }
    const auto heard = joiner->takeStart();
    ASSERT_TRUE(heard);
    joiner->begin(f.state, f.rules, now);
  }
  // Both fight with random presses for `span` of the clock, 1 ms at a time.
  void fight(Clock::duration span, std::mt19937& draw, bool joinerAlive = true) {
    for (auto t = 0ms; t < span; t += 1ms) {
      now += 1ms;
      for (OnlinePeer* peer : {host.get(), joinerAlive ? joiner.get() : nullptr}) {
        if (!peer) continue;
        peer->poll(now);
        constexpr std::uint16_t kKeys[] = {'A', 'Z', 'S', 'Q', 'X', 37, 39, 38};
        if (draw() % 60 == 0) peer->press(kKeys[draw() % std::size(kKeys)]);
        peer->runDue(now);
      }
    }
  }
};

TEST(OnlinePeer, BothEndTheFightWithTheSamePressesAndChecksums) {
  Pair pair;
  pair.startFight();
  std::mt19937 draw(3);
  for (int k = 0; k < 60 && (pair.host->fightEnd() == OnlinePeer::FightEnd::None ||
                             pair.joiner->fightEnd() == OnlinePeer::FightEnd::None);
       ++k)
    pair.fight(1s, draw);
  ASSERT_EQ(pair.host->fightEnd(), OnlinePeer::FightEnd::Over);
  ASSERT_EQ(pair.joiner->fightEnd(), OnlinePeer::FightEnd::Over);
  const long long end = pair.host->endEvent();
  EXPECT_EQ(pair.joiner->endEvent(), end);
  EXPECT_EQ(pair.host->mergedPresses(end), pair.joiner->mergedPresses(end));
  EXPECT_FALSE(pair.host->mergedPresses(end).empty());
  for (long long event = 1; event <= end; ++event)
    ASSERT_EQ(pair.host->fight()->confirmedChecksum(event), pair.joiner->fight()->confirmedChecksum(event));
  EXPECT_EQ(pair.host->figures().packetsBad + pair.joiner->figures().packetsBad, 0);
}

TEST(OnlinePeer, APeerThatStartedAheadSlowsUntilNeitherWaits) {
  Pair pair;
  pair.startFight(300ms);  // the host is 30 events ahead when the joiner begins
  std::mt19937 draw(5);
  pair.fight(3s, draw);
  const long long hostWaits = pair.host->figures().fight.waits;
  EXPECT_GT(hostWaits, 0) << "far ahead, the host waits at first";
  pair.fight(3s, draw);
  EXPECT_EQ(pair.host->figures().fight.waits, hostWaits) << "then keeps pace without waiting";
  EXPECT_EQ(pair.joiner->figures().fight.waits, 0);
  EXPECT_LE(std::abs(pair.host->fight()->ran() - pair.joiner->fight()->ran()), 2);
}

TEST(OnlinePeer, ASilentPeerIsLostAfterFiveSecondsAtTheLastConfirmedEvent) {
  Pair pair;
  pair.startFight();
  std::mt19937 draw(7);
  pair.fight(2s, draw);
  pair.fight(4900ms, draw, false);
  EXPECT_EQ(pair.host->fightEnd(), OnlinePeer::FightEnd::None);
  pair.fight(200ms, draw, false);
  ASSERT_EQ(pair.host->fightEnd(), OnlinePeer::FightEnd::Lost);
  EXPECT_EQ(pair.host->link(), OnlinePeer::Link::Lost);
  EXPECT_EQ(pair.host->endEvent(), pair.host->fight()->confirmed());
  EXPECT_GT(pair.host->endEvent(), 100);
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

TEST(OnlinePeer, JunkFromAnywhereIsCountedAndChangesNothing) {
  std::vector<KeyPress> presses[2];
  long long ends[2] = {};
  for (bool junk : {false, true}) {
    Pair pair;
    pair.startFight();
    UdpSocket third = UdpSocket::bound("127.0.0.1", 0);
    const Address hostAddress = resolve("127.0.0.1", pair.host->port());
    std::mt19937 draw(9), bytes(1);
    for (int k = 0; k < 60 && pair.host->fightEnd() == OnlinePeer::FightEnd::None; ++k) {
      for (int j = 0; junk && j < 50; ++j) {
        std::vector<std::uint8_t> datagram(bytes() % 2000);
        for (auto& b : datagram) b = static_cast<std::uint8_t>(bytes());
        if (j % 5 == 0 && datagram.size() > 9) std::copy_n("MJRB", 4, datagram.begin());  // ours at first sight
        third.send(hostAddress, datagram);
      }
      pair.fight(1s, draw);
    }
    ASSERT_EQ(pair.host->fightEnd(), OnlinePeer::FightEnd::Over);
    ends[junk] = pair.host->endEvent();
    presses[junk] = pair.host->mergedPresses(ends[junk]);
    EXPECT_EQ(pair.host->figures().packetsBad > 100, junk);
  }
  EXPECT_EQ(ends[0], ends[1]);
  EXPECT_EQ(presses[0], presses[1]);
}

}  // namespace
}  // namespace mojara::net

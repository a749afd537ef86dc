// Attacks on real runners, each of which worked on the first online version, whose datagrams had
// no key: strangers without the room's code at a waiting host, a joiner with the code that floods
// the host or never moves the fight, someone on the way with the code, a second joiner, and a
// peer stopped for a while. The fight played in the end is the fight the same presses make on one
// machine, byte for byte.
#include "net/attacker.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <random>
#include <thread>

#include "battle/trace_diff.h"
#include "net/online_fight.h"

namespace mojara::testing {
namespace {

using namespace std::chrono_literals;

constexpr milliseconds kFightBound{90000};
// How much more a flooded host may take than a quiet one. AddressSanitizer keeps what is freed
// aside for a while (up to 256 MB), so there the bound is the plain build's to check.
#if defined(__SANITIZE_ADDRESS__)
constexpr long long kFloodAllowanceKb = 256 * 1024;
#else
constexpr long long kFloodAllowanceKb = 4096;
#endif

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// The most answers that came within any one second.
int mostInASecond(const std::vector<AttackSocket::Answer>& answers) {
  std::vector<Clock::time_point> at;
  for (const auto& a : answers) at.push_back(a.at);
  std::sort(at.begin(), at.end());
  int most = 0;
  for (std::size_t first = 0, last = 0; last < at.size(); ++last) {
    while (at[last] - at[first] >= 1s) ++first;
    most = std::max(most, static_cast<int>(last - first + 1));
  }
  return most;
}

std::string otherCode(const std::string& code) { return code == "ZZZZ-ZZZZ" ? "YYYY-YYYY" : "ZZZZ-ZZZZ"; }

std::string bytesText(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// What a stranger sends: the k-th datagram, from one of `ports` ports of 127.0.0.1 in turn.
struct Stranger {
  const char* what;
  int ports;
  std::function<std::vector<std::uint8_t>(std::mt19937_64& random, int k)> datagram;
};

std::vector<Stranger> strangers(const net::RoomKey& otherRoom) {
  const std::vector<std::uint8_t> captured = helloDatagram(otherRoom, 0x5eed);
  return {
      {"junk of every size, and hellos cut short or run long", 1,
       [captured](std::mt19937_64& random, int) {
         const std::string junk = junkDatagram(random, bytesText(captured));
         return std::vector<std::uint8_t>(junk.begin(), junk.end());
       }},
      {"a hello of another room, captured and sent again and again", 1,
       [captured](std::mt19937_64&, int) { return captured; }},
      {"hellos of another room and of another version, from 64 ports", 64,
       [&otherRoom](std::mt19937_64& random, int k) {
         return k % 2 ? helloDatagram(otherRoom, random())
                      : helloDatagram(otherRoom, random(), "0.0.0-other");
       }},
  };
}

// A stranger's `count` datagrams to `port`, `every` apart; what came back is on its sockets.
struct Sent {
  std::vector<std::unique_ptr<AttackSocket>> sockets;
  std::size_t largest = 0;
  std::uint64_t bytesSent() const {
    std::uint64_t n = 0;
    for (const auto& s : sockets) n += s->bytesSent;
    return n;
  }
  std::uint64_t bytesAnswered() const {
    std::uint64_t n = 0;
    for (const auto& s : sockets) n += s->bytesAnswered;
    return n;
  }
  std::vector<AttackSocket::Answer> answers() const {
    std::vector<AttackSocket::Answer> all;
    for (const auto& s : sockets) all.insert(all.end(), s->answers.begin(), s->answers.end());
    return all;
  }
};

Sent send(const Stranger& stranger, std::uint16_t port, int count, std::chrono::microseconds every,
          std::uint64_t seed, const std::atomic<bool>* stop = nullptr) {
  Sent sent;
  for (int k = 0; k < stranger.ports; ++k) sent.sockets.push_back(std::make_unique<AttackSocket>());
  std::mt19937_64 random(seed);
  for (int k = 0; k < count && !(stop && *stop); ++k) {
    const std::vector<std::uint8_t> d = stranger.datagram(random, k);
    AttackSocket& socket = *sent.sockets[k % stranger.ports];
    socket.send(loopback(port), d);
    sent.largest = std::max(sent.largest, d.size());
    socket.drain();
    std::this_thread::sleep_for(every);
  }
  for (int k = 0; k < 10; ++k) {
    std::this_thread::sleep_for(10ms);
    for (auto& s : sent.sockets) s->drain();
  }
  return sent;
}

// A stranger without the code knocks in every way it can, then a joiner with the wrong code, and
// the host, still waiting, answers each with at most a few small datagrams a second; then its
// friend joins through another stranger's flood and they play the fight.
TEST(Stranger, AWaitingHostAnswersAFewSmallDatagramsAndItsFriendStillPlays) {
  const TestFiles files;
  const FightPlan plan = plannedFight(71, 2, 6, 300);
  OnlineFight fight(plan, files("fight"));
  const Finished local = localFight(plan, files("local"));
  const net::RoomKey& otherRoom = roomKey(otherCode(fight.code));
  const std::vector<Stranger> rows = strangers(otherRoom);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    SCOPED_TRACE(rows[row].what);
    const Sent sent = send(rows[row], fight.hostPort, 300, 2ms, 71 + row);
    const auto answers = sent.answers();
    std::printf("%-70s sent %4zu datagrams, %7llu bytes; answered %3zu, %5llu bytes\n", rows[row].what,
                static_cast<std::size_t>(300), static_cast<unsigned long long>(sent.bytesSent()),
                answers.size(), static_cast<unsigned long long>(sent.bytesAnswered()));
    ASSERT_TRUE(fight.host->running()) << lastLines(fight.host->err());
    EXPECT_LE(sent.bytesAnswered(), sent.bytesSent());
    for (const auto& a : answers) EXPECT_LE(a.bytes.size(), sent.largest);
    EXPECT_LE(mostInASecond(answers), 8) << "a few a second to one address";
  }

  const Finished wrongCode =
      runSim({"fight", "--versus", "--join",
              "127.0.0.1:" + std::to_string(fight.hostPort) + "/" + otherCode(fight.code)},
             files("wrong-code"), milliseconds(15000));
  EXPECT_EQ(wrongCode.status, 2) << wrongCode.err;
  EXPECT_NE(wrongCode.err.find("code"), std::string::npos) << wrongCode.err;
  EXPECT_EQ(wrongCode.out, "");
  ASSERT_TRUE(fight.host->running()) << lastLines(fight.host->err());

  std::atomic<bool> joined = false;
  std::jthread flood([&] { send(rows[2], fight.hostPort, 1000, 2ms, 99, &joined); });
  fight.join("127.0.0.1:" + std::to_string(fight.hostPort));
  const OnlineFight::Ends ends = fight.finish(kFightBound);
  joined = true;
  expectTheLocalFightOnBoth(local, ends, files("fight"));
}

// A stranger who has seen one hello of the friend's (it is sealed, so it opens with the room's
// key) sends it again and again from other machines: the host still welcomes its friend at once.
TEST(Stranger, CopiesOfTheFriendsHelloFromOtherMachinesDoNotKeepTheFriendOut) {
  const TestFiles files;
  const FightPlan plan = plannedFight(72, 2, 6, 50);
  OnlineFight fight(plan, files("fight"));
  const std::vector<std::uint8_t> seen = helloDatagram(roomKey(fight.code), 0x5eed);
  std::atomic<bool> stop = false;
  std::jthread copies([&] {
    std::vector<std::unique_ptr<AttackSocket>> machines;
    for (int k = 0; k < 16; ++k)
      machines.push_back(std::make_unique<AttackSocket>("127.0.0." + std::to_string(2 + k)));
    for (int k = 0; k < 100'000 && !stop; ++k) {
      machines[k % machines.size()]->send(loopback(fight.hostPort), seen);
      machines[k % machines.size()]->drain();
      if (k % 4 == 3) std::this_thread::sleep_for(200us);
    }
  });
  std::this_thread::sleep_for(300ms);
  const auto joined = Clock::now();
  fight.join("127.0.0.1:" + std::to_string(fight.hostPort));
  const OnlineFight::Ends ends = fight.finish(kFightBound);
  const double seconds = secondsSince(joined);
  stop = true;
  EXPECT_EQ(ends.joiner.status, 0) << lastLines(ends.joiner.err);
  EXPECT_LT(seconds, 2.0) << "a fight of 50 events takes half a second once the friend is welcomed";
}

// A joiner with the code that never moves the fight on: the host counts what it cannot use as
// bad, keeps none of it, and lets it go after 5 s.
struct Misdeed {
  const char* what;
  std::chrono::microseconds every;
  std::function<net::Message(const KeyedJoiner&, int k)> says;
};

const Misdeed kMisdeeds[] = {
    {"floods presses and checksums of far-off events, acknowledging what was never sent", 250us,
     [](const KeyedJoiner& j, int k) -> net::Message {
       return farFuture(j.start()->fight, 1000 + 32 * static_cast<std::uint32_t>(k));
     }},
    {"says its pick and nothing else", 20ms,
     [](const KeyedJoiner&, int) -> net::Message { return net::Pick{}; }},
    {"sends inputs with no presses", 20ms,
     [](const KeyedJoiner& j, int) -> net::Message {
       net::Inputs in;
       in.fight = j.start()->fight;
       return in;
     }},
};

struct MisdeedEnd {
  std::optional<int> status;
  std::string out, err;
  double seconds = 0;      // from the first misdeed to the host's end
  long long peakKb = 0;    // the host's most memory
  std::uint64_t sent = 0;  // datagrams of the misdeed
};

MisdeedEnd misbehave(const Misdeed& misdeed, const std::string& files) {
  FightPlan plan = plannedFight(83, 2, 20, 3000);
  OnlineFight fight(plan, files);
  MisdeedEnd end;
  KeyedJoiner joiner(fight.hostPort, fight.code);
  if (!joiner.join(5s)) return end;
  for (int k = 0; k < 300 && !joiner.start(); ++k) joiner.receive(10ms);
  if (!joiner.start()) return end;
  const auto began = Clock::now();
  auto nextLook = began;
  for (int k = 0; k < 100'000 && fight.host->running() && secondsSince(began) < 15; ++k) {
    joiner.send(misdeed.says(joiner, k));
    ++end.sent;
    joiner.receive();
    if (Clock::now() >= nextLook) {
      if (const auto m = memoryOf(fight.host->pid()))
        end.peakKb = std::max({end.peakKb, m->peakKb, m->rssKb});
      nextLook = Clock::now() + 50ms;
    }
    std::this_thread::sleep_for(misdeed.every);
  }
  end.seconds = secondsSince(began);
  end.status = fight.host->wait(1ms);
  end.out = fight.host->out();
  end.err = fight.host->err();
  return end;
}

TEST(KeyedPeer, OneThatNeverMovesTheFightIsLetGoAfterFiveSecondsAndWhatItClaimsIsNotKept) {
  const TestFiles files;
  const int rows = static_cast<int>(std::size(kMisdeeds));
  const auto ends =
      inParallel(rows, [&](int i) { return misbehave(kMisdeeds[i], files("misdeed" + std::to_string(i))); });
  long long quietKb = 0;  // the most a host took with a peer that floods nothing
  for (int i = 1; i < rows; ++i) quietKb = std::max(quietKb, ends[i].peakKb);
  for (int i = 0; i < rows; ++i) {
    SCOPED_TRACE(kMisdeeds[i].what);
    const MisdeedEnd& end = ends[i];
    std::printf("%-85s ended in %.2f s, %llu datagrams, at most %lld kB\n", kMisdeeds[i].what, end.seconds,
                static_cast<unsigned long long>(end.sent), end.peakKb);
    ASSERT_GT(end.sent, 0u) << "the joiner did not join: " << lastLines(end.err);
    EXPECT_EQ(end.status, 1) << lastLines(end.err);
    EXPECT_EQ(jsonValue(textLines(end.out).empty() ? "" : textLines(end.out).back(), "end"),
              "\"disconnected\"")
        << lastLines(end.out, 1);
    EXPECT_GE(end.seconds, 4.5);
    EXPECT_LE(end.seconds, 5.0 + 3.0);
    const auto stats = netStats(end.err);
    ASSERT_TRUE(stats) << lastLines(end.err);
    if (i == 0) {
      EXPECT_GE(stats->at("packets_bad"), end.sent / 2.0) << "what claims the far future is malformed";
      // A host of a fight takes some 9 MB; this flood claims 32 events of presses and checksums
      // in each of its thousands of datagrams a second.
      EXPECT_LE(end.peakKb, quietKb + kFloodAllowanceKb) << "against " << quietKb << " kB without the flood";
    }
  }
}

// What the relay and the test saw of a fight under attack.
struct Seen {
  std::mutex lock;
  std::vector<std::pair<Clock::time_point, std::uint32_t>> joinerRan;  // the joiner's inputs: when, and `ran`
  std::atomic<int> forged = 0;
  Clock::time_point stopped, resumed;
  std::optional<Finished> second;
  double secondSeconds = 0;
  bool fightWentOn = false;  // both peers still ran once the interference was over
};

constexpr const char* kCode = "MJRA-TEST";

// Someone on the way who has the code: after one in three of the joiner's inputs, the same
// inputs numbered as the next datagram, but acknowledging every event there could ever be. The
// joiner's own next datagram is then a copy the host has had, and is lost.
ImpairedRelay::Tap forgedAcknowledgements(Seen& seen) {
  return [&seen](bool toHost, const std::string& data) -> std::vector<std::string> {
    const auto d = opened(data);
    if (!toHost || !d || !std::holds_alternative<net::Inputs>(d->message) || d->sequence % 3 != 0) return {};
    net::Datagram forged = *d;
    ++forged.sequence;
    auto& in = std::get<net::Inputs>(forged.message);
    in.pressesAck = in.checksAck = in.bothHave = 0xFFFFFFFFu;
    ++seen.forged;
    return {bytesText(sealed(forged, roomKey(kCode), net::Role::Joiner))};
  };
}

// Notes when each of the joiner's inputs passed, and how many events it had run.
ImpairedRelay::Tap joinersPace(Seen& seen) {
  return [&seen](bool toHost, const std::string& data) -> std::vector<std::string> {
    const auto d = opened(data);
    if (toHost && d)
      if (const auto* in = std::get_if<net::Inputs>(&d->message)) {
        std::lock_guard held(seen.lock);
        seen.joinerRan.emplace_back(Clock::now(), in->ran);
      }
    return {};
  };
}

// The most events the joiner said it ran within any 100 ms between `from` and `to`.
std::uint32_t mostEventsIn100Ms(const Seen& seen, Clock::time_point from, Clock::time_point to) {
  std::vector<std::pair<Clock::time_point, std::uint32_t>> ran;
  for (const auto& r : seen.joinerRan)
    if (r.first >= from && r.first <= to) ran.push_back(r);
  std::uint32_t most = 0;
  for (std::size_t first = 0, last = 0; last < ran.size(); ++last) {
    while (ran[last].first - ran[first].first > 100ms) ++first;
    if (ran[last].second > ran[first].second) most = std::max(most, ran[last].second - ran[first].second);
  }
  return most;
}

struct Interference {
  const char* what;
  int maxEvents;
  ImpairedRelay::Tap (*tap)(Seen&);
  std::function<void(OnlineFight&, Seen&, const std::string& files)> during;  // while the fight goes on
  std::function<void(const OnlineFight::Ends&, const Seen&)> check;           // after it
};

const Interference kInterferences[] = {
    {"someone on the way with the code acknowledges every event there could be", 400, forgedAcknowledgements,
     [](OnlineFight&, Seen&, const std::string&) {},
     [](const OnlineFight::Ends& ends, const Seen& seen) {
       EXPECT_GT(seen.forged, 20);
       const auto stats = netStats(ends.host.err);
       ASSERT_TRUE(stats) << lastLines(ends.host.err);
       std::printf("%d forged inputs, %.0f datagrams the host found bad\n", seen.forged.load(),
                   stats->at("packets_bad"));
       EXPECT_GE(stats->at("packets_bad"), seen.forged / 2.0) << "the forged inputs were taken";
     }},
    {"the joiner's program stopped for 4 s", 500, joinersPace,
     [](OnlineFight& fight, Seen& seen, const std::string&) {
       std::this_thread::sleep_for(1500ms);
       seen.stopped = Clock::now();
       ::kill(fight.joiner->pid(), SIGSTOP);
       std::this_thread::sleep_for(4s);
       ::kill(fight.joiner->pid(), SIGCONT);
       seen.resumed = Clock::now();
     },
     [](const OnlineFight::Ends&, const Seen& seen) {
       // At its pace before the stop, and after: not the 400 events it missed, run at once.
       const std::uint32_t before = mostEventsIn100Ms(seen, seen.stopped - 1500ms, seen.stopped);
       const std::uint32_t after = mostEventsIn100Ms(seen, seen.resumed, seen.resumed + 2s);
       std::printf("the stopped joiner ran at most %u events in 100 ms before the stop, %u after\n", before,
                   after);
       EXPECT_GT(before, 0u);
       EXPECT_GT(after, 0u) << "the fight went on";
       EXPECT_LE(after, before + 3) << "a burst after the stop";
     }},
    {"a second joiner with the code comes while the fight is on", 400, joinersPace,
     [](OnlineFight& fight, Seen& seen, const std::string& files) {
       std::this_thread::sleep_for(1s);
       const auto began = Clock::now();
       seen.second = runSim(
           {"fight", "--versus", "--join", "127.0.0.1:" + std::to_string(fight.hostPort) + "/" + fight.code},
           files + ".second", milliseconds(15000));
       seen.secondSeconds = secondsSince(began);
       std::printf("the second joiner was told in %.2f s\n", seen.secondSeconds);
     },
     [](const OnlineFight::Ends&, const Seen& seen) {
       ASSERT_TRUE(seen.second);
       EXPECT_EQ(seen.second->status, 2) << seen.second->err;
       EXPECT_NE(seen.second->err.find("the host is already playing"), std::string::npos) << seen.second->err;
       EXPECT_EQ(seen.second->out, "");
       // The runner's own start is in it (seconds under the sanitizers); unanswered, it would wait
       // out its 30 s.
       EXPECT_LT(seen.secondSeconds, 3.0) << "the second joiner was told at once";
     }},
};

TEST(FightUnderAttack, ForgedAcknowledgementsAStoppedPeerOrASecondJoinerLeaveTheLocalFight) {
  const TestFiles files;
  const int rows = static_cast<int>(std::size(kInterferences));
  struct Played {
    Finished local;
    OnlineFight::Ends ends;
    std::unique_ptr<Seen> seen = std::make_unique<Seen>();
  };
  const auto played = inParallel(rows, [&](int i) {
    const Interference& row = kInterferences[i];
    const std::string name = files("fight" + std::to_string(i));
    FightPlan plan = plannedFight(90 + i, 2, 20, row.maxEvents);
    plan.hostOptions = {"--code", kCode};
    Played p;
    OnlineFight fight(plan, {.latencyMs = 10}, {.latencyMs = 10}, 90 + i, name, row.tap(*p.seen));
    p.local = localFight(plan, name + ".local");
    row.during(fight, *p.seen, name);
    p.seen->fightWentOn = fight.host->running() && fight.joiner->running();
    p.ends = fight.finish(kFightBound);
    return p;
  });
  for (int i = 0; i < rows; ++i) {
    SCOPED_TRACE(kInterferences[i].what);
    ASSERT_TRUE(played[i].seen->fightWentOn) << "the fight ended too soon: choose a longer one";
    expectTheLocalFightOnBoth(played[i].local, played[i].ends, files("fight" + std::to_string(i)));
    kInterferences[i].check(played[i].ends, *played[i].seen);
  }
}

}  // namespace
}  // namespace mojara::testing

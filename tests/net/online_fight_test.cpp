// Two runners fight online through a relay that makes their connection as bad as the internet
// gets: each peer's output must be the fight the same presses make on one machine, byte for byte,
// and every way a fight can go wrong (a peer gone, junk, bad starts) ends as told.
#include "net/online_fight.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "battle/trace_diff.h"

namespace mojara::testing {
namespace {

constexpr milliseconds kFightBound{90000};  // 400 events of 10 ms take 4 to 10 s; a stuck peer is killed

Impairment way(double latencyMs, double jitterMs = 0, double loss = 0, double doubledAndReordered = 0) {
  return {.latencyMs = latencyMs,
          .jitterMs = jitterMs,
          .loss = loss,
          .duplication = doubledAndReordered,
          .reordering = doubledAndReordered};
}

struct Outcome {
  std::string name, files;
  Finished local;
  OnlineFight::Ends online;
};

Outcome playOnlineAndLocally(const std::string& name, const FightPlan& plan, const Impairment& toHost,
                             const Impairment& toJoiner, std::uint64_t relaySeed, const std::string& files) {
  OnlineFight fight(plan, toHost, toJoiner, relaySeed, files);
  Outcome o{name, files, localFight(plan, files + ".local"), {}};
  o.online = fight.finish(kFightBound);
  return o;
}

// Both peers ended well with the local fight's output and their figures, which go to the log, and
// recorded the same fight, which replays as it was played.
void expectTheLocalFight(const Outcome& o) {
  SCOPED_TRACE(o.name);
  ASSERT_EQ(o.local.status, 0) << o.local.err;
  const std::string recording = o.files + ".host.replay";
  EXPECT_TRUE(sameLines(fileText(recording), fileText(o.files + ".joiner.replay"))) << "the recordings";
  const Finished replay = runSim({"fight", "--replay", recording, "--trace", "--timer-resolution", "10"},
                                 o.files + ".replay", kFightBound);
  EXPECT_EQ(replay.status, 0) << replay.err;
  EXPECT_TRUE(sameLines(o.local.out, replay.out)) << "the recording replayed";
  for (const auto& [peer, end] : {std::pair{"host", &o.online.host}, std::pair{"joiner", &o.online.joiner}}) {
    SCOPED_TRACE(peer);
    EXPECT_EQ(end->status, 0) << lastLines(end->err);
    EXPECT_TRUE(sameLines(o.local.out, end->out));
    const auto stats = netStats(end->err);
    EXPECT_TRUE(stats) << "the last line on standard error is not the figures:\n" << lastLines(end->err, 1);
    if (!stats) continue;
    auto n = [&](const char* key) { return static_cast<long long>(stats->at(key)); };
    std::printf(
        "%-50s %-6s rollbacks %4lld rerun %5lld max_depth %2lld waits %4lld rtt_ms %6.1f in %5lld out %5lld "
        "bad %4lld\n",
        o.name.c_str(), peer, n("rollbacks"), n("events_rerun"), n("max_depth"), n("waits"),
        stats->at("rtt_ms"), n("packets_in"), n("packets_out"), n("packets_bad"));
  }
  std::fflush(stdout);
}

int eventOf(const std::string& traceLine) { return std::atoi(jsonValue(traceLine, "e").c_str()); }

struct Row {
  const char* name;
  Impairment toHost, toJoiner;
  int inputDelay;
};

const Row kRows[] = {
    {"0 ms", way(0), way(0), 0},
    {"30 ms", way(30), way(30), 1},
    {"30 ms, jitter 10, 5% loss", way(30, 10, 0.05), way(30, 10, 0.05), 2},
    {"60 ms, 5% loss, doubled and reordered", way(60, 0, 0.05, 0.1), way(60, 0, 0.05, 0.1), 2},
    {"60 ms, jitter 20, 20% loss", way(60, 20, 0.2), way(60, 20, 0.2), 3},
    {"120 ms, 5% loss", way(120, 0, 0.05), way(120, 0, 0.05), 2},
    {"120 ms, jitter 30, 20% loss, doubled, reordered", way(120, 30, 0.2, 0.1), way(120, 30, 0.2, 0.1), 8},
    {"10 ms there, 90 ms back, jitter 10, 5% loss", way(10), way(90, 10, 0.05), 1},
};
constexpr int kFightsPerRow = 2;

TEST(OnlineFight, BothPeersPlayTheLocalFightByteForByteOnEveryConnectionOfTheTable) {
  const TestFiles files;
  constexpr int kRows_ = static_cast<int>(std::size(kRows));
  const auto outcomes = inParallel(kRows_ * kFightsPerRow, [&](int i) {
    const Row& row = kRows[i / kFightsPerRow];
    const std::uint64_t seed = 1000 + i;
    return playOnlineAndLocally(std::string(row.name) + " #" + std::to_string(i % kFightsPerRow + 1),
                                plannedFight(seed, row.inputDelay), row.toHost, row.toJoiner, seed,
                                files("fight" + std::to_string(i)));
  });
  for (const Outcome& o : outcomes) expectTheLocalFight(o);
}

TEST(OnlineFight, APeerKilledMidFightLeavesTheOtherDisconnectedWithinFiveSeconds) {
  const TestFiles files;
  FightPlan plan = plannedFight(31, 2, 20);
  plan.maxEvents = 3000;
  const Finished local = localFight(plan, files("local"));
  ASSERT_EQ(local.status, 0) << local.err;
  ASSERT_GT(textLines(local.out).size(), 400u) << "the fight ends before the kill: choose another";

  // A peer prints the fight once it is over, so the fight's middle is found by the clock: at 10 ms
  // an event, three seconds in is hundreds of events before the end.
  OnlineFight fight(plan, way(20), way(20), 31, files("fight"));
  std::this_thread::sleep_for(milliseconds(3000));
  ASSERT_TRUE(fight.joiner->running()) << lastLines(fight.joiner->err());
  fight.joiner->kill();
  const auto killed = std::chrono::steady_clock::now();
  const std::optional<int> status = fight.host->wait(milliseconds(15000));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - killed).count();

  EXPECT_EQ(status, 1) << lastLines(fight.host->err());
  EXPECT_GE(seconds, 4.0) << "the peer was silent for less than its timeout";
  EXPECT_LE(seconds, 5.0 + 3.0);
  const std::vector<std::string> lines = textLines(fight.host->out());
  ASSERT_FALSE(lines.empty());
  const std::string& end = lines.back();
  EXPECT_EQ(jsonValue(end, "end"), "\"disconnected\"") << end;
  EXPECT_TRUE(
      sameLines(firstLines(local.out, lines.size() - 1), firstLines(fight.host->out(), lines.size() - 1)));
  // The end line tells the fight as it stood at the last event both peers had.
  const int e = eventOf(end);
  const std::vector<std::string> localLines = textLines(local.out);
  ASSERT_TRUE(e >= 1 && e < static_cast<int>(localLines.size())) << end;
  const std::string& then = localLines[e - 1];
  for (const char* key : {"STAGE", "SCORE", "POW", "LIFE"})
    EXPECT_EQ(jsonValue(end, key), jsonValue(then, key)) << key << " at event " << e;
}

// Junk from a third address to both peers, a datagram every couple of milliseconds, for as long
// as it lives.
class JunkFlood {
 public:
  JunkFlood(std::uint16_t hostPort, const ImpairedRelay& relay, std::uint64_t seed)
      : thread_([this, hostPort, &relay, seed](std::stop_token stop) {
          std::mt19937_64 random(seed);
          while (!stop.stop_requested()) {
            const std::string junk = junkDatagram(random, std::string(1, static_cast<char>(random())));
            socket_.sendTo(random() % 2 || relay.joinerPort() == 0 ? hostPort : relay.joinerPort(), junk);
            std::this_thread::sleep_for(milliseconds(2));
          }
        }) {}

 private:
  LoopbackSocket socket_;
  std::jthread thread_;
};

TEST(OnlineFight, AFloodOfJunkFromThePeersAddressesAndAThirdChangesNothingAndIsCounted) {
  const TestFiles files;
  const FightPlan plan = plannedFight(55, 2);
  Impairment junky = way(20, 5);
  junky.junkPerSecond = 150;
  OnlineFight fight(plan, junky, junky, 55, files("fight"));
  Outcome o{"junk through the relay and from a third address",
            files("fight"),
            localFight(plan, files("local")),
            {}};
  {
    const JunkFlood flood(fight.hostPort, *fight.relay, 55);
    o.online = fight.finish(kFightBound);
  }
  expectTheLocalFight(o);
  const RelayCounts counts = fight.relay->counts();
  EXPECT_GT(counts.toHost.injected, 0u);
  EXPECT_GT(counts.toJoiner.injected, 0u);
  for (const Finished* peer : {&o.online.host, &o.online.joiner}) {
    if (const auto stats = netStats(peer->err)) {
      EXPECT_GT(stats->at("packets_bad"), 0) << lastLines(peer->err, 1);
    }
  }
}

TEST(OnlineFight, BadStartsAreRefusedWithAMessageAndNothingRun) {
  const TestFiles files;
  const LoopbackSocket taken;  // a port in use, where no host answers
  const std::string port = std::to_string(taken.port());
  struct Case {
    const char* why;
    std::vector<std::string> arguments;
    const char* named;  // in the message
  };
  const std::vector<Case> cases{
      {"the set-up is the host's",
       {"fight", "--versus", "--join", "127.0.0.1:" + port + "/ABCD-EFGH", "--seed", "3"},
       "--seed"},
      {"a port in use", {"fight", "0", "1", "--versus", "--host", port, "--bind", "127.0.0.1"}, port.c_str()},
      {"an address without its port", {"fight", "--versus", "--join", "127.0.0.1/ABCD-EFGH"}, "port"},
      {"a joiner without the room's code", {"fight", "--versus", "--join", "127.0.0.1:" + port}, "code"},
      {"a code of a letter not in codes", {"fight", "--versus", "--join", "127.0.0.1:" + port + "/ABCD-EFG1"}, "code"},
      {"an input delay beyond 8",
       {"fight", "0", "1", "--versus", "--host", "0", "--bind", "127.0.0.1", "--input-delay", "9"},
       "--input-delay"},
      {"hosting and joining at once",
       {"fight", "0", "1", "--versus", "--host", "0", "--join", "127.0.0.1:" + port},
       "--join"},
  };
  const auto ends = inParallel(static_cast<int>(cases.size()), [&](int i) {
    return runSim(cases[i].arguments, files("case" + std::to_string(i)), milliseconds(10000));
  });
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].why);
    EXPECT_EQ(ends[i].status, 2) << ends[i].err;
    EXPECT_EQ(ends[i].out, "");
    EXPECT_NE(ends[i].err.find(cases[i].named), std::string::npos) << ends[i].err;
  }
}

TEST(OnlineFight, APeerWithNoOneToPlayGivesUpAtItsBound) {
  const TestFiles files;
  const LoopbackSocket silent;  // where no host answers
  const std::vector<std::vector<std::string>> alone{
      {"fight", "--versus", "--join", "127.0.0.1:" + std::to_string(silent.port()) + "/ABCD-EFGH",
       "--connect-timeout", "1"},
      {"fight", "0", "1", "--versus", "--host", "0", "--bind", "127.0.0.1", "--connect-timeout", "1"}};
  const auto ends = inParallel(2, [&](int i) {
    const auto started = std::chrono::steady_clock::now();
    Finished f = runSim(alone[i], files(i ? "host" : "joiner"), milliseconds(15000));
    return std::pair{f, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()};
  });
  for (const auto& [end, seconds] : ends) {
    SCOPED_TRACE(&end == &ends[0].first ? "joiner" : "host");
    EXPECT_EQ(end.status, 1) << end.err;
    EXPECT_EQ(jsonValue(end.out, "end"), "\"disconnected\"") << end.out;
    EXPECT_EQ(textLines(end.out).size(), 1u) << "no fight, no trace";
    EXPECT_TRUE(netStats(end.err)) << lastLines(end.err);
    EXPECT_GE(seconds, 1.0);
    EXPECT_LE(seconds, 1.0 + 5.0);
  }
}

}  // namespace
}  // namespace mojara::testing

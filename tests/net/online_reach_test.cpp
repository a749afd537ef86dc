// An online fight wherever the joiner finds the host (by any of its addresses, the host listening
// on all of them), with no event to play, and with the link cut one way mid-fight: both peers
// print the same, and as the fight on one machine has it.
#include <gtest/gtest.h>

#include <ostream>
#include <system_error>

#include "battle/trace_diff.h"
#include "net/attacker.h"
#include "net/online_fight.h"

namespace mojara::testing {
namespace {

using namespace std::chrono_literals;

constexpr milliseconds kFightBound{90000};

struct Way {
  const char* name;
  const char* bind;    // the host's --bind; "" for every address
  const char* joinAt;  // the host as the joiner names it
  int maxEvents;
};

void PrintTo(const Way& way, std::ostream* out) {
  *out << way.joinAt << ", host bound to " << (*way.bind ? way.bind : "all");
}

class WayToTheHost : public ::testing::TestWithParam<Way> {};

TEST_P(WayToTheHost, BothPeersPrintTheLocalFight) {
  const Way& way = GetParam();
  if (std::string(way.joinAt) == "[::1]") {
    try {
      const AttackSocket six("::1");
    } catch (const std::system_error&) {
      GTEST_SKIP() << "this machine has no IPv6 loopback";
    }
  }
  const TestFiles files;
  FightPlan plan = plannedFight(40, 2, 6, way.maxEvents);
  plan.bind = way.bind;
  OnlineFight fight(plan, way.joinAt, files("fight"));
  const Finished local = localFight(plan, files("local"));
  expectTheLocalFightOnBoth(local, fight.finish(kFightBound), files("fight"));
  if (way.maxEvents == 0) {
    EXPECT_EQ(textLines(local.out).size(), 1u) << "the end line alone";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Online, WayToTheHost,
    ::testing::Values(Way{"NoEventToPlay", "127.0.0.1", "127.0.0.1", 0},
                      Way{"ByItsIpv4AddressWrittenAsIpv6", "", "[::ffff:127.0.0.1]", 250},
                      Way{"ByAnotherLoopbackAddress", "", "127.0.0.2", 250}, Way{"ByIpv6", "", "[::1]", 250}),
    [](const ::testing::TestParamInfo<Way>& info) { return std::string(info.param.name); });

// Cut one way, the end that hears nothing falls silent and the end that still hears the other
// is stuck: both end at the last event both know of, with one end line and one recording.
TEST(OnlineFight, ALinkCutOneWayEndsBothPeersAtTheSameEventWithTheSameRecording) {
  const TestFiles files;
  constexpr double kCutMs = 2000;
  const FightPlan plan = plannedFight(64, 2, 20, 3000);
  const Finished local = localFight(plan, files("local"));
  ASSERT_EQ(local.status, 0) << local.err;
  ASSERT_GT(textLines(local.out).size(), 500u) << "the fight ends before the cut: choose another";
  const auto cuts = inParallel(2, [&](int i) {
    const bool toHost = i == 0;
    const Impairment cut{.latencyMs = 10, .cutAfterMs = kCutMs}, whole{.latencyMs = 10};
    const std::string name = files(toHost ? "cut-to-host" : "cut-to-joiner");
    OnlineFight fight(plan, toHost ? cut : whole, toHost ? whole : cut, 64, name);
    const auto began = std::chrono::steady_clock::now();
    OnlineFight::Ends ends = fight.finish(kFightBound);
    return std::pair{ends, std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count()};
  });
  for (int i = 0; i < 2; ++i) {
    const bool toHost = i == 0;
    SCOPED_TRACE(toHost ? "cut towards the host" : "cut towards the joiner");
    const auto& [ends, seconds] = cuts[i];
    const std::string name = files(toHost ? "cut-to-host" : "cut-to-joiner");
    EXPECT_EQ(ends.host.status, 1) << lastLines(ends.host.err);
    EXPECT_EQ(ends.joiner.status, 1) << lastLines(ends.joiner.err);
    const std::vector<std::string> lines = textLines(ends.host.out);
    ASSERT_FALSE(lines.empty());
    std::printf("%s: host %s joiner %s", toHost ? "to the host" : "to the joiner",
                lastLines(ends.host.out, 1).c_str(), lastLines(ends.joiner.out, 1).c_str());
    EXPECT_EQ(jsonValue(lines.back(), "end"), "\"disconnected\"") << lines.back();
    EXPECT_EQ(lastLines(ends.host.out, 1), lastLines(ends.joiner.out, 1)) << "the end lines";
    EXPECT_TRUE(sameLines(ends.host.out, ends.joiner.out));
    EXPECT_TRUE(fileText(name + ".host.replay") == fileText(name + ".joiner.replay")) << "the recordings";
    EXPECT_TRUE(
        sameLines(firstLines(local.out, lines.size() - 1), firstLines(ends.host.out, lines.size() - 1)));
    EXPECT_GT(lines.size(), 100u) << "the fight had gone on before the cut";
    EXPECT_LE(seconds, kCutMs / 1000 + 5 + 3);
  }
}

}  // namespace
}  // namespace mojara::testing

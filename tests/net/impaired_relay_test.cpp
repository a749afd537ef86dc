// The relay itself: each way late by its own latency and jitter, and lossy, doubled, out of order
// and full of junk exactly as far as it is asked and says.
#include "net/impaired_relay.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <vector>

namespace mojara::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Arrival {
  const LoopbackSocket* at;
  std::string data;
  std::uint16_t from;
  Clock::time_point when;
};

// Hands every datagram that comes to `sockets` within `time` to `take`, as soon as it comes.
void listen(const std::vector<const LoopbackSocket*>& sockets, milliseconds time,
            const std::function<void(const Arrival&)>& take) {
  const auto end = Clock::now() + time;
  for (auto now = Clock::now(); now < end; now = Clock::now()) {
    std::vector<pollfd> fds;
    for (const LoopbackSocket* s : sockets) fds.push_back({s->fd(), POLLIN, 0});
    const auto wait = std::chrono::ceil<milliseconds>(end - now).count();
    if (::poll(fds.data(), fds.size(), static_cast<int>(wait)) <= 0) continue;
    for (const LoopbackSocket* s : sockets)
      while (auto d = s->receive()) take({s, std::move(d->first), d->second, Clock::now()});
  }
}

double msBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

TEST(ImpairedRelay, EachWayIsLateByItsOwnLatencyAndJitterAndAnswersComeFromWhereTheyWentTo) {
  LoopbackSocket joiner, host;
  ImpairedRelay relay(host.port(), {.latencyMs = 30}, {.latencyMs = 60, .jitterMs = 20}, 7);
  constexpr int kCount = 40;
  std::map<int, Clock::time_point> sent, answered;
  std::vector<double> there, back;
  std::vector<int> order;
  auto take = [&](const Arrival& a) {
    const int n = std::stoi(a.data);
    if (a.at == &host) {  // the host answers each at once, to where it came from
      EXPECT_EQ(a.from, relay.backPort());
      there.push_back(msBetween(sent[n], a.when));
      order.push_back(n);
      answered[n] = Clock::now();
      host.sendTo(a.from, a.data);
    } else {
      EXPECT_EQ(a.from, relay.frontPort());
      back.push_back(msBetween(answered[n], a.when));
    }
  };
  for (int n = 0; n < kCount; ++n) {
    sent[n] = Clock::now();
    joiner.sendTo(relay.frontPort(), std::to_string(n));
    listen({&joiner, &host}, milliseconds(5), take);
  }
  for (int i = 0; i < 100 && back.size() < kCount; ++i) listen({&joiner, &host}, milliseconds(20), take);

  ASSERT_EQ(there.size(), kCount);
  ASSERT_EQ(back.size(), kCount);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << "a steady latency keeps the order";
  EXPECT_GE(*std::min_element(there.begin(), there.end()), 29.5) << "never early";
  EXPECT_LE(median(there), 30 + 15);
  EXPECT_GE(*std::min_element(back.begin(), back.end()), 40 - 0.5);
  EXPECT_LE(median(back), 60 + 15);
  EXPECT_GE(*std::max_element(back.begin(), back.end()) - *std::min_element(back.begin(), back.end()), 15)
      << "jitter spreads them";
  const RelayCounts counts = relay.counts();
  EXPECT_EQ(counts.toHost.forwarded, kCount);
  EXPECT_EQ(counts.toJoiner.forwarded, kCount);
  EXPECT_EQ(counts.toHost.dropped + counts.toJoiner.dropped + counts.toHost.injected, 0u);
}

TEST(ImpairedRelay, LosesDoublesAndReordersAboutAsOftenAsAskedAndCountsExactlyWhatItDid) {
  LoopbackSocket joiner, host;
  ImpairedRelay relay(host.port(),
                      {.latencyMs = 5, .loss = 0.2, .duplication = 0.1, .reordering = 0.1, .reorderMs = 40},
                      {}, 11);
  constexpr int kCount = 600;
  std::map<int, int> copies;
  int overtaken = 0, highest = -1;
  auto take = [&](const Arrival& a) {
    const int n = std::stoi(a.data);
    ++copies[n];
    if (n < highest) ++overtaken;
    highest = std::max(highest, n);
  };
  for (int n = 0; n < kCount; ++n) {
    joiner.sendTo(relay.frontPort(), std::to_string(n));
    listen({&host}, milliseconds(1), take);
  }
  listen({&host}, milliseconds(300), take);

  int arrivals = 0, doubled = 0;
  for (const auto& [n, c] : copies) {
    arrivals += c;
    doubled += c - 1;
  }
  const int lost = kCount - static_cast<int>(copies.size());
  const RelayCounts counts = relay.counts();
  EXPECT_EQ(counts.toHost.received, kCount);
  EXPECT_EQ(counts.toHost.forwarded, arrivals);
  EXPECT_EQ(counts.toHost.dropped, lost);
  EXPECT_EQ(counts.toHost.duplicated, doubled);
  EXPECT_NEAR(lost, kCount * 0.2, kCount * 0.08);
  EXPECT_NEAR(doubled, kCount * 0.8 * 0.1, kCount * 0.05);
  EXPECT_NEAR(counts.toHost.reordered, (kCount * 0.8 + doubled) * 0.1, kCount * 0.05);
  EXPECT_GE(overtaken, counts.toHost.reordered / 2) << "held back, a datagram is overtaken";
}

TEST(ImpairedRelay, JunkComesFromThePeersOwnAddressInEveryShape) {
  LoopbackSocket joiner, host;
  ImpairedRelay relay(host.port(), {.junkPerSecond = 200}, {.junkPerSecond = 200}, 5);
  const std::string hello = "hello from the joiner", welcome = "welcome from the host";
  joiner.sendTo(relay.frontPort(), hello);
  struct Shapes {
    int real = 0, random = 0, truncated = 0, oversized = 0;
  };
  std::map<const LoopbackSocket*, Shapes> seen;
  auto take = [&](const Arrival& a) {
    const std::string& real = a.at == &host ? hello : welcome;
    EXPECT_EQ(a.from, a.at == &host ? relay.backPort() : relay.frontPort());
    Shapes& s = seen[a.at];
    if (a.data == real) {
      if (a.at == &host && s.real++ == 0) host.sendTo(a.from, welcome);
    } else if (a.data.size() > 1500 && a.data.starts_with(real)) {
      ++s.oversized;
    } else if (a.data.size() < real.size() && real.starts_with(a.data)) {
      ++s.truncated;
    } else {
      ++s.random;
    }
  };
  listen({&joiner, &host}, milliseconds(600), take);

  const RelayCounts counts = relay.counts();
  for (const LoopbackSocket* at : {&host, &joiner}) {
    SCOPED_TRACE(at == &host ? "to the host" : "to the joiner");
    const Shapes& s = seen[at];
    EXPECT_GT(s.random, 0);
    EXPECT_GT(s.truncated, 0);
    EXPECT_GT(s.oversized, 0);
    EXPECT_LE(s.random + s.truncated + s.oversized, (at == &host ? counts.toHost : counts.toJoiner).injected);
  }
  EXPECT_EQ(counts.toHost.forwarded, 1u);
  EXPECT_EQ(counts.toJoiner.forwarded, 1u);
}

TEST(ImpairedRelay, WhatTheTapAddsFollowsItsDatagramAndACutWayLosesEverythingFromItsTime) {
  LoopbackSocket joiner, host;
  const auto started = Clock::now();
  ImpairedRelay relay(host.port(), {.latencyMs = 5, .cutAfterMs = 600}, {}, 3,
                      [](bool toHost, const std::string& d) {
                        return toHost ? std::vector<std::string>{d + "+"} : std::vector<std::string>{};
                      });
  std::vector<std::string> arrived;
  auto take = [&](const Arrival& a) {
    EXPECT_EQ(a.from, relay.backPort());
    arrived.push_back(a.data);
  };
  std::vector<std::string> expected;
  for (int n = 0; n < 30; ++n) {
    if (n == 20)
      listen({&host}, std::chrono::ceil<milliseconds>(started + milliseconds(700) - Clock::now()), take);
    joiner.sendTo(relay.frontPort(), std::to_string(n));
    if (n < 20) expected.insert(expected.end(), {std::to_string(n), std::to_string(n) + "+"});
    listen({&host}, milliseconds(10), take);
  }
  listen({&host}, milliseconds(50), take);

  ASSERT_LT(Clock::now() - started, milliseconds(2000))
      << "too slow a machine to tell before the cut from after it";
  EXPECT_EQ(arrived, expected);
  const RelayCounts counts = relay.counts();
  EXPECT_EQ(counts.toHost.received, 30u);
  EXPECT_EQ(counts.toHost.forged, 30u);
  EXPECT_EQ(counts.toHost.dropped, 20u) << "after the cut, what the tap added too";
}

}  // namespace
}  // namespace mojara::testing

// What travels between peers reads back as it was written, and nothing else reads at all: a
// datagram cut short, with a byte too many, of another program or out of range is refused.
#include "net/datagram.h"

#include <gtest/gtest.h>

#include <random>

namespace mojara::net {
namespace {

std::vector<Datagram> everyKind() {
  Start start;
  start.fight = 3;
  start.setup = {7, 2, 20, {100, 0}, {-5, 2147483647}, 0xfedcba9876543210ull, false, true};
  start.inputDelay = 8;
  start.timerResolution = 54'925'000;
  start.maxEvents = 400;
  Inputs inputs;
  inputs.fight = 3;
  inputs.ran = 90;
  inputs.pressesAck = 85;
  inputs.checksAck = 80;
  inputs.stamp = 123456;
  inputs.echo = 123000;
  inputs.held = 7;
  inputs.firstPress = 86;
  for (int k = 0; k < kMaxEventsPerDatagram; ++k) {
    Presses p;
    for (int c = 0; c < k % (kMaxPressesPerEvent + 1); ++c) p.add(static_cast<std::uint16_t>(37 + c * 1000));
    inputs.presses.push_back(p);
  }
  inputs.firstCheck = 81;
  inputs.checksums = {1, 0xffffffffffffffffull, 42};
  return {{0, Hello{"1.2.3", 0x1234567890abcdefull, 99}}, {5, Welcome{99}},  {0, Refusal{Refusal::Rules, "1.2.4"}},
          {5, Pick{7, true}},                             {5, Pick{-1, false}}, {5, start},
          {5, inputs},                                    {5, Inputs{}},        {5, Bye{Bye::Finished}}};
}

TEST(Datagram, EveryKindReadsBackAsWrittenAndNothingCutOrLongerReadsAtAll) {
  for (const Datagram& d : everyKind()) {
    const std::vector<std::uint8_t> bytes = encode(d);
    ASSERT_LE(bytes.size(), kMaxDatagram);
    const auto back = decode(bytes);
    ASSERT_TRUE(back) << "kind " << d.message.index();
    EXPECT_EQ(encode(*back), bytes);
    EXPECT_EQ(back->session, d.session);
    for (std::size_t size = 0; size < bytes.size(); ++size)
      EXPECT_FALSE(decode({bytes.data(), size})) << "kind " << d.message.index() << " cut to " << size;
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(decode(longer)) << "kind " << d.message.index() << " with a byte too many";
  }
  // The largest datagram a peer writes fits.
  Inputs full;
  full.firstPress = full.firstCheck = 1;
  Presses most;
  while (most.add(65535)) {}
  full.presses.assign(kMaxEventsPerDatagram, most);
  full.checksums.assign(kMaxEventsPerDatagram, 7);
  EXPECT_TRUE(decode(encode({1, full})));
}

TEST(Datagram, ValuesOutOfRangeAreRefused) {
  // Each case: the datagram, the byte to change (from the end when negative), its new value.
  Start start;
  start.setup.speed = 5;
  start.timerResolution = 54'925'000;
  Inputs one;
  one.firstPress = 1;
  one.presses = {Presses{}};
  struct Case {
    const char* what;
    Datagram d;
    int at;
    std::uint8_t value;
  };
  const Case cases[] = {
      {"another program's mark", {0, Welcome{1}}, 0, 'X'},
      {"an unknown kind", {0, Welcome{1}}, 8, 99},
      {"a roster slot past the last", {1, Pick{0, false}}, 9, 8},
      {"ready neither yes nor no", {1, Pick{0, false}}, 10, 2},
      {"speed 0", {1, start}, 13, 0},
      {"speed 21", {1, start}, 13, 21},
      {"power 101", {1, start}, 14, 101},
      {"an input delay of 9", {1, start}, 32, 9},
      {"more presses in one event than a player makes", {1, one}, -6, kMaxPressesPerEvent + 1},
      {"a refusal for no reason", {0, Refusal{Refusal::Version, ""}}, 9, 0},
      {"a version with a control character", {0, Hello{"a", 1, 1}}, 10, '\n'},
      {"a bye for no reason", {1, Bye{Bye::Left}}, 9, 7},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = encode(c.d);
    ASSERT_TRUE(decode(bytes)) << c.what << " (as written)";
    bytes[c.at >= 0 ? static_cast<std::size_t>(c.at) : bytes.size() + static_cast<std::size_t>(c.at)] = c.value;
    EXPECT_FALSE(decode(bytes)) << c.what;
  }
  // Presses listed from event 0 (events count from 1).
  one.firstPress = 0;
  EXPECT_FALSE(decode(encode({1, one})));
  // Random bytes, of every length up to a datagram's and past it, are none of ours.
  std::mt19937 draw(7);
  for (int k = 0; k < 2000; ++k) {
    std::vector<std::uint8_t> junk(draw() % (kMaxDatagram + 64));
    for (auto& b : junk) b = static_cast<std::uint8_t>(draw());
    EXPECT_FALSE(decode(junk));
  }
}

}  // namespace
}  // namespace mojara::net

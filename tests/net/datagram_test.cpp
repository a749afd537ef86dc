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
  start.setup = {7, 2, 20, {100, 0}, {-5, 2147483647}, 0xfedcba9876543210ull, false, true, std::nullopt};
  start.inputDelay = 8;
  start.timerResolution = 54'925'000;
  start.maxEvents = 400;
  Inputs inputs;
  inputs.fight = 3;
  inputs.ran = 90;
  inputs.pressesAck = 85;
  inputs.checksAck = 80;
  inputs.bothHave = 79;
  inputs.ended = 3;
  inputs.desyncAt = 2;
  inputs.firstPress = 86;
  for (int k = 0; k < kMaxEventsPerDatagram; ++k) {
    Presses p;
    for (int c = 0; c < k % (kMaxPressesPerEvent + 1); ++c) p.add(static_cast<std::uint16_t>(37 + c * 1000));
    inputs.presses.push_back(p);
  }
  inputs.firstCheck = 81;
  inputs.checksums = {1, 0xffffffffffffffffull, 42};
  return {{0, 0, 1, 0, 0, Hello{"1.2.3", 0x1234567890abcdefull, ~0ull}},
          {5, 0, 2, 1, 0, Welcome{99}},
          {0, 0, 3, 1, 0, Refusal{Refusal::Rules, 99, "1.2.4"}},
          {0, 0, 3, 1, 0, Refusal{Refusal::WrongCode, 98, std::string(64, 'v')}},
          {5, 1, 4, 3, 2, Pick{7, true}},
          {5, 2, 0, 0, 0, Pick{-1, false}},
          {5, 3, 5, 5, 5, start},
          {5, 0xffffffff, 0xffffffff, 0xffffffff, 0xffffffff, inputs},
          {5, 4, 0, 0, 0, Inputs{}},
          {5, 5, 0, 0, 0, Bye{Bye::Finished, 400}}};
}

Datagram in(std::uint32_t session, Message message) { return {session, 1, 1, 0, 0, std::move(message)}; }

TEST(Datagram, EveryKindReadsBackAsWrittenAndNothingCutOrLongerReadsAtAll) {
  for (const Datagram& d : everyKind()) {
    const std::vector<std::uint8_t> bytes = encode(d);
    ASSERT_LE(bytes.size() + kTagSize, kMaxDatagram);
    const auto back = decode(bytes);
    ASSERT_TRUE(back) << "kind " << d.message.index();
    EXPECT_EQ(encode(*back), bytes);
    EXPECT_EQ(back->session, d.session);
    EXPECT_EQ(back->sequence, d.sequence);
    EXPECT_EQ(back->held, d.held);
    // A hello is padded to its one size, so that no answer is longer than it.
    if (std::holds_alternative<Hello>(d.message)) EXPECT_EQ(bytes.size() + kTagSize, kHelloSize);
    if (std::holds_alternative<Welcome>(d.message) || std::holds_alternative<Refusal>(d.message))
      EXPECT_LT(bytes.size() + kTagSize, kHelloSize) << "an answer longer than the hello it answers";
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
  while (most.add(65535)) {
  }
  full.presses.assign(kMaxEventsPerDatagram, most);
  full.checksums.assign(kMaxEventsPerDatagram, 7);
  EXPECT_LE(encode(in(1, full)).size() + kTagSize, kMaxDatagram);
  // Only a hello has to be a hello's length; any other datagram may happen to be as long.
  Inputs asLong;
  asLong.firstCheck = 1;
  while (encode(in(1, asLong)).size() + kTagSize < kHelloSize) asLong.checksums.push_back(1);
  asLong.checksums.pop_back();
  asLong.firstPress = 1;
  while (encode(in(1, asLong)).size() + kTagSize < kHelloSize) asLong.presses.push_back(Presses{});
  ASSERT_EQ(encode(in(1, asLong)).size() + kTagSize, kHelloSize);
  EXPECT_TRUE(decode(encode(in(1, asLong))));
  EXPECT_TRUE(decode(encode(in(1, full))));
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
      {"another program's mark", in(0, Welcome{1}), 0, 'X'},
      {"the first online version's mark", in(0, Welcome{1}), 3, 'B'},
      {"an unknown kind", in(0, Welcome{1}), 24, 99},
      {"a hello's kind on a datagram of another length", in(0, Welcome{1}), 24, 1},
      {"a roster slot past the last", in(1, Pick{0, false}), 25, 8},
      {"ready neither yes nor no", in(1, Pick{0, false}), 26, 2},
      {"speed 0", in(1, start), 29, 0},
      {"speed 21", in(1, start), 29, 21},
      {"power 101", in(1, start), 30, 101},
      {"an input delay of 9", in(1, start), 48, 9},
      {"more presses in one event than a player makes", in(1, one), -6, kMaxPressesPerEvent + 1},
      {"a refusal for no reason", in(0, Refusal{Refusal::Version, 1, ""}), 25, 0},
      {"a refusal for a reason not known", in(0, Refusal{Refusal::Version, 1, ""}), 25, 5},
      {"a version with a control character", in(0, Hello{"a", 1, 1}), 26, '\n'},
      {"a hello whose padding is not zeros", in(0, Hello{"a", 1, 1}), -1, 1},
      {"a bye for no reason", in(1, Bye{Bye::Left, 0}), 25, 7},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = encode(c.d);
    ASSERT_TRUE(decode(bytes)) << c.what << " (as written)";
    bytes[c.at >= 0 ? static_cast<std::size_t>(c.at) : bytes.size() + static_cast<std::size_t>(c.at)] =
        c.value;
    EXPECT_FALSE(decode(bytes)) << c.what;
  }
  // Presses listed from event 0 (events count from 1).
  one.firstPress = 0;
  EXPECT_FALSE(decode(encode(in(1, one))));
  // Random bytes, of every length up to a datagram's and past it, are none of ours.
  std::mt19937 draw(7);
  for (int k = 0; k < 2000; ++k) {
    std::vector<std::uint8_t> junk(draw() % (kMaxDatagram + 64));
    if (k % 2 == 0 && junk.size() >= 4) std::copy_n(encode(in(0, Pick{})).begin(), 4, junk.begin());
    for (auto& b : junk) b = static_cast<std::uint8_t>(draw());
    EXPECT_FALSE(decode(junk));
  }
}

}  // namespace
}  // namespace mojara::net

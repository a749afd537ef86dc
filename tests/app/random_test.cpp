#include <gtest/gtest.h>

#include "app/program_random.h"
#include "app/vb_math.h"

namespace mojara {
namespace {

TEST(ProgramRandom, IsSplitMix64WithTwentyFourBitDraws) {
  ProgramRandom r;
  r.reseed(0);
  // The first outputs of SplitMix64 from state 0 are E220A8397B1DCDAF, 6E789E6AA1B965F4, ...
  EXPECT_EQ(r.next(), 0xE220A8 / 16777216.0);
  EXPECT_EQ(r.next(), 0x6E789E / 16777216.0);
  r.reseed(0);
  EXPECT_EQ(r.next(), 0xE220A8 / 16777216.0);  // reseeding starts the same sequence again
}

TEST(ProgramRandom, DrawsAreExactInSinglePrecisionAndBelowOne) {
  ProgramRandom r;
  r.reseed(12345);
  for (int i = 0; i < 10000; ++i) {
    const double d = r.next();
    ASSERT_GE(d, 0.0);
    ASSERT_LT(d, 1.0);
    ASSERT_EQ(static_cast<double>(static_cast<float>(d)), d);
    ASSERT_LE(Fix(d * 13), 12);
  }
}

TEST(ProgramRandom, WholeNumberDrawsAreTheTruncatedProducts) {
  // below(n) takes a draw just as next() does and gives Fix(r * n), for the battle's 13 commands,
  // the flicker's 2 pictures and sizes where the product's low bits matter.
  for (const std::int32_t n : {1, 2, 3, 13, 100, 1 << 20, 2147483647}) {
    ProgramRandom a, b;
    a.reseed(777 + static_cast<std::uint64_t>(n));
    b.reseed(777 + static_cast<std::uint64_t>(n));
    for (int i = 0; i < 20000; ++i) ASSERT_EQ(a.below(n), Fix(b.next() * n)) << "n " << n << ", draw " << i;
    EXPECT_EQ(a.state(), b.state());
  }
  // The first draw from state 0: its top 24 bits E220A8 times 13, truncated.
  ProgramRandom r;
  r.reseed(0);
  EXPECT_EQ(r.below(13), Fix(0xE220A8 / 16777216.0 * 13));
}

TEST(VbMath, RoundingRules) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(127.5), 128);
  EXPECT_EQ(roundHalfEven(178.5), 178);
  EXPECT_EQ(Fix(-3.7), -3);
  EXPECT_EQ(Int(-3.2), -4);
  EXPECT_EQ(decimal(-4), "-4");
}

}  // namespace
}  // namespace mojara

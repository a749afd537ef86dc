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

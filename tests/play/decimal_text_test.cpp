// Decimal numbers as text: the C library's way, which the browser build uses, gives what charconv
// gives, over texts that are numbers, nearly numbers and noise, and over every kind of double.
#include "play/options/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace mojara {
namespace {

// (The browser build's library has no std::bit_cast.)
std::uint64_t bitsOf(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

double doubleOf(std::uint64_t bits) {
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

std::string describe(const std::optional<double>& v) {
  if (!v) return "nothing";
  if (std::isnan(*v)) return std::signbit(*v) ? "-nan" : "nan";
  return fixedText(*v, 20) + " (bits " + std::to_string(bitsOf(*v)) + ")";
}

TEST(DecimalText, ThePortableReaderReadsAsCharconvDoes) {
  std::vector<std::string> texts = {"", "-", ".", "-.", "0", "-0", "12", "54.925", ".25", "3.", "1..2", "+1",
                                    " 1", "1 ", "1e5", "0x10", "inf", "-INF", "Infinity", "infx", "nan",
                                    "-NaN", "nan(abc_1)", "nan()", "nan(", "1,5", "0.1", "1e", "١",
                                    std::string(400, '9'), "0." + std::string(330, '0') + "1",
                                    "0." + std::string(300, '0') + "1", "0." + std::string(400, '0')};
  std::mt19937_64 random(7);
  const std::string alphabet = "0123456789.-+eEinfaINFAty() _x";
  for (int i = 0; i < 100'000; ++i) {
    std::string text;
    const int length = static_cast<int>(random() % 12);
    for (int k = 0; k < length; ++k) {
      // Mostly digits, so that many texts are numbers.
      const bool digit = random() % 3 != 0;
      text += digit ? static_cast<char>('0' + random() % 10) : alphabet[random() % alphabet.size()];
    }
    texts.push_back(text);
  }
  for (int i = 0; i < 20'000; ++i) {
    // Long numbers, whose rounding to the nearest double is the hard part.
    std::string text = std::to_string(random() % 100000) + "." + std::to_string(random());
    text += std::to_string(random());
    texts.push_back(random() % 2 ? text : "-" + text);
  }
  for (const std::string& text : texts)
    ASSERT_EQ(describe(parseFixedPortable(text)), describe(parseFixed(text))) << "\"" << text << "\"";
}

TEST(DecimalText, ThePortableWriterWritesAsCharconvDoes) {
  std::mt19937_64 random(11);
  std::vector<double> values = {0.0, -0.0, 0.0005, 0.0015, 2.5, 54.925, 1e300, -1e-300, 5e-324, 1e22,
                                std::numeric_limits<double>::max()};
  for (int i = 0; i < 50'000; ++i) {
    values.push_back(doubleOf(random()));  // every exponent, subnormals, infinities
    values.push_back(static_cast<double>(random() % 10'000'000) / 1000.0 + 0.0005);  // halfway cases
  }
  for (double v : values) {
    if (std::isnan(v)) continue;  // charconv and printf spell the sign of a NaN differently
    for (int decimals : {0, 1, 3, 6})
      ASSERT_EQ(fixedTextPortable(v, decimals), fixedText(v, decimals)) << v << " with " << decimals;
  }
}

}  // namespace
}  // namespace mojara

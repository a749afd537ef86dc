#include "forms/text.h"

#include <gtest/gtest.h>

namespace mojara::forms {
namespace {

TEST(Text, CountsCharactersNotBytesAndRoundTrips) {
  const std::string s = "{02\n操作方法 A😀";
  const std::u32string chars = toChars(s);
  EXPECT_EQ(chars.size(), 11u);
  EXPECT_EQ(chars[4], U'操');
  EXPECT_EQ(chars[10], U'😀');
  EXPECT_EQ(toUtf8(chars), s);
}

TEST(Text, MalformedBytesBecomeReplacementCharacters) {
  const std::string truncated = std::string("ab") + "\xE6\x93";
  EXPECT_EQ(toChars(truncated), U"ab\uFFFD\uFFFD");
  EXPECT_EQ(toChars("\xFF"
                    "a"),
            U"\uFFFDa");
}

}  // namespace
}  // namespace mojara::forms

#include "play/input/input_script.h"

#include <gtest/gtest.h>

#include "play/input/key_names.h"

namespace mojara {
namespace {

std::vector<ScriptLine> read(const std::string& text) { return readGameScript(text); }

std::string errorOf(const std::string& text) {
  try {
    read(text);
  } catch (const ScriptError& e) {
    return e.what();
  }
  return "no error";
}

TEST(GameScript, ReadsEveryActionWithItsTarget) {
  auto lines = read(
      "# a whole game\n"
      "\n"
      "0 key F1\n"
      "54.925 key a\n"
      "100 click Form3.Command1\n"
      "200 hover Form5.KYARA(3)\n"
      "250 press Form5.casol right\n"
      "300 scroll Form5.Scr 12\n"
      "400 choose Form4.Combo1 操作方法\n"
      "500 ok\n"
      "600 close Form4\n");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0].number, 112);
  EXPECT_EQ(lines[1].number, 'A');
  EXPECT_EQ(lines[1].at, 54'925'000);
  EXPECT_EQ(lines[3].control, "KYARA");
  EXPECT_EQ(lines[3].index, 3);
  EXPECT_EQ(lines[4].number, 2);
  EXPECT_EQ(lines[5].number, 12);
  EXPECT_EQ(lines[6].text, "操作方法");
  EXPECT_EQ(lines[8].form, "Form4");
  EXPECT_EQ(lines[8].lineNumber, 11);
}

// Blanks or a stray carriage return an editor leaves at a line's end are not part of the item.
TEST(GameScript, AChosenItemEndsAtItsLastCharacter) {
  for (const char* end : {"\n", " \n", "\t \r\n", "\r\r\n", "\r"})
    EXPECT_EQ(read(std::string("400 choose Form4.Combo1  操作 方法") + end).at(0).text, "操作 方法")
        << "the line ending " << ::testing::PrintToString(end);
}

TEST(GameScript, RejectsMalformedLinesNamingTheLine) {
  EXPECT_EQ(errorOf("10 key A\n5 key B\n"), "line 2: lines are not sorted by time");
  EXPECT_EQ(errorOf("-1 key A\n"), "line 1: bad time '-1' (milliseconds, 0 to 1000000000)");
  EXPECT_EQ(errorOf("1 key NOPE\n"), "line 1: unknown key 'NOPE'");
  EXPECT_EQ(errorOf("1 key 70000\n"), "line 1: unknown key '70000'");
  EXPECT_EQ(errorOf("1 jump\n"), "line 1: unknown action 'jump'");
  EXPECT_EQ(errorOf("1 click Command1\n"), "line 1: expected FORM.CONTROL, got 'Command1'");
  EXPECT_EQ(errorOf("1 hover Form5.KYARA(x)\n"), "line 1: bad control index in 'Form5.KYARA(x)'");
  EXPECT_EQ(errorOf("1 press Form5.casol\n"), "line 1: expected FORM.CONTROL BUTTON");
  EXPECT_EQ(errorOf("1 ok now\n"), "line 1: unexpected 'now'");
  EXPECT_EQ(errorOf("1 scroll Form5.Scr five\n"), "line 1: bad scroll value 'five'");
}

TEST(GameScript, KeyNamesOfKeyFilesAreAStrictSubset) {
  EXPECT_EQ(keyCodeOf("space", false), 32);
  EXPECT_EQ(keyCodeOf("z", false), 90);
  EXPECT_EQ(keyCodeOf("65535", false), 65535);
  EXPECT_EQ(keyCodeOf("F1", false), -1);
  EXPECT_EQ(keyCodeOf("F12", true), 123);
  EXPECT_EQ(keyCodeOf("AB", true), -1);
}

}  // namespace
}  // namespace mojara

#include "app/replay.h"

#include <gtest/gtest.h>

#include <sstream>

#include "sim/fight_setup.h"

namespace mojara {
namespace {

ReplayFight read(const std::string& text) {
  std::istringstream in(text);
  return readReplay(in);
}

std::string errorOf(const std::string& text) {
  try {
    read(text);
  } catch (const ReplayError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ReplayFile, WritesAKeysFileWithAHeaderAndReadsItBack) {
  ReplayFight f;
  f.player = 4, f.opponent = 7, f.speed = 12, f.seed = 18446744073709551615ull, f.demo = true;
  f.pow[0] = 30, f.pow[1] = 100, f.score[0] = -5, f.score[1] = 2147483647;
  f.keys = {{51, 39}, {51, 65}, {60, 32}, {70, 80}, {71, 123}};
  const std::string text = replayText(f);
  EXPECT_EQ(text,
            "# mojara replay 1\n# fight 4 7 --seed 18446744073709551615 --speed 12 --pow 30,100 --score "
            "-5,2147483647 --demo\n51 RIGHT\n51 A\n60 SPACE\n70 P\n71 123\n");
  const ReplayFight back = read(text);
  EXPECT_EQ(replayText(back), text);
  // The key lines are a keys file as the headless runner reads them.
  std::istringstream keys(text);
  EXPECT_EQ(sim::readKeys(keys).size(), 5u);
}

TEST(ReplayFile, RefusesOtherVersionsAndMalformedFilesSayingWhy) {
  EXPECT_EQ(errorOf(""), "not a replay file (it must start with '# mojara replay')");
  EXPECT_EQ(errorOf("51 A\n"), "not a replay file (it must start with '# mojara replay')");
  EXPECT_EQ(errorOf("# mojara replay 2\n"),
            "a replay of another version ('mojara replay 2'); this game reads version 1");
  EXPECT_EQ(errorOf("# mojara replay 1\n51 A\n"), "line 2: expected '# fight ...'");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 9 --seed 1\n"), "line 2: bad roster slots");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1\n"), "line 2: the fight's seed is missing");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1 --speed 0\n"),
            "line 2: bad value '0' for --speed");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1 --jump 3\n"), "line 2: unknown option --jump");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1\n9 A\n8 A\n"),
            "line 4: lines are not sorted by event number");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1\n9 F1\n"), "line 3: expected 'EVENT KEY'");
}

TEST(ReplayFile, LaterFightsOfASessionGetNumberedFiles) {
  EXPECT_EQ(replayPath("fights/today.txt", 1), "fights/today.txt");
  EXPECT_EQ(replayPath("fights/today.txt", 3), "fights/today-3.txt");
  EXPECT_EQ(replayPath("fights.d/today", 2), "fights.d/today-2");
  EXPECT_EQ(replayPath(".hidden", 2), ".hidden-2");
}

TEST(ReplayFile, TheRunnerTakesTheFightFromTheReplayAlone) {
  EXPECT_THROW(sim::readFightArguments({"0", "1", "--replay", "x"}), sim::SetupError);
  EXPECT_THROW(sim::readFightArguments({"--replay", "x", "--seed", "4"}), sim::SetupError);
  EXPECT_THROW(sim::readFightArguments({"--replay", "/nonexistent/replay"}), sim::SetupError);
}

}  // namespace
}  // namespace mojara

#include "sim/game_run.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "battle/trace_diff.h"
#include "play/options/command_line.h"
#include "sim/fight_run.h"

namespace mojara::sim {
namespace {

std::string run(const std::string& script, GameRunOptions options = {}) {
  std::ostringstream out;
  runGame(readGameScript(script), options, out);
  return out.str();
}

TEST(GameRun, PlayGameSlidesTheTitleAwayAndOpensTheSelectWindow) {
  GameRunOptions options;
  options.until = 500'000'000;
  const std::string slid =
      "{\"t\":0,\"ev\":\"load\",\"form\":\"Form3\"}\n"
      "{\"t\":0,\"ev\":\"show\",\"form\":\"Form3\"}\n"
      "{\"t\":100,\"ev\":\"input\",\"line\":\"click Form3.Command1\"}\n"
      "{\"t\":100,\"ev\":\"unload\",\"form\":\"Form3\",\"moves\":101,\"rise\":30300}\n"
      "{\"t\":100,\"ev\":\"load\",\"form\":\"Form5\"}\n"
      "{\"t\":100,\"ev\":\"show\",\"form\":\"Form5\"}\n"
      "{\"t\":500,\"ev\":\"end\",\"reason\":\"until\"}\n";
  EXPECT_TRUE(testing::sameLines(slid, run("100 click Form3.Command1\n", options)));
  // The title alone has no timers: a run with nothing more to do ends at once.
  const std::string idle =
      "{\"t\":0,\"ev\":\"load\",\"form\":\"Form3\"}\n{\"t\":0,\"ev\":\"show\",\"form\":\"Form3\"}\n"
      "{\"t\":0,\"ev\":\"end\",\"reason\":\"idle\"}\n";
  EXPECT_TRUE(testing::sameLines(idle, run("")));
}

TEST(GameRun, HelpRunsOnItsTimerUntilTheRunsEndTime) {
  GameRunOptions options;
  options.until = 1'000'000'000;
  const std::string out = run("10 key F1\n500 choose Form4.Combo1 あとがき\n", options);
  EXPECT_NE(out.find("{\"t\":10,\"ev\":\"show\",\"form\":\"Form4\"}"), std::string::npos);
  EXPECT_NE(out.find("{\"t\":1000,\"ev\":\"end\",\"reason\":\"until\"}"), std::string::npos);
}

TEST(GameRun, ClosingTheTitleWindowEndsTheProgram) {
  const std::string out = run("10 key F1\n20 close Form4\n30 close Form3\n40 key A\n");
  EXPECT_NE(out.find("\"ev\":\"unload\",\"form\":\"Form4\""), std::string::npos);
  EXPECT_NE(out.find("{\"t\":30,\"ev\":\"end\",\"reason\":\"quit\"}"), std::string::npos);
}

TEST(GameRun, ALineNamingAWindowOrControlThatIsNotThereIsAnError) {
  auto errorOf = [](const std::string& script) -> std::string {
    try {
      run(script);
    } catch (const ScriptError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(errorOf("0 click Form5.Command1\n"), "line 1: Form5 is not shown");
  EXPECT_EQ(errorOf("0 click Form3.Command9\n"), "line 1: Form3 has no control Command9");
  EXPECT_EQ(errorOf("0 click Form9.Command1\n"), "line 1: no window is called Form9");
  EXPECT_EQ(errorOf("0 ok\n"), "line 1: no message box is open");
  EXPECT_EQ(errorOf("0 key F1\n1 choose Form4.Combo1 nothing\n"),
            "line 2: no item 'nothing' in Form4.Combo1");
  EXPECT_EQ(errorOf("0 key F1\n1 scroll Form4.Combo1 3\n"), "line 2: Form4.Combo1 is not a scroll bar");
}

// The text of a field in a JSON line: a number or an array, as written.
std::string field(const std::string& line, const std::string& key) {
  std::smatch m;
  if (!std::regex_search(line, m, std::regex("\"" + key + "\":(\\[[^\\]]*\\]|\"[^\"]*\"|[-0-9.]+)")))
    return "";
  return m[1];
}

std::vector<std::string> linesOf(const std::string& text, const std::string& event) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.find("\"ev\":\"" + event + "\"") != std::string::npos) out.push_back(line);
  return out;
}

struct AutoplayedCampaign : ::testing::Test {
  static std::string campaign;
  static void SetUpTestSuite() {
    GameRunOptions options;
    options.seed = 3;
    options.autoplay = true;
    options.programFolder = MOJARA_BIN_DIR;
    campaign = run("", options);
  }
};
std::string AutoplayedCampaign::campaign;

TEST_F(AutoplayedCampaign, ReachesTheEndingAndEndsTheMomentTheStaffRollDoes) {
  const auto results = linesOf(campaign, "result");
  ASSERT_GE(results.size(), 8u);
  EXPECT_EQ(field(results.back(), "STAGE"), "8");
  const auto unloads = linesOf(campaign, "unload");
  ASSERT_NE(unloads.back().find("\"form\":\"Form7\""), std::string::npos);
  const auto end = linesOf(campaign, "end");
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(field(end[0], "reason"), "\"quit\"");
  EXPECT_EQ(field(end[0], "t"), field(unloads.back(), "t"));  // not at the stand-in's next look
}

TEST_F(AutoplayedCampaign, ItsInputLinesPlayTheWholeCampaignAgain) {
  std::string script;
  for (const std::string& input : linesOf(campaign, "input")) {
    std::string action = field(input, "line");
    script += field(input, "t") + " " + action.substr(1, action.size() - 2) + "\n";
  }
  GameRunOptions options;
  options.seed = 3;
  options.demo = true;  // as the stand-in plays
  options.programFolder = MOJARA_BIN_DIR;
  EXPECT_TRUE(testing::sameLines(campaign, run(script, options)));
}

TEST_F(AutoplayedCampaign, EveryFightPlaysAgainInTheFightRunnerFromItsLoadLine) {
  const auto loads = linesOf(campaign, "load");
  std::vector<std::string> fights;
  for (const std::string& load : loads)
    if (load.find("\"Form2\"") != std::string::npos) fights.push_back(load);
  const auto results = linesOf(campaign, "result");
  ASSERT_EQ(fights.size(), results.size());
  auto pair = [](std::string array) { return array.substr(1, array.size() - 2); };
  for (std::size_t i = 0; i < fights.size(); ++i) {
    const std::string chara = pair(field(fights[i], "CHARA"));
    FightRun fight = readFightArguments({chara.substr(0, chara.find(',')), chara.substr(chara.find(',') + 1),
                                         "--seed", field(fights[i], "seed"), "--speed",
                                         field(fights[i], "SPEED"), "--pow", pair(field(fights[i], "POW")),
                                         "--score", pair(field(fights[i], "SCORE")), "--demo"});
    fight.programFolder = MOJARA_BIN_DIR;
    const FightOutcome outcome = runFight(fight, nullptr);
    const std::string end = endLine(outcome);
    for (const char* key : {"end", "e", "SCORE", "POW", "LIFE"})
      EXPECT_EQ(field(end, key), field(results[i], key)) << "fight " << i + 1 << ": " << key;
    EXPECT_EQ(field(results[i], "winner"), outcome.end == "Form5" ? "0" : "1");
  }
}

TEST(GameRun, TimesHaveAtMostThreeDecimalsAtAnyTimerResolution) {
  GameRunOptions options;
  // A resolution is read to the microsecond, so every time the run prints has three decimals at most.
  options.timerResolution = cli::millis("--timer-resolution", "33.3333", 0.001, 60000);
  EXPECT_EQ(options.timerResolution, 33'333'000);
  options.autoplay = true;
  options.seed = 11;
  options.until = 60'000'000'000;
  const std::string out = run("", options);
  EXPECT_TRUE(std::regex_search(out, std::regex("\"t\":[0-9]+\\.[0-9]{3},")));
  EXPECT_FALSE(std::regex_search(out, std::regex("\"t\":[0-9]+\\.[0-9]{4}")));
}

}  // namespace
}  // namespace mojara::sim

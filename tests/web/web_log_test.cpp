// The page's log and traces against the headless runner's, natively: the same whole game, the same
// fights, line for line, with the input carried out as the page's own keys and mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "battle/trace_diff.h"
#include "play/input/input_file.h"
#include "play/input/input_script.h"
#include "play/input/key_script.h"
#include "sim/fight_run.h"
#include "sim/game_run.h"
#include "web/page_json.h"
#include "web/web_session.h"

namespace mojara::web {
namespace {

std::string options(const std::string& more) {
  return std::string("{\"folder\":\"") + MOJARA_BIN_DIR + "\",\"attract\":false,\"log\":true," + more + "}";
}

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string nativeGame(const std::vector<ScriptLine>& script, sim::GameRunOptions run) {
  run.programFolder = MOJARA_BIN_DIR;
  std::ostringstream out;
  sim::runGame(script, run, out);
  return out.str();
}

TEST(WebLog, AWholeGamePlayedByHandLogsAsTheRunnerDoes) {
  const std::vector<ScriptLine> script = readGameScript(fileText(MOJARA_WEB_SCRIPTS "/whole_game.txt"));
  ASSERT_GT(script.size(), 10u);
  const std::int64_t until = 130'000'000'000;
  sim::GameRunOptions run;
  run.seed = 5;
  run.until = until;
  const std::string expected = nativeGame(script, run);

  WebSession page;
  ASSERT_FALSE(parseJson(page.start(options("\"seed\":5"))).contains("error"));
  for (const ScriptLine& line : script) {
    page.frame(static_cast<double>(line.at) / 1e6);
    const std::string answer = page.input(actionText(line));
    ASSERT_FALSE(parseJson(answer).contains("error")) << answer;
  }
  page.frame(static_cast<double>(until) / 1e6);
  const std::string actual = page.log("until");
  EXPECT_TRUE(testing::sameLines(expected, actual));
  EXPECT_NE(expected.find("\"ev\":\"msgbox\""), std::string::npos) << "the game reached its game over";
}

TEST(WebLog, TheStandInPlaysTheSameCampaign) {
  sim::GameRunOptions run;
  run.seed = 3;
  run.autoplay = true;
  run.until = 150'000'000'000;
  const std::string expected = nativeGame({}, run);
  WebSession page;
  page.start(options("\"seed\":3,\"demo\":true"));
  page.frame(150'000);
  EXPECT_TRUE(testing::sameLines(expected, page.log("until")));
}

TEST(WebLog, TheSameInputTheRunnerRefusesIsRefused) {
  WebSession page;
  page.start(options("\"seed\":1"));
  for (const char* line : {"click Form5.Command1", "click Form3.Command9", "ok", "key NOKEY", "scroll Form3.Command1 3"})
    EXPECT_TRUE(parseJson(page.input(line)).contains("error")) << line;
  EXPECT_EQ(page.log(""), "{\"t\":0,\"ev\":\"load\",\"form\":\"Form3\"}\n{\"t\":0,\"ev\":\"show\",\"form\":\"Form3\"}\n");
}

// A practice fight on the page, its keys delivered just before their events, as the fight runner
// delivers a keys file.
std::string pageTrace(int p0, int p1, std::uint64_t seed, bool demo, const std::vector<KeyPress>& keys) {
  WebSession page;
  page.start(options("\"seed\":" + std::to_string(seed) + ",\"fight\":[" + std::to_string(p0) + "," +
                     std::to_string(p1) + "]" + (demo ? ",\"demo\":true" : "")));
  const auto events = [&] {
    const std::string trace = page.trace();
    return static_cast<long long>(std::count(trace.begin(), trace.end(), '\n'));
  };
  for (const KeyPress& press : keys) {
    for (int guard = 0; events() < press.event - 1 && guard < 100000; ++guard) page.step();
    page.input("key " + std::to_string(press.code));
  }
  for (int guard = 0; page.trace().find("{\"end\"") == std::string::npos && guard < 100000; ++guard) page.step();
  return page.trace();
}

TEST(WebLog, PracticeFightsTraceAsTheFightRunnerDoes) {
  const struct {
    int p0, p1;
    std::uint64_t seed;
    bool demo;
    const char* keys;
  } fights[] = {
      {0, 1, 11, true, ""},
      {5, 3, 12345, true, ""},
      {2, 7, 4, false, "3 RIGHT\n3 RIGHT\n20 A\n25 Z\n40 UP\n60 S\n61 Q\n80 X\n100 W\n120 SPACE\n120 SPACE\n140 LEFT\n"},
      {6, 6, 99, false, "1 A\n2 A\n50 Z\n51 Z\n300 Q\n"},
  };
  for (const auto& f : fights) {
    sim::FightRun run;
    run.recorded.fight.player = f.p0;
    run.recorded.fight.opponent = f.p1;
    run.recorded.fight.seed = f.seed;
    run.recorded.fight.demo = f.demo;
    run.recorded.keys = readKeyLines(splitLines(f.keys));
    run.trace = true;
    run.programFolder = MOJARA_BIN_DIR;
    std::ostringstream native;
    const sim::FightOutcome outcome = sim::runFight(run, &native);
    const std::string expected = native.str() + sim::endLine(outcome) + "\n";
    EXPECT_TRUE(testing::sameLines(expected, pageTrace(f.p0, f.p1, f.seed, f.demo, run.recorded.keys)))
        << f.p0 << " " << f.p1 << " seed " << f.seed;
  }
}

}  // namespace
}  // namespace mojara::web

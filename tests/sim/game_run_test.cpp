#include "sim/game_run.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mojara::sim {
namespace {

std::string run(const std::string& script, GameRunOptions options = {}) {
  std::istringstream in(script);
  std::ostringstream out;
  runGame(readGameScript(in), options, out);
  return out.str();
}

TEST(GameRun, PlayGameSlidesTheTitleAwayAndOpensTheSelectWindow) {
  GameRunOptions options;
  options.until = 500'000'000;
  EXPECT_EQ(run("100 click Form3.Command1\n", options),
            "{\"t\":0,\"ev\":\"load\",\"form\":\"Form3\"}\n"
            "{\"t\":0,\"ev\":\"show\",\"form\":\"Form3\"}\n"
            "{\"t\":100,\"ev\":\"unload\",\"form\":\"Form3\",\"moves\":101,\"rise\":30300}\n"
            "{\"t\":100,\"ev\":\"load\",\"form\":\"Form5\"}\n"
            "{\"t\":100,\"ev\":\"show\",\"form\":\"Form5\"}\n"
            "{\"t\":500,\"ev\":\"end\",\"reason\":\"until\"}\n");
  // The title alone has no timers: a run with nothing more to do ends at once.
  EXPECT_EQ(run(""),
            "{\"t\":0,\"ev\":\"load\",\"form\":\"Form3\"}\n{\"t\":0,\"ev\":\"show\",\"form\":\"Form3\"}\n"
            "{\"t\":0,\"ev\":\"end\",\"reason\":\"idle\"}\n");
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

}  // namespace
}  // namespace mojara::sim

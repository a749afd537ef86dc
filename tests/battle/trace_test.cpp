// Whole fights through the headless runner: repeatable, and equal to the committed golden traces.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "play/input/input_file.h"
#include "sim/fight_run.h"
#include "trace_diff.h"

namespace mojara::testing {
namespace {

std::string traceOf(const std::vector<std::string>& args, const std::string& keys = "") {
  sim::FightRun run = sim::readFightArguments(args);
  run.recorded.keys = readKeyLines(splitLines(keys));
  run.programFolder = MOJARA_BIN_DIR;
  std::ostringstream out;
  const sim::FightOutcome outcome = sim::runFight(run, &out);
  return out.str() + sim::endLine(outcome) + "\n";
}

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FightTrace, TheSameSeedAndKeysGiveTheSameTraceTwice) {
  const std::vector<std::string> args = {"2", "5", "--seed", "99", "--demo", "--trace"};
  const std::string first = traceOf(args);
  EXPECT_TRUE(sameLines(first, traceOf(args)));
  EXPECT_FALSE(sameLines(first, traceOf({"2", "5", "--seed", "98", "--demo", "--trace"})));
}

// Each golden file starts with a comment line holding the run's arguments, then its keys file
// after a "keys:" line, then the trace and the end line exactly as the runner printed them.
TEST(FightTrace, GoldenFightsAreReproducedExactly) {
  for (const char* name : {"punches", "specials", "pause"}) {
    const std::string text = fileText(std::string(MOJARA_GOLDEN_DIR) + "/" + name + ".jsonl");
    ASSERT_FALSE(text.empty()) << name;
    std::istringstream lines(text);
    std::string header, line, keys, expected;
    std::getline(lines, header);
    std::getline(lines, line);
    while (std::getline(lines, line) && line != "trace:") keys += line + "\n";
    while (std::getline(lines, line)) expected += line + "\n";
    std::istringstream words(header.substr(1));
    std::vector<std::string> args;
    for (std::string w; words >> w;) args.push_back(w);
    const std::string difference = firstTraceDifference(expected, traceOf(args, keys));
    EXPECT_TRUE(difference.empty()) << name << ".jsonl differs from its golden trace:\n" << difference;
  }
}

TEST(FightArguments, BadArgumentsAndKeyFilesAreRefusedWithTheReason) {
  auto errorOf = [](std::vector<std::string> args, const std::string& keys = "") -> std::string {
    const std::string keyFile = ::testing::TempDir() + "keys-" + std::to_string(::getpid()) + ".txt";
    if (!keys.empty()) {
      std::ofstream(keyFile) << keys;
      args.insert(args.end(), {"--keys", keyFile});
    }
    try {
      sim::readFightArguments(args);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(errorOf({"0"}), "expected two roster slots P0 P1 (0 to 7)");
  EXPECT_EQ(errorOf({"0", "8"}), "P1 must be a roster slot from 0 to 7, not '8'");
  EXPECT_EQ(errorOf({"0", "1", "--speed", "21"}), "--speed needs a whole number from 1 to 20, not '21'");
  EXPECT_EQ(errorOf({"0", "1", "--pow", "5"}), "--pow needs two whole numbers A,B from 0 to 100, not '5'");
  EXPECT_EQ(errorOf({"0", "1", "--pow", "5,101"}),
            "--pow needs two whole numbers A,B from 0 to 100, not '5,101'");
  EXPECT_EQ(errorOf({"0", "1", "--score", "-2147483648,2147483647"}), "no error");
  EXPECT_EQ(errorOf({"0", "1", "--max-events"}), "--max-events needs a value");
  EXPECT_EQ(errorOf({"0", "1", "--frobnicate"}), "unknown option --frobnicate");
  EXPECT_EQ(errorOf({"0", "1", "--keys", "/nonexistent/keys"}),
            "cannot read the keys file /nonexistent/keys");
  EXPECT_EQ(errorOf({"0", "1"}, "# fine\n\n5 a\n5 SPACE\n0 LEFT\n"),
            "keys file line 5: event number 0 is below 1");
  EXPECT_EQ(errorOf({"0", "1"}, "6 A\n5 Z\n"), "keys file line 2: lines are not sorted by event number");
  EXPECT_EQ(errorOf({"0", "1"}, "6 F1\n"), "keys file line 1: unknown key 'F1'");
  EXPECT_EQ(errorOf({"0", "1"}, "6\n"), "keys file line 1: expected 'EVENT KEY'");
  EXPECT_EQ(errorOf({"0", "1"}, "x A\n"), "keys file line 1: bad event number 'x'");
}

TEST(FightTrace, RunsStopAtTheEventLimitOrWhenPausedForGood) {
  EXPECT_EQ(
      traceOf({"0", "1", "--max-events", "0"}),
      "{\"end\":\"limit\",\"e\":0,\"STAGE\":0,\"BEATEN\":[0,1,0,0,0,0,0,0,0],\"SCORE\":[0,0],\"POW\":[0,0],"
      "\"LIFE\":[380,320]}\n");
  const std::string paused = traceOf({"0", "1"}, "60 SPACE\n");
  EXPECT_NE(paused.find("{\"end\":\"stalled\",\"e\":59,"), std::string::npos);
}

}  // namespace
}  // namespace mojara::testing

// Two-player fights: the second player steers side 1 with the first player's rules, side 1 makes
// no random draw, and the runner reads, traces and replays the second player's keys.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "battle_fixture.h"
#include "play/input/input_file.h"
#include "play/replays/replay.h"
#include "sim/fight_run.h"
#include "trace_diff.h"

namespace mojara::testing {
namespace {

struct VersusTest : BattleTest {
  void SetUp() override {
    FightSetup fight = practiceFight(2, 6);
    fight.versus = true;
    fight.seed = 7;
    game.addObserver(handOver);
    game.startFight(fight, AfterFight::Stop);
  }
  void secondKey(int code) { desktop.secondPlayerKeyDown(battle, code); }
};

TEST_F(VersusTest, TheSecondPlayersWalkMovesSideOneByItsWalkingSpeedOnTheNextTick) {
  openingDone();
  ASSERT_EQ(battle.fight().INPUTON2, 1);
  const std::int32_t x = M.XPOS[1], x0 = M.XPOS[0];
  secondKey(forms::vk::Left);
  EXPECT_EQ(battle.fight().KEYCMD2, command::WalkLeft);
  EXPECT_EQ(M.PRESSED, 1);
  events(1);
  EXPECT_EQ(M.XPOS[1], x - M.WALKSPD[1]);
  EXPECT_EQ(M.XPOS[0], x0);  // the first player pressed nothing
  EXPECT_EQ(battle.fight().KEYCMD2, 0);
  // A move key starts side 1's move; the first player's keys still steer side 0 only.
  secondKey('Z');
  key('A');
  events(1);
  EXPECT_EQ(battle.fight().MOVEDMG[1], 3);
  EXPECT_EQ(battle.fight().MOVEDMG[0], 5);
}

TEST_F(VersusTest, SideOneMakesNoRandomDrawAndAPlainFightDoes) {
  openingDone();
  const std::uint64_t before = game.rnd.state();
  events(300);
  EXPECT_EQ(game.rnd.state(), before);

  // The next fight of the same window, against the computer: side 1 draws again.
  game.unload(Window::Battle);
  game.startFight(practiceFight(2, 6), AfterFight::Stop);
  EXPECT_EQ(battle.fight().INPUTON2, 0);
  openingDone();
  const std::uint64_t plain = game.rnd.state();
  events(1);
  EXPECT_NE(game.rnd.state(), plain);
}

TEST_F(VersusTest, TheSecondPlayersSpacePausesAsTheFirstPlayersDoes) {
  events(5);
  secondKey(forms::vk::Space);  // nothing during the opening
  EXPECT_TRUE(c().Timer3.Enabled());
  events(45);
  const int beeps = host.beeps;
  secondKey(forms::vk::Space);
  EXPECT_EQ(host.beeps, beeps + 1);
  EXPECT_TRUE(c().Label2.Visible);
  secondKey('Z');  // dropped while paused
  EXPECT_EQ(battle.fight().KEYCMD2, 0);
  key(forms::vk::Space);  // either player resumes
  EXPECT_FALSE(c().Label2.Visible);
  EXPECT_TRUE(c().Timer1.Enabled());
}

std::string traceOf(const std::vector<std::string>& args, const std::string& keys) {
  sim::FightRun run = sim::readFightArguments(args);
  run.recorded.keys = readKeyLines(splitLines(keys));
  run.programFolder = MOJARA_BIN_DIR;
  std::ostringstream out;
  const sim::FightOutcome outcome = sim::runFight(run, &out);
  return out.str() + sim::endLine(outcome) + "\n";
}

TEST(VersusRun, EveryTraceLineGivesKeycmd2AfterKeycmdAndOnlyInAVersusFight) {
  const std::string keys = "60 2:RIGHT\n61 2:RIGHT\n70 LEFT\n";
  const std::string versus = traceOf({"1", "4", "--versus", "--trace", "--max-events", "80"}, keys);
  std::istringstream lines(versus);
  int traced = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("{\"end\"")) break;
    ++traced;
    const auto keycmd = line.find(",\"KEYCMD\":"), keycmd2 = line.find(",\"KEYCMD2\":");
    ASSERT_NE(keycmd2, std::string::npos) << line;
    EXPECT_EQ(line.find(',', keycmd + 1), keycmd2) << line;
    EXPECT_EQ(line.substr(keycmd2 + 11, 12), "0,\"SEQTICK\":");
  }
  EXPECT_EQ(traced, 80);
  const std::string plain = traceOf({"1", "4", "--trace", "--max-events", "80"}, "70 LEFT\n");
  EXPECT_EQ(plain.find("KEYCMD2"), std::string::npos);
  // The second player's walks moved side 1 on those ticks and nothing else drew for it.
  EXPECT_FALSE(
      sameLines(versus, traceOf({"1", "4", "--versus", "--trace", "--max-events", "80"}, "70 LEFT\n")));
}

TEST(VersusRun, SecondPlayerKeysAreReadWrittenAndRefusedOutsideAVersusFight) {
  const auto keys = readKeyLines(splitLines("5 2:left\n5 A\n9 2:32\n"));
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0], (KeyPress{5, forms::vk::Left, 1}));
  EXPECT_EQ(keys[1], (KeyPress{5, 'A', 0}));
  EXPECT_EQ(keys[2], (KeyPress{9, forms::vk::Space, 1}));
  EXPECT_EQ(keyLinesText(keys), "5 2:LEFT\n5 A\n9 2:SPACE\n");
  EXPECT_THROW(readKeyLines(splitLines("5 2:\n")), InputError);
  EXPECT_THROW(readKeyLines(splitLines("5 3:A\n")), InputError);

  EXPECT_THROW(sim::readFightArguments({"0", "1", "--versus", "--demo"}), cli::UsageError);
  const std::string path = ::testing::TempDir() + "/versus-keys.txt";
  std::ofstream(path) << "5 2:A\n";
  EXPECT_THROW(sim::readFightArguments({"0", "1", "--keys", path}), InputError);
  EXPECT_NO_THROW(sim::readFightArguments({"0", "1", "--versus", "--keys", path}));
  EXPECT_THROW(readReplay("# mojara replay 1\n# fight 0 1 --seed 3 --speed 5 --pow 0,0 --score 0,0\n5 2:A\n"),
               InputError);
}

TEST(VersusRun, AVersusFightReplaysExactlyFromItsRecording) {
  sim::FightRun run = sim::readFightArguments({"3", "0", "--versus", "--seed", "11", "--max-events", "100000"});
  // Both players mash keys: walks, moves and specials, the second player a little behind.
  const int codes[] = {forms::vk::Left, forms::vk::Right, forms::vk::Up, 'A', 'Z', 'S', 'Q', 'X', 'W'};
  for (long long e = 55; e < 1400; e += 3) {
    run.recorded.keys.push_back({e, codes[e % 9], 0});
    run.recorded.keys.push_back({e, codes[(e / 3) % 9], 1});
  }
  const sim::FightOutcome played = sim::runFight(run, nullptr);
  ASSERT_TRUE(played.end == "Form5" || played.end == "Form6") << played.end;

  run.recorded.decidedAfter = played.events;
  const RecordedFight again = readReplay(replayText(run.recorded));
  EXPECT_TRUE(again.fight.versus);
  EXPECT_TRUE(sameLines(replayText(run.recorded), replayText(again)));
  EXPECT_EQ(again, run.recorded);
  sim::FightRun replay = run;
  replay.recorded = again;
  EXPECT_EQ(sim::endLine(sim::runFight(replay, nullptr)), sim::endLine(played));
}

}  // namespace
}  // namespace mojara::testing

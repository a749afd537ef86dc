#include "play/replays/replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "battle/battle_window.h"
#include "fake_host.h"
#include "game/game.h"
#include "play/full_disk.h"
#include "play/input/input_file.h"
#include "play/replays/replay_session.h"
#include "sim/fight_run.h"

namespace mojara {
namespace {

std::string errorOf(const std::string& text) {
  try {
    readReplay(text);
  } catch (const InputError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ReplayFile, WritesAKeysFileWithAHeaderAndReadsItBack) {
  RecordedFight f;
  f.fight.player = 4, f.fight.opponent = 7, f.fight.speed = 12, f.fight.seed = 18446744073709551615ull;
  f.fight.demo = true;
  f.fight.pow = {30, 100}, f.fight.score = {-5, 2147483647};
  f.keys = {{51, 39}, {51, 65}, {60, 32}, {70, 80}, {71, 123}};
  f.decidedAfter = 1500;
  const std::string text = replayText(f);
  EXPECT_EQ(text,
            "# mojara replay 2\n# fight 4 7 --seed 18446744073709551615 --speed 12 --pow 30,100 --score "
            "-5,2147483647 --demo\n51 RIGHT\n51 A\n60 SPACE\n70 P\n71 123\n# fight over after event 1500\n");
  EXPECT_EQ(readReplay(text), f);
  // The key lines are a keys file as the headless runner reads them.
  EXPECT_EQ(readKeyLines(splitLines(text)), f.keys);

  // A fight that took something over from the one before says what, beneath its fight line.
  f.fight.carried = CarriedOver{};
  f.fight.carried->MOVEDMG[1] = 8, f.fight.carried->XSPD[0] = -6, f.fight.carried->HITSIDE = 1;
  f.fight.carried->KEYCMD = 49000, f.fight.carried->DMGTALLY = 35;
  const std::string carrying = replayText(f);
  EXPECT_NE(
      carrying.find("--demo\n# carried over: MOVEDMG 0,8 XSPD -6,0 YSPD 0,0 HITSIDE 1 KEYCMD 49000 DMGTALLY "
                    "35\n51 RIGHT\n"),
      std::string::npos)
      << carrying;
  EXPECT_EQ(readReplay(carrying), f);
  // Only zeros carried over is nothing carried over, and reads back as a file without the line.
  f.fight.carried = CarriedOver{};
  std::string zeros = replayText(f);
  zeros.insert(zeros.find("51 RIGHT"), "# carried over: MOVEDMG 0,0 XSPD 0,0 YSPD 0,0 HITSIDE 0 KEYCMD 0 DMGTALLY 0\n");
  f.fight.carried.reset();
  EXPECT_EQ(readReplay(zeros), f);
}

TEST(ReplayFile, LineEndsOfAnotherSystemAndAByteOrderMarkAreRead) {
  RecordedFight f;
  f.fight.seed = 9;
  f.keys = {{5, 65}};
  f.decidedAfter = 900;
  const std::string text = replayText(f);
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(readReplay(crlf), f);
  EXPECT_EQ(readReplay("\xEF\xBB\xBF" + crlf), f);
}

TEST(ReplayFile, RefusesOtherVersionsAndMalformedFilesSayingWhy) {
  EXPECT_EQ(errorOf(""), "not a replay file (it must start with '# mojara replay')");
  EXPECT_EQ(errorOf("51 A\n"), "not a replay file (it must start with '# mojara replay')");
  EXPECT_EQ(errorOf("# mojara replay 3\n"),
            "a replay of another version ('mojara replay 3'); this game reads versions up to 2");
  EXPECT_EQ(errorOf("# mojara replay 1\n51 A\n"), "line 2: expected '# fight ...'");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 9 --seed 1\n"),
            "line 2: P1 must be a roster slot from 0 to 7, not '9'");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1\n"), "line 2: the fight's seed is missing");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1 --speed 0\n"),
            "line 2: --speed needs a whole number from 1 to 20, not '0'");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1 --jump 3\n"), "line 2: unknown option --jump");
  // What asks a program for its help or version is no part of a fight.
  for (const std::string option : {"--help", "-h", "--version"})
    EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1 " + option + "\n"), "line 2: unknown option " + option);
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1\n9 A\n8 A\n"),
            "line 4: lines are not sorted by event number");
  EXPECT_EQ(errorOf("# mojara replay 1\n# fight 0 1 --seed 1\n9 F1\n"), "line 3: unknown key 'F1'");
  for (const std::string carried : {"MOVEDMG 8 XSPD 0,0 YSPD 0,0 HITSIDE 1 KEYCMD 0 DMGTALLY 0",
                                    "MOVEDMG 8,8 XSPD 0,0 YSPD 0,0 HITSIDE 1,1 KEYCMD 0 DMGTALLY 0",
                                    "MOVEDMG 8,2147483647 XSPD 0,0 YSPD 0,0 HITSIDE 1 KEYCMD 0 DMGTALLY 0",
                                    "MOVEDMG 8,8 XSPD 0,x YSPD 0,0 HITSIDE 1 KEYCMD 0 DMGTALLY 0 LIFE 3"})
    EXPECT_EQ(
        errorOf("# mojara replay 2\n# fight 0 1 --seed 1\n# carried over: " + carried + "\n"),
        "line 3: bad carried-over line (it reads '# carried over: MOVEDMG A,B XSPD A,B YSPD A,B HITSIDE N "
        "KEYCMD N DMGTALLY N')");
}

TEST(ReplayFile, LaterFightsOfASessionGetNumberedFiles) {
  EXPECT_EQ(replayPath("fights/today.txt", 1), "fights/today.txt");
  EXPECT_EQ(replayPath("fights/today.txt", 3), "fights/today-3.txt");
  EXPECT_EQ(replayPath("fights.d/today", 2), "fights.d/today-2");
  EXPECT_EQ(replayPath(".hidden", 2), ".hidden-2");
}

TEST(ReplayFile, AFightCutShortSaysWhereAndIsReadBack) {
  RecordedFight f;
  f.fight.seed = 3;
  f.keys = {{51, 39}, {60, 65}};
  f.cutShortAfter = 75;
  EXPECT_EQ(readReplay(replayText(f)), f);
  EXPECT_NE(replayText(f).find("# cut short after event 75\n"), std::string::npos);
  f.cutShortAfter = 20;  // before its keys were pressed: not a fight that was played
  EXPECT_NE(errorOf(replayText(f)).find("cut short before its last key"), std::string::npos);
}

// A fight recorded in the window and left before it was decided (the window closed, a signal)
// plays again headless exactly as far as it went.
TEST(ReplayRecorder, AFightLeftHalfWayIsKeptAndReplaysUpToWhereItStopped) {
  const std::string path = ::testing::TempDir() + "/cut-short-" + std::to_string(::getpid()) + ".txt";
  testing::VirtualDesktop v;
  Game game(v.desktop);
  ReplayRecorder recorder(game, path, [](const std::string& why) { FAIL() << why; });
  FightSetup practice;
  practice.opponent = 7;
  practice.seed = 11;
  game.startFight(practice);
  v.runFor(testing::ms(3000));
  for (int code : {39, 39, 39, 65, 90, 65}) {
    recorder.keyPressed(game.battle, code);
    v.desktop.keyDown(game.battle, code, 0);
    v.runFor(testing::ms(400));
  }
  const long long events = game.battle.timerEvents();
  ASSERT_GT(events, 80);
  ASSERT_TRUE(game.battle.loaded()) << "the fight should still be going";
  recorder.programEnding();

  const std::string text = readInputFile(path, "the replay");
  EXPECT_NE(text.find("# cut short after event " + std::to_string(events)), std::string::npos) << text;
  const sim::FightRun run = sim::readFightArguments({"--replay", path});
  const sim::FightOutcome replayed = sim::runFight(run, nullptr);
  EXPECT_EQ(replayed.end, "limit");
  EXPECT_EQ(replayed.events, events);
  const sim::FightOutcome stopped = sim::outcomeOf(game.M, "limit", events);
  EXPECT_EQ(sim::outcomeFields(replayed), sim::outcomeFields(stopped));
  std::filesystem::remove(path);
}

// A recording is written a line at a time; one that never got to its end line, or whose last line
// is cut mid-way, plays as far as its last whole key press and never as a whole fight. Files of
// the first version, which had no end line, read as they always have.
TEST(ReplayFile, ARecordingWithoutItsEndPlaysAsFarAsItsLastWholeKeyPress) {
  const std::string fight = "# fight 0 1 --seed 1 --speed 5 --pow 0,0 --score 0,0\n";
  const std::string v2 = "# mojara replay 2\n" + fight + "51 A\n60 Z\n";
  const std::string v1 = "# mojara replay 1\n" + fight + "51 A\n60 Z\n";
  const struct {
    std::string text;
    std::optional<long long> cutShortAfter;
  } cases[] = {
      {v2 + "# fight over after event 900\n", std::nullopt},
      {v2 + "# cut short after event 75\n", 75},
      {v2, 60},
      {v2 + "# fight over after ev", 60},
      {v2 + "61 LE", 60},
      {v2 + "61 3", 60},  // "61 37" cut short still reads as a key
      {"# mojara replay 2\n" + fight, 0},
      {v1, std::nullopt},
      {v1 + "61 LE", 60},
  };
  for (const auto& c : cases) {
    const RecordedFight recorded = readReplay(c.text);
    EXPECT_EQ(recorded.cutShortAfter, c.cutShortAfter) << c.text;
    EXPECT_EQ(recorded.keys.size(), c.cutShortAfter == 0 ? 0u : 2u) << c.text;
    EXPECT_EQ(readReplay(replayText(recorded)), recorded) << "written again, it reads otherwise: " << c.text;
  }
  EXPECT_EQ(errorOf(v2 + "# fight over after event 90\n70 A\n"), "line 6: a key after the end of the fight");
  EXPECT_EQ(errorOf(v2 + "# fight over after event 40\n"), "line 5: the fight is over before its last key");
}

// The disk fills up in the middle of a recorded fight: the file keeps the key presses written
// whole, claims no end it did not see, and plays as far as its last whole press.
TEST(ReplayRecorder, ADiskThatFillsUpMidFightKeepsWholeLinesThatPlayToTheLastOne) {
  const std::string path = ::testing::TempDir() + "/full-disk-" + std::to_string(::getpid()) + ".txt";
  FightSetup practice;
  practice.opponent = 7;
  practice.seed = 11;
  const std::size_t header = replayHeader(practice).size();
  for (const std::size_t room : {std::size_t{0}, header, header + 3, header + 22}) {
    testing::VirtualDesktop v;
    Game game(v.desktop);
    std::vector<std::string> warnings;
    ReplayRecorder recorder(game, path, [&](const std::string& why) { warnings.push_back(why); });
    {
      const testing::FullDisk full(room);
      game.startFight(practice);
      v.runFor(testing::ms(3000));
      for (int code : {39, 39, 65, 90, 65, 37}) {
        recorder.keyPressed(game.battle, code);
        v.desktop.keyDown(game.battle, code, 0);
        v.runFor(testing::ms(300));
      }
    }
    recorder.programEnding();  // with room again: the end is not written after a gap either
    ASSERT_EQ(warnings.size(), 1u) << room;
    EXPECT_NE(warnings[0].find("cannot write the replay"), std::string::npos) << warnings[0];

    const std::string text = readInputFile(path, "the replay");
    EXPECT_LE(text.size(), room);
    EXPECT_TRUE(text.empty() || text.ends_with('\n')) << text;
    if (room < header) continue;
    const RecordedFight recorded = readReplay(text);
    EXPECT_LT(recorded.keys.size(), 6u);
    EXPECT_EQ(recorded.cutShortAfter, recorded.keys.empty() ? 0 : recorded.keys.back().event);
    const sim::FightOutcome replayed = sim::runFight(sim::readFightArguments({"--replay", path}), nullptr);
    EXPECT_EQ(replayed.end, "limit");
    EXPECT_EQ(replayed.events, *recorded.cutShortAfter);
  }
  std::filesystem::remove(path);
}

TEST(ReplayFile, ChecksumsGoAfterTheKeysOfTheirEventAndReadBack) {
  RecordedFight f;
  f.fight.seed = 3;
  f.keys = {{99, 65}, {100, 90}, {101, 37}};
  f.checks = {{100, 0x00ff00ff00ff00ffull}, {137, 0xfedcba9876543210ull}};
  f.decidedAfter = 137;
  const std::string text = replayText(f);
  EXPECT_EQ(text,
            "# mojara replay 2\n# fight 0 0 --seed 3 --speed 5 --pow 0,0 --score 0,0\n99 A\n100 Z\n"
            "# checksum after event 100: 00ff00ff00ff00ff\n101 LEFT\n# checksum after event 137: fedcba9876543210\n"
            "# fight over after event 137\n");
  EXPECT_EQ(readReplay(text), f);
  EXPECT_EQ(readKeyLines(splitLines(text)), f.keys);  // still a keys file
  const std::string head = "# mojara replay 2\n# fight 0 1 --seed 1\n";
  for (const auto& [line, error] : std::vector<std::pair<std::string, std::string>>{
           {"# checksum after event 100", "line 3: bad checksum line '# checksum after event 100'"},
           {"# checksum after event x: 00ff00ff00ff00ff", "line 3: bad checksum line '# checksum after event x: 00ff00ff00ff00ff'"},
           {"# checksum after event 5: 00ff00ff00ff00f", "line 3: bad checksum line '# checksum after event 5: 00ff00ff00ff00f'"},
           {"# checksum after event 5: 00ff00ff00ff00fg", "line 3: bad checksum line '# checksum after event 5: 00ff00ff00ff00fg'"},
           {"# checksum after event 5: 0000000000000000\n# checksum after event 5: 0000000000000000",
            "line 4: checksums out of order"}})
    EXPECT_EQ(errorOf(head + line + "\n"), error) << line;
}

// The runner records a fight as the game does; played again it agrees with every checksum, and
// one that no longer agrees ends the replay saying after which event.
TEST(ReplayFile, AReplayThatDriftsFromItsRecordingSaysWhere) {
  const std::string path = ::testing::TempDir() + "/drift-" + std::to_string(::getpid()) + ".txt";
  sim::FightRun run = sim::readFightArguments({"2", "5", "--seed", "8"});
  run.recorded.keys = {{5, 65}, {60, 90}, {61, 37}, {300, 83}};
  run.recordPath = path;
  run.programFolder = MOJARA_BIN_DIR;
  const sim::FightOutcome played = sim::runFight(run, nullptr);
  const std::string text = readInputFile(path, "the replay");
  std::filesystem::remove(path);
  const RecordedFight recorded = readReplay(text);
  ASSERT_EQ(recorded.decidedAfter, played.events);
  ASSERT_EQ(recorded.checks.size(), static_cast<std::size_t>(played.events / 100 + (played.events % 100 != 0)));
  EXPECT_EQ(recorded.checks.back().event, played.events);

  const auto replay = [&](const RecordedFight& fight) {
    sim::FightRun again;
    again.recorded = fight;
    again.programFolder = MOJARA_BIN_DIR;
    return sim::runFight(again, nullptr);
  };
  EXPECT_EQ(sim::outcomeFields(replay(recorded)), sim::outcomeFields(played));
  RecordedFight unchecked = recorded;
  unchecked.checks.clear();
  EXPECT_EQ(sim::outcomeFields(replay(unchecked)), sim::outcomeFields(played));

  RecordedFight changed = recorded;
  changed.checks[2].checksum ^= 1;
  const sim::FightOutcome drifted = replay(changed);
  EXPECT_EQ(drifted.end, "desync");
  EXPECT_EQ(drifted.events, 300);
  EXPECT_NE(drifted.problem.find("after event 300 is not the one recorded (it still agreed after event 200)"),
            std::string::npos)
      << drifted.problem;
}

// A replay that drifts stops there and says so: over the title it came from, or, played from the
// command line, in a message box, the program ending only once the player has read it. Found in
// the middle of the fight or at its deciding event alike.
TEST(ReplayPlayer, AReplayThatDriftsStopsAndSaysSo) {
  for (const AfterReplay after : {AfterReplay::Title, AfterReplay::EndProgram}) {
    for (const long long at : {100ll, 0ll}) {
      RecordedFight fight;
      fight.fight.opponent = 4;
      fight.fight.seed = 5;
      fight.fight.demo = at == 0;  // a fight of its own, to find how long it lasts
      testing::VirtualDesktop v;
      Game game(v.desktop);
      if (at == 0) {
        sim::FightRun whole;
        whole.recorded = fight;
        fight.checks = {{sim::runFight(whole, nullptr).events, 0}};  // its deciding event comes to another state
      } else {
        fight.checks = {{at, 0}};  // no fight comes to this
      }
      std::vector<std::string> said;
      ReplayPlayer player(game, fight, after, [&](const std::string& why) { said.push_back(why); });
      player.start();
      for (int i = 0; i < 3000 && player.playing(); ++i) {
        v.runFor(testing::ms(60));
        player.timerFired();
      }
      EXPECT_FALSE(player.playing());
      EXPECT_EQ(player.disagreedAfter(), fight.checks[0].event);
      ASSERT_EQ(said.size(), 1u);
      EXPECT_FALSE(game.battle.loaded());
      if (after == AfterReplay::Title) {
        EXPECT_TRUE(game.form(Window::Title).loaded());
        EXPECT_TRUE(v.host.messages.empty());
        continue;
      }
      ASSERT_EQ(v.host.messages, std::vector<std::string>{kReplayDisagreesNotice}) << at;
      EXPECT_FALSE(v.host.ended) << "the program should wait for the player to read why";
      v.desktop.closeMessageBox();
      EXPECT_TRUE(v.host.ended);
    }
  }
}

// A fight after another in the same window starts from what the last one left of the window's
// variables: its recording says so, and it replays to its end headless, and in a window that
// played some other fight meanwhile.
TEST(ReplayRecorder, AFightAfterAnotherReplaysAsItWasPlayed) {
  const std::string path = ::testing::TempDir() + "/after-another-" + std::to_string(::getpid()) + ".txt";
  testing::VirtualDesktop v;
  Game game(v.desktop);
  const auto play = [&](std::int32_t opponent, std::uint64_t seed, bool demo) {
    FightSetup fight;
    fight.opponent = opponent, fight.seed = seed, fight.demo = demo;
    game.startFight(fight, AfterFight::Stop);
    for (int i = 0; i < 300 && game.battle.loaded(); ++i) v.runFor(testing::ms(1000));
    ASSERT_FALSE(game.battle.loaded()) << "the fight should be over";
  };
  play(3, 1, true);
  game.battle.fight().KEYCMD = 5;  // a punch pressed as the fight was decided
  const CarriedOver left = battle::carriedOver(game.battle.fight(), game.M);
  {
    ReplayRecorder recorder(game, path, [](const std::string& why) { FAIL() << why; });
    play(5, 7, false);  // the player, pressing nothing, punches once at the start
  }
  const RecordedFight recorded = readReplay(readInputFile(path, "the replay"));
  std::filesystem::remove(path);
  EXPECT_EQ(recorded.fight.carried, left);
  ASSERT_TRUE(recorded.decidedAfter);
  ASSERT_FALSE(recorded.checks.empty());

  sim::FightRun again;
  again.recorded = recorded;
  again.programFolder = MOJARA_BIN_DIR;
  const sim::FightOutcome replayed = sim::runFight(again, nullptr);
  EXPECT_EQ(replayed.problem, "");
  EXPECT_EQ(replayed.events, *recorded.decidedAfter);

  play(2, 9, true);
  ReplayPlayer player(game, recorded, AfterReplay::Title, [](const std::string& why) { FAIL() << why; });
  player.start();
  for (int i = 0; i < 3000 && player.playing(); ++i) {
    v.runFor(testing::ms(60));
    player.timerFired();
  }
  EXPECT_FALSE(player.playing());
  EXPECT_FALSE(player.disagreedAfter());
}

TEST(ReplayFile, TheRunnerTakesTheFightFromTheReplayAlone) {
  EXPECT_THROW(sim::readFightArguments({"0", "1", "--replay", "x"}), cli::UsageError);
  EXPECT_THROW(sim::readFightArguments({"--replay", "x", "--seed", "4"}), cli::UsageError);
  EXPECT_THROW(sim::readFightArguments({"--replay", "/nonexistent/replay"}), InputError);
}

}  // namespace
}  // namespace mojara

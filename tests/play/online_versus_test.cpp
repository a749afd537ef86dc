// Online versus between two whole games in one process, over 127.0.0.1, on a clock of the test's
// own: the picks heard both ways, the fight started when both are ready and played to its end in
// both battle windows, the same recording on both machines that replays headless to the same end,
// a rematch, and the ends that are not the fight's (a player leaving or falling silent, no host,
// another version).
#include "net/online_versus.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "battle/battle_window.h"
#include "fake_host.h"
#include "play/input/input_file.h"
#include "sim/fight_run.h"

namespace mojara::testing {
namespace {

using namespace std::chrono_literals;
using net::Clock;
using net::OnlineVersus;
using Stage = OnlineVersus::Stage;

// Literal timer intervals: a whole fight is a few seconds of the test's clock.
constexpr forms::Nanos kResolution = ms(1);

struct Machine {
  struct Host : FakeHost {
    std::string programFolder() const override { return MOJARA_BIN_DIR; }
  } host;
  forms::VirtualClock clock;
  forms::Desktop desktop{host, clock, kResolution};
  Game game{desktop};
  VersusSession versus{game};
  std::optional<ReplayRecorder> recorder;
  std::unique_ptr<OnlineVersus> online;
  bool silent = false;  // its program stopped: it is pumped no more
  int looked = 0;       // fights whose end the front end has seen
  int period = 1;       // pumped every this many ms
  std::vector<std::string> results;  // "won" or "lost" for side 0, by fight

  struct Results : FightObserver {
    explicit Results(std::vector<std::string>& into) : into(into) {}
    void fightOver(Window next) override { into.push_back(next == Window::Select ? "won" : "lost"); }
    std::vector<std::string>& into;
  } watch{results};

  Machine() { game.addObserver(watch); }
  ~Machine() { game.removeObserver(watch); }
  void record(const std::string& path) {
    recorder.emplace(game, path, [](const std::string& why) { ADD_FAILURE() << why; });
    if (online) online->setRecorder(&*recorder);
  }
  void key(int code, bool secondPlayersKeys = false) {
    if (secondPlayersKeys)
      desktop.secondPlayerKeyDown(game.battle, code);
    else
      desktop.keyDown(game.battle, code);
  }
};

struct OnlineVersusTest : ::testing::Test {
  Machine host, joiner;
  Clock::time_point now = Clock::time_point{} + 1000h;
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("online_versus_" + std::to_string(::getpid()) + "_" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());

  void SetUp() override { std::filesystem::create_directories(folder); }
  void TearDown() override { std::filesystem::remove_all(folder); }

  static OnlineVersus::Settings settings(const std::string& version = "1.0") {
    OnlineVersus::Settings s;
    s.version = version;
    s.connectTimeout = 2s;
    s.silenceTimeout = 1s;
    return s;
  }
  void connect(int inputDelay = 2) {
    auto hosting = settings();
    hosting.inputDelay = inputDelay;
    host.online = OnlineVersus::host(host.game, host.versus, 0, std::nullopt, hosting, now);
    joiner.online = OnlineVersus::join(joiner.game, joiner.versus, net::resolve("127.0.0.1", host.online->port()),
                                       host.online->code(), settings(), now);
    for (Machine* m : {&host, &joiner})
      if (m->recorder) m->online->setRecorder(&*m->recorder);
    ASSERT_TRUE(pumpUntil([&] { return both(Stage::Picking); }, 3s));
  }
  bool both(Stage stage) const { return host.online->stage() == stage && joiner.online->stage() == stage; }
  // Both machines pumped in steps of 1 ms of the test's clock until `done` (false: not within `most`).
  template <class Done>
  bool pumpUntil(Done done, Clock::duration most, const std::function<void(long long ms)>& each = {}) {
    for (long long t = 0; t <= most / 1ms; ++t) {
      if (done()) return true;
      now += 1ms;
      for (Machine* m : {&host, &joiner}) {
        if (m->online && !m->silent && t % m->period == 0) m->online->pump(now);
        // As the front end looks, between events.
        if (m->versus.look()) ++m->looked;
      }
      if (each) each(t);
    }
    return done();
  }
  std::string read(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  sim::FightOutcome replay(const std::string& recording) {
    sim::FightRun run;
    run.recorded = readReplay(recording);
    run.timerResolution = kResolution;
    run.programFolder = MOJARA_BIN_DIR;
    return sim::runFight(run, nullptr);
  }
};

// Each player picks in their own window and the other's pick shows as it changes; the host starts
// only when both are ready; both windows play the same fight, with keys of either player's keys
// pressed on both machines and rollbacks (no input delay), and the pause key doing nothing; both
// hand over with the same result, both recordings are the same file and replay headless to that
// end. A rematch waits for both players to say they are ready again.
TEST_F(OnlineVersusTest, AFightToItsEndInBothWindowsTheSameRecordingAndARematch) {
  host.record((folder / "host.txt").string());
  joiner.record((folder / "joiner.txt").string());
  connect(0);
  host.online->pick(3);
  joiner.online->pick(6);
  host.online->setReady(true);
  ASSERT_TRUE(pumpUntil([&] { return host.online->theirs().slot == 6 && joiner.online->theirs().ready; }, 1s));
  EXPECT_EQ(joiner.online->theirs().slot, 3);
  EXPECT_FALSE(pumpUntil([&] { return host.online->stage() == Stage::Fighting; }, 500ms))
      << "a fight began before player 2 was ready";

  joiner.online->setReady(true);
  ASSERT_TRUE(pumpUntil([&] { return both(Stage::Fighting); }, 1s));
  for (Machine* m : {&host, &joiner}) {
    ASSERT_TRUE(m->game.battle.loaded());
    EXPECT_EQ(m->game.battle.fight().CHARA[0], 3);
    EXPECT_EQ(m->game.battle.fight().CHARA[1], 6);
  }
  EXPECT_EQ(host.game.currentFight()->seed, joiner.game.currentFight()->seed);

  bool paused = false;
  const bool ended = pumpUntil(
      [&] { return host.results.size() == 1 && joiner.results.size() == 1; },
      60s, [&](long long t) {
        // Player 1 walks in and punches; player 2, on player 2's keys, walks in and kicks back.
        if (host.game.battle.loaded() && t % 97 == 0) {
          host.key(t % 2 ? 'A' : forms::vk::Right);
          if (t % 5 == 0) host.key(32);  // the pause key
        }
        if (joiner.game.battle.loaded() && t % 89 == 0) joiner.key(t % 2 ? 'Z' : forms::vk::Left, true);
        for (Machine* m : {&host, &joiner})
          paused = paused || (m->game.battle.loaded() && m->game.battle.fight().phase == battle::Phase::Paused);
      });
  ASSERT_TRUE(ended);
  EXPECT_FALSE(paused) << "the pause key paused an online fight";
  EXPECT_EQ(host.results, joiner.results);
  EXPECT_GT(host.online->peer().figures().fight.rollbacks + joiner.online->peer().figures().fight.rollbacks, 0)
      << "no press came late: the fight never went back";

  const std::string recording = read(folder / "host.txt");
  EXPECT_EQ(recording, read(folder / "joiner.txt"));
  EXPECT_NE(recording.find(" 2:"), std::string::npos) << "player 2's presses are not in the recording";
  EXPECT_EQ(recording.find(" SPACE"), std::string::npos) << "the pause key was recorded";
  const sim::FightOutcome replayed = replay(recording);
  EXPECT_EQ(replayed.end, host.results[0] == "won" ? "Form5" : "Form6") << replayed.problem;
  EXPECT_EQ(replayed.checksum, host.game.fightChecksum());

  // The rematch: player 1 is ready at once, but the fight waits for player 2.
  ASSERT_TRUE(pumpUntil([&] { return both(Stage::Picking); }, 2s));
  host.online->setReady(true);
  EXPECT_FALSE(pumpUntil([&] { return host.online->stage() == Stage::Fighting; }, 1s))
      << "the rematch began on player 2's readiness for the last fight";
  joiner.online->setReady(true);
  ASSERT_TRUE(pumpUntil([&] { return both(Stage::Fighting); }, 1s));
  EXPECT_EQ(host.online->fights(), 2);
  EXPECT_TRUE(std::filesystem::exists(folder / "joiner-2.txt"));
}

// A fight that the other player leaves, or whose other player falls silent, ends at once on this
// machine: its window closes with no result, the versus window gets a message, and the recording
// ends where both had confirmed the fight, to be replayed that far.
TEST_F(OnlineVersusTest, APlayerWhoLeavesOrFallsSilentEndsTheFightWithAMessage) {
  for (const bool leaves : {true, false}) {
    SCOPED_TRACE(leaves ? "leaves" : "falls silent");
    host.record((folder / (leaves ? "left.txt" : "silent.txt")).string());
    connect();
    host.online->setReady(true);
    joiner.online->setReady(true);
    ASSERT_TRUE(pumpUntil([&] { return both(Stage::Fighting); }, 1s));
    pumpUntil([] { return false; }, 3s);
    if (leaves)
      joiner.online.reset();
    else
      joiner.silent = true;  // killed: it never says goodbye
    ASSERT_TRUE(pumpUntil([&] { return host.online->stage() == Stage::Ended; }, 2s));
    EXPECT_FALSE(host.game.battle.loaded());
    pumpUntil([] { return false; }, 1ms);
    EXPECT_EQ(host.looked, leaves ? 1 : 2);
    EXPECT_FALSE(host.versus.winner());
    ASSERT_TRUE(host.online->message());
    EXPECT_EQ(host.online->message()->text(), leaves ? "相手が対戦をやめました" : "相手からの通信が 1 秒とだえました");
    const RecordedFight recorded = readReplay(read(folder / (leaves ? "left.txt" : "silent.txt")));
    ASSERT_TRUE(recorded.cutShortAfter);
    EXPECT_GT(*recorded.cutShortAfter, 100);
    EXPECT_NE(replay(read(folder / (leaves ? "left.txt" : "silent.txt"))).end, "desync");
    host.online.reset();
    joiner.online.reset();
    joiner.silent = false;
    if (joiner.game.battle.loaded()) joiner.versus.stopFight();
  }
}

// After a fight both programs talk at the lobby's pace again, however their wake-ups fall (each
// answering the other's last word about the fight, two programs whose fights had both ended went
// on answering each other as fast as they could, and never said their picks again).
TEST_F(OnlineVersusTest, AfterAFightBothProgramsGoBackToTheLobbysPace) {
  for (const auto& [hostEvery, joinerEvery] : {std::pair{1, 1}, {2, 2}, {2, 1}, {2, 4}, {3, 1}}) {
    SCOPED_TRACE(std::to_string(hostEvery) + " ms, " + std::to_string(joinerEvery) + " ms");
    host.period = hostEvery;
    joiner.period = joinerEvery;
    connect();
    host.online->setReady(true);
    joiner.online->setReady(true);
    ASSERT_TRUE(pumpUntil([&] { return both(Stage::Fighting); }, 1s));
    ASSERT_TRUE(pumpUntil([&] { return both(Stage::Picking); }, 60s));
    const long long sent = host.online->peer().figures().packetsOut + joiner.online->peer().figures().packetsOut;
    pumpUntil([] { return false; }, 1s);
    EXPECT_LE(host.online->peer().figures().packetsOut + joiner.online->peer().figures().packetsOut - sent, 40)
        << "heartbeats are 10 a second each";
    host.online->setReady(true);
    joiner.online->setReady(true);
    EXPECT_TRUE(pumpUntil([&] { return both(Stage::Fighting); }, 1s)) << "no rematch";
    host.online.reset();
    joiner.online.reset();
    for (Machine* m : {&host, &joiner})
      if (m->game.battle.loaded()) m->versus.stopFight();
    pumpUntil([] { return false; }, 1ms);
  }
}

// No session at all: nobody at the address (said at once), or a host of another version or
// another room; the host goes on waiting for its friend.
TEST_F(OnlineVersusTest, NoHostAnotherVersionOrTheWrongCodeIsSaidInTheGamesWords) {
  const RoomCode code = *RoomCode::parse("ABCD-EFGH");
  joiner.online = OnlineVersus::join(joiner.game, joiner.versus, net::resolve("127.0.0.1", 9), code, settings(), now);
  ASSERT_TRUE(pumpUntil([&] { return joiner.online->stage() == Stage::Ended; }, 100ms));
  EXPECT_EQ(joiner.online->message()->text(), "127.0.0.1:9 では誰もホストしていません");

  host.online = OnlineVersus::host(host.game, host.versus, 0, code, settings("1.0"), now);
  const net::Address there = net::resolve("127.0.0.1", host.online->port());
  for (const auto& [version, joinWith, said] :
       {std::tuple{"2.0", code, "バージョンかルールが相手とちがいます"},
        std::tuple{"1.0", *RoomCode::parse("ABCD-EFGJ"), "ルームコードがちがいます"}}) {
    joiner.online = OnlineVersus::join(joiner.game, joiner.versus, there, joinWith, settings(version), now);
    ASSERT_TRUE(pumpUntil([&] { return joiner.online->stage() == Stage::Ended; }, 3s));
    EXPECT_EQ(joiner.online->message()->text(), said);
    EXPECT_EQ(host.online->stage(), Stage::Connecting) << "the host goes on waiting";
  }
  joiner.online = OnlineVersus::join(joiner.game, joiner.versus, there, code, settings(), now);
  EXPECT_TRUE(pumpUntil([&] { return both(Stage::Picking); }, 3s));
}

}  // namespace
}  // namespace mojara::testing


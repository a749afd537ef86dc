// The play session every front end stands on, headless on the virtual clock.
#include "play/session/play_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "battle/battle_window.h"
#include "fake_host.h"
#include "fake_play_host.h"
#include "play/replays/recording_file.h"
#include "play/replays/replay.h"
#include "help/help_window.h"
#include "play/input/front_end_keys.h"
#include "play/texts/window_texts.h"
#include "title/title_window.h"

namespace mojara::testing {
namespace {

// A start with no attract mode, or with attract mode on the clock's seed 7.
PlaySession::Start quiet(bool attract = false) {
  PlaySession::Start start;
  start.attract = attract;
  start.clockSeed = 7;
  return start;
}

struct PlaySessionTest : ::testing::Test {
  VirtualDesktop v;
  FakePlayHost host;
  PlaySession play{v.desktop, v.clock, host, Settings{}, true};
  Game& game = play.game();

  // The clock run for `millis`, the session looking between events as the front ends have it.
  void idle(double millis) {
    for (double t = 0; t < millis; t += 100) {
      v.runFor(ms(100));
      play.look();
    }
  }
  // The fight's opening at once: its 50 events by the rules.
  void pastTheOpening() {
    for (int i = 0; i < 50; ++i) battle::tick(game.battle.fight(), game.battle.rules());
    ASSERT_EQ(game.battle.fight().phase, battle::Phase::Live);
  }
  void key(int code, int shift = 0) {
    if (forms::Form* front = v.desktop.foreground()) play.keyPressed(*front, code, shift);
  }
};

TEST_F(PlaySessionTest, TheFrontEndsOwnKeysActWhereTheyMayAndNeverReachTheGame) {
  play.start(quiet());
  key(forms::vk::F11);
  key(forms::vk::Return, kAltBit);
  EXPECT_EQ(host.fullScreens, (std::vector<bool>{true, false}));
  ASSERT_FALSE(host.kept.empty());
  EXPECT_FALSE(host.kept.back().fullScreen);
  key('M');
  EXPECT_EQ(host.levels.back(), (SoundLevels{8, 8, true}));
  key(0x43 /* C */);  // a key of no one's: nothing kept for it
  const std::size_t kept = host.kept.size();
  // F2 and F3 open the front end's windows from the title only.
  game.startFight(FightSetup{});
  ASSERT_TRUE(game.battle.shown());
  game.M.PRESSED = 0;
  key(113 /* F2 */);
  key(114 /* F3 */);
  EXPECT_EQ(host.keyWindows, 0);
  EXPECT_TRUE(host.versusWindows.empty());
  EXPECT_EQ(game.M.PRESSED, 0) << "a front end's key reached the battle";
  game.unload(Window::Battle);
  game.start();
  key(113);
  key(114);
  EXPECT_EQ(host.keyWindows, 1);
  ASSERT_EQ(host.versusWindows.size(), 1u);
  EXPECT_FALSE(host.versusWindows[0].fighters) << "from the title the window keeps its own picks";
  EXPECT_EQ(host.kept.size(), kept);
}

TEST_F(PlaySessionTest, APageKeepsNoFullScreenAndStartsOutOfIt) {
  Settings kept;
  kept.fullScreen = true;
  FakePlayHost pageHost;
  VirtualDesktop page;
  PlaySession pagePlay(page.desktop, page.clock, pageHost, kept, false);
  pagePlay.start(quiet());
  EXPECT_TRUE(pageHost.fullScreens.empty());
  pagePlay.keyPressed(*page.desktop.foreground(), forms::vk::F11, 0);
  EXPECT_EQ(pageHost.fullScreens, std::vector<bool>{true});
  EXPECT_TRUE(pageHost.kept.empty());
  // The desktop goes full screen at the start when it was kept so.
  FakePlayHost desktopHost;
  VirtualDesktop desktop;
  PlaySession desktopPlay(desktop.desktop, desktop.clock, desktopHost, kept, true);
  desktopPlay.start(quiet());
  EXPECT_EQ(desktopHost.fullScreens, std::vector<bool>{true});
}

TEST_F(PlaySessionTest, NoDemoFightStartsWhileThePlayersAreAtTheFrontEndsOwnWindows) {
  play.start(quiet(true));
  // The key window (or an online session) has the players.
  host.busy = true;
  idle(31000);
  EXPECT_FALSE(play.attractRunning());
  host.busy = false;
  // The versus window from the title, until it closes.
  key(114 /* F3 */);
  idle(31000);
  EXPECT_FALSE(play.attractRunning());
  play.versusClosed();
  idle(29000);
  EXPECT_FALSE(play.attractRunning()) << "the idle time counts from the window's closing";
  idle(2000);
  EXPECT_TRUE(play.attractRunning());
  ASSERT_EQ(play.notices().marks().size(), 1u);
  key('Z');  // any key ends it, and goes no further
  EXPECT_FALSE(play.attractRunning());
  EXPECT_TRUE(play.notices().marks().empty());
  EXPECT_TRUE(game.title.shown());
}

TEST_F(PlaySessionTest, ThePlayersInputGoesWhereTheFightHasRoomForIt) {
  PlaySession::Start versus = quiet();
  versus.versus = std::pair{0, 1};
  play.start(versus);
  ASSERT_TRUE(play.versus().fighting());
  pastTheOpening();
  struct Case {
    int player;
    command::Command command;
    bool secondPlayersFight;  // whether it reaches the fight's second player
  };
  for (const Case& c : {Case{0, command::Punch, false}, Case{1, command::Kick, true}}) {
    play.command(c.player, c.command);
    EXPECT_EQ(c.secondPlayersFight ? game.battle.fight().KEYCMD2 : game.battle.fight().KEYCMD, c.command);
  }
  // Against the computer player 2's commands and controller reach nothing.
  game.unload(Window::Battle);
  play.versusClosed();
  game.startFight(FightSetup{});
  pastTheOpening();
  play.command(1, command::Kick);
  play.padPressed(1, PadButton::X, false);
  EXPECT_EQ(game.battle.fight().KEYCMD2, 0);
  // A message box takes the keys: Enter closes it and reaches no window.
  v.desktop.msgBox("x", "y", {});
  ASSERT_TRUE(v.desktop.messageBoxOpen());
  key(forms::vk::Return);
  EXPECT_FALSE(v.desktop.messageBoxOpen());
}

TEST_F(PlaySessionTest, AReplayFromTheTitleTakesNoKeysAndTheRecordingHoldsNoneItRefused) {
  const std::string path = ::testing::TempDir() + "/session-" + std::to_string(::getpid()) + ".txt";
  play.record(path);
  play.start(quiet());
  RecordedFight recorded;
  recorded.fight = practiceFight(0, 1);
  recorded.fight.seed = 5;
  recorded.cutShortAfter = 120;
  EXPECT_FALSE(play.playReplay("not a replay"));
  ASSERT_TRUE(play.playReplay(replayText(recorded)));
  EXPECT_FALSE(play.playReplay(replayText(recorded))) << "a second one while the first plays";
  ASSERT_EQ(play.notices().lines().size(), 2u);
  EXPECT_EQ(play.notices().lines()[1].form, kReplayOnlyFromTitle);
  pastTheOpening();
  const int pressed = game.M.PRESSED;
  key('A');  // the player's punch: refused while the replay plays
  EXPECT_EQ(game.M.PRESSED, pressed);
  std::ifstream file(replayPath(path, 1));
  const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(written, "") << "the replayed fight is recorded";
  EXPECT_EQ(readReplay(written).keys, std::vector<KeyPress>{}) << written;
  std::filesystem::remove(replayPath(path, 1));
}

TEST_F(PlaySessionTest, TheHelpsControlsTopicAddsTheKeysInEffectOnceRebound) {
  play.start(quiet());
  game.show(Window::Help);
  game.help.ctl->Combo1.Text = "操作方法";
  v.runFor(ms(200));
  const std::string topic = game.help.ctl->Text1.Text;
  ASSERT_TRUE(topic.starts_with("操作方法"));
  // In English, a catalogue that knows the topic, the added lines' form and one command.
  const CaptionTranslator::Lookup english = [&](const std::string& text, auto) -> std::optional<std::string> {
    if (text == WindowTexts()(topic)) return "Controls\n(the topic)\n";
    if (text == "%1（%2）・・・%3") return "%1 (%2) ... %3";
    if (text == "パンチ") return "punch";
    return std::nullopt;
  };
  for (WindowTexts texts : {WindowTexts(), WindowTexts(CaptionTranslator(english))}) {
    texts.setBindings(&play.bindings());
    const std::string plain = texts(topic);
    EXPECT_EQ(plain.find("いまのキーとボタン"), std::string::npos) << "the default keys add nothing";
    play.bindKey(0, command::Punch, 'G');
    const std::string rebound = texts(topic);
    EXPECT_TRUE(rebound.starts_with(plain)) << "the game's own text stays whole above";
    EXPECT_NE(rebound.find(texts.translated() ? "G (X) ... punch" : "G（X）・・・パンチ"), std::string::npos) << rebound;
    EXPECT_EQ(texts(game.help.ctl->Combo1.Text), texts("操作方法")) << "only the topic's text gains the keys";
    Settings defaults = play.settings();
    defaults.bindings = KeyBindings::defaults();
    play.change(defaults);
  }
}

}  // namespace
}  // namespace mojara::testing

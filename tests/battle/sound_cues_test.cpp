// Which sound slot each cue uses, and the commands a play sends.
#include <gtest/gtest.h>

#include "assets/sprite_store.h"
#include "battle/battle_window.h"
#include "fake_host.h"
#include "fake_sound.h"
#include "game/game.h"

namespace mojara::testing {
namespace {

struct CueHost : FakeHost {
  RecordingSound sound;
  forms::SoundService* soundService() override { return &sound; }
  std::string programFolder() const override { return "/games/mojara"; }
};

struct SoundCueTest : ::testing::Test {
  CueHost host;
  forms::VirtualClock clock;
  forms::Desktop desktop{host, clock};
  Game game{desktop};
  Module1& M = game.M;
  void SetUp() override {
    game.startFight(practiceFight(0, 1), AfterFight::Stop);
    for (int i = 0; i < 50; ++i) {
      clock.set(*desktop.nextDue());
      desktop.fireNextDueTimer();
    }
    host.sound.commands.clear();
  }
  using C = RecordingSound::Command;
};

TEST_F(SoundCueTest, APlaySetsTheFileBesideTheProgramThenOpensRewindsAndPlays) {
  host.sound.nowPlaying = false;
  clock.set(*desktop.nextDue());
  desktop.fireNextDueTimer();  // a battle tick: the music is not playing, so it starts
  ASSERT_GE(host.sound.commands.size(), 3u);
  const std::string music = "/games/mojara/music2.mid";
  EXPECT_EQ(host.sound.commands[0], (C{"MMControl1", "Open", music}));
  EXPECT_EQ(host.sound.commands[1], (C{"MMControl1", "Prev", music}));
  EXPECT_EQ(host.sound.commands[2], (C{"MMControl1", "Play", music}));
}

TEST_F(SoundCueTest, TheKeepAliveLeavesAPlayingSlotAlone) {
  host.sound.nowPlaying = true;
  clock.set(*desktop.nextDue());
  desktop.fireNextDueTimer();
  for (const C& c : host.sound.commands) EXPECT_NE(c.slot, "MMControl1");
}

TEST_F(SoundCueTest, HitCuesGoToTheirOwnSlotsAndRestartEvenWhilePlaying) {
  host.sound.nowPlaying = true;
  M.POSE[0] = 3;
  M.XPOS[0] = 1000;
  M.XPOS[1] = 1855;
  M.YPOS[0] = M.YPOS[1];
  game.battle.DMGTALLY = 0;
  M.IX = 0;
  game.battle.DAMI();
  game.battle.DMGTALLY = 70;
  game.battle.DAMI();
  game.battle.DMGTALLY = 0;
  game.battle.DAMI();
  std::vector<std::string> plays;
  for (const C& c : host.sound.commands)
    if (c.command == "Play") plays.push_back(c.slot + " " + c.file.substr(c.file.rfind('/') + 1));
  EXPECT_EQ(plays,
            (std::vector<std::string>{"MMControl3 snd1.wav", "MMControl2 snd2.wav", "MMControl3 snd1.wav"}));
}

}  // namespace
}  // namespace mojara::testing

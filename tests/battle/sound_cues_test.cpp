// Which sound slot each cue uses, the commands a play sends, and when the music plays again.
#include <gtest/gtest.h>

#include "assets/sprite_store.h"
#include "battle/battle_window.h"
#include "battle_fixture.h"
#include "fake_host.h"
#include "fake_sound.h"
#include "game/game.h"

namespace mojara::testing {
namespace {

using battle::Sound;

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
  battle::FightState& fight = game.battle.fight();
  void SetUp() override {
    game.startFight(practiceFight(0, 1), AfterFight::Stop);
    for (int i = 0; i < 50; ++i) event();
    host.sound.commands.clear();
  }
  void event() {
    clock.set(*desktop.nextDue());
    desktop.fireNextDueTimer();
  }
  // Every sound slot plays on past the end of the fight.
  void allPlaying() { fight.playingUntil.fill(INT64_MAX); }
  using C = RecordingSound::Command;
};

TEST_F(SoundCueTest, APlaySetsTheFileBesideTheProgramThenOpensRewindsAndPlays) {
  event();  // a battle tick: the music is not playing, so it starts
  ASSERT_GE(host.sound.commands.size(), 3u);
  const std::string music = "/games/mojara/music2.mid";
  EXPECT_EQ(host.sound.commands[0], (C{"MMControl1", "Open", music}));
  EXPECT_EQ(host.sound.commands[1], (C{"MMControl1", "Prev", music}));
  EXPECT_EQ(host.sound.commands[2], (C{"MMControl1", "Play", music}));
}

TEST_F(SoundCueTest, TheKeepAliveLeavesAPlayingSlotAlone) {
  allPlaying();
  event();
  for (const C& c : host.sound.commands) EXPECT_NE(c.slot, "MMControl1");
}

TEST_F(SoundCueTest, HitCuesGoToTheirOwnSlotsAndRestartEvenWhilePlaying) {
  // Side 0's punch strikes side 1 on each of three ticks, the second one after a long combo.
  for (const std::int32_t tally : {0, 70, 0}) {
    allPlaying();
    fight.FACING[0] = 0;
    fight.XPOS[0] = 1000;
    fight.XPOS[1] = 1855;
    fight.YPOS[0] = fight.YPOS[1] = 3885;
    fight.ACTION[0] = 47100;  // the punch's striking step
    fight.DMGTALLY = tally;
    const std::int32_t hits = fight.HITCOUNT;
    event();
    ASSERT_EQ(fight.HITCOUNT, hits + 1);
  }
  std::vector<std::string> plays;
  for (const C& c : host.sound.commands)
    if (c.command == "Play") plays.push_back(c.slot + " " + c.file.substr(c.file.rfind('/') + 1));
  EXPECT_EQ(plays,
            (std::vector<std::string>{"MMControl3 snd1.wav", "MMControl2 snd2.wav", "MMControl3 snd1.wav"}));
}

// The music starts again on the first battle tick after its length has passed, not before.
struct MusicLoopTest : FightValueTest {};

TEST_F(MusicLoopTest, TheMusicPlaysAgainOnTheFirstTickAfterItsEnd) {
  load();
  rules.soundLength[static_cast<int>(Sound::Music)] = 3 * rules.tickPeriod;
  openingDone();
  std::vector<int> musicTicks;
  for (int t = 1; t <= 8; ++t) {
    const battle::FightStep step = battle::tick(s, rules);
    for (std::uint8_t k = 0; k < step.soundCount; ++k)
      if (step.sounds[k] == Sound::Music) musicTicks.push_back(t);
  }
  EXPECT_EQ(musicTicks, (std::vector<int>{1, 4, 7}));
}

}  // namespace
}  // namespace mojara::testing

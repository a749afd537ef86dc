// The music's and the effects' levels, and what the mixer is told for them.
#include "audio/sound_levels.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "audio_fixture.h"

#include <cmath>

#include "audio/sdl_sound.h"

namespace mojara::audio {
namespace {

TEST(SoundLevels, MoveInEvenStepsWithinTheirRangeAndUnmute) {
  SoundLevels levels;
  EXPECT_DOUBLE_EQ(levels.musicGain(), 1.0);
  levels = levels.changed(-1, 0);
  EXPECT_NEAR(20 * std::log10(levels.musicGain()), -SoundLevels::kDecibelsPerStep, 1e-9);
  EXPECT_DOUBLE_EQ(levels.effectsGain(), 1.0) << "the music's keys leave the effects alone";

  levels = levels.changed(-100, +100);
  EXPECT_EQ(levels.music, 0);
  EXPECT_EQ(levels.effects, SoundLevels::kSteps);
  EXPECT_DOUBLE_EQ(levels.musicGain(), 0.0) << "the bottom step is silence";

  levels.muted = true;
  EXPECT_DOUBLE_EQ(levels.effectsGain(), 0.0);
  EXPECT_FALSE(levels.changed(+1, 0).muted) << "turning a level up is heard";

  const SoundLevels mangled{-3, 99, true};  // as a hand-edited settings file might give them
  EXPECT_EQ(mangled.valid(), (SoundLevels{0, SoundLevels::kSteps, true}));
}

TEST(SoundLevels, OnAMutedGameOnlyTurningSomethingUpIsHeard) {
  struct Case {
    int musicSteps, effectsSteps;
    bool muted;
  };
  // The sound keys: everything, the music, the effects, each softer and louder.
  for (const Case& c : {Case{-1, -1, true}, Case{-1, 0, true}, Case{0, -1, true}, Case{+1, +1, false},
                        Case{+1, 0, false}, Case{0, +1, false}}) {
    SCOPED_TRACE(std::to_string(c.musicSteps) + "," + std::to_string(c.effectsSteps));
    const SoundLevels after = SoundLevels{5, 0, true}.changed(c.musicSteps, c.effectsSteps);
    EXPECT_EQ(after.muted, c.muted);
    EXPECT_EQ(after.music, std::clamp(5 + c.musicSteps, 0, SoundLevels::kSteps)) << "the level moves anyway";
  }
}

TEST(SdlSound, TellsTheMixerTheLevelsAndGivesThemBack) {
  SdlSound sound(MOJARA_BIN_DIR, kSoundFont);
  if (!sound.available()) GTEST_SKIP() << "no SDL audio driver here";
  forms::SoundSlot music("MMControl1");
  music.FileName = std::string(MOJARA_BIN_DIR) + "/music2.mid";
  sound.command(music, "Open");  // the synth starts with the first music
  ASSERT_NE(sound.music(), nullptr) << "the soundfont is there: the music plays";
  const auto musicVolume = [&sound] { return sound.music()->volume(); };
  const int fullMusic = musicVolume();
  EXPECT_EQ(Mix_Volume(1, -1), MIX_MAX_VOLUME);
  // The mixer's full music volume is six times FluidSynth's usual gain: the music would clip.
  EXPECT_LT(fullMusic, MIX_MAX_VOLUME / 2);
  EXPECT_GT(fullMusic, MIX_MAX_VOLUME / 8);

  sound.setLevels({1, 4, false});
  EXPECT_EQ(sound.levels(), (SoundLevels{1, 4, false}));
  EXPECT_GE(musicVolume(), 1) << "the softest step still plays";
  EXPECT_NEAR(Mix_Volume(1, -1), MIX_MAX_VOLUME * std::pow(10.0, -16.0 / 20), 1.0);

  sound.toggleMute();
  EXPECT_EQ(musicVolume(), 0);
  EXPECT_EQ(Mix_Volume(0, -1), 0) << "the beep's channel too";
  sound.changeVolume(0, +1);
  EXPECT_EQ(sound.levels(), (SoundLevels{1, 5, false}));
  EXPECT_GE(musicVolume(), 1);
  sound.released(music);
}

}  // namespace
}  // namespace mojara::audio

// The real sound back end on SDL's dummy driver: a damaged sound file leaves its slot silent with
// one warning for the whole run, and never reaches the loaders that crash or complain on it.
#include "audio/sdl_sound.h"

#include <gtest/gtest.h>

#include "audio_fixture.h"
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>

#include "app/fight_setup.h"
#include "battle/trace_diff.h"
#include "forms/virtual_clock.h"
#include "game/game.h"
#include "sim/headless_sound.h"

namespace mojara::audio {
namespace {

struct CapturedErrors {
  CapturedErrors() : saved(std::cerr.rdbuf(text.rdbuf())) {}
  ~CapturedErrors() { std::cerr.rdbuf(saved); }
  std::ostringstream text;
  std::streambuf* saved;
};

int linesNaming(const std::string& text, const std::string& file) {
  int n = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) n += line.find(file) != std::string::npos;
  return n;
}

TEST(SdlSound, DamagedFilesStaySilentWithOneWarningEach) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / ("sounds-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "music2.mid");  // a folder where the music should be
  std::ofstream(folder / "snd1.wav") << "RIFF and then nothing a wave file holds";
  std::ofstream(folder / "snd2.wav");            // empty
  std::ofstream(folder / "beep.wav") << "MThd";  // truncated

  CapturedErrors errors;
  SdlSound sound(folder.string(), kSoundFont);
  if (!sound.available()) GTEST_SKIP() << "no SDL audio driver here";
  for (const char* file : {"music2.mid", "snd1.wav", "snd2.wav"}) {
    forms::SoundSlot slot("MMControl1");
    slot.FileName = (folder / file).string();
    for (int round = 0; round < 3; ++round) {
      sound.command(slot, "Open");
      sound.command(slot, "Prev");
      sound.command(slot, "Play");
      EXPECT_FALSE(sound.playing(slot)) << file;
    }
    sound.released(slot);
  }
  sound.beep();
  sound.beep();
  for (const char* file : {"music2.mid", "snd1.wav", "snd2.wav", "beep.wav"})
    EXPECT_EQ(linesNaming(errors.text.str(), file), 1) << errors.text.str();
  fs::remove_all(folder);
}

TEST(SdlSound, WithoutItsSoundfontTheMusicIsSilentForItsLengthAndTheEffectsPlay) {
  CapturedErrors errors;
  SdlSound sound(MOJARA_BIN_DIR, "/nonexistent/soundfont.sf2");
  if (!sound.available()) GTEST_SKIP() << "no SDL audio driver here";
  forms::VirtualClock clock;
  sound.setClock(clock);
  forms::SoundSlot music("MMControl1"), hit("MMControl3");
  music.FileName = std::string(MOJARA_BIN_DIR) + "/music2.mid";
  hit.FileName = std::string(MOJARA_BIN_DIR) + "/snd1.wav";
  for (forms::SoundSlot* slot : {&music, &hit}) {
    sound.command(*slot, "Open");
    sound.command(*slot, "Play");
  }
  EXPECT_EQ(sound.music(), nullptr);
  const std::string noMusic = "mojara: no music (cannot read the soundfont /nonexistent/soundfont.sf2)";
  EXPECT_EQ(linesNaming(errors.text.str(), noMusic), 1) << errors.text.str();
  // The game's timing stands on the files' lengths, heard or not.
  clock.set(100'000'000);
  EXPECT_TRUE(sound.playing(music));
  EXPECT_TRUE(sound.playing(hit));
  clock.set(1'000'000'000);
  EXPECT_TRUE(sound.playing(music));
  EXPECT_FALSE(sound.playing(hit));
  sound.command(music, "Open");  // the next fight's music: no second try, no second line
  EXPECT_EQ(linesNaming(errors.text.str(), noMusic), 1) << errors.text.str();
  sound.released(music);
  sound.released(hit);
}

// Every play of a slot, with its time, on its way to the sound service behind.
struct PlayLog : forms::SoundService {
  PlayLog(forms::SoundService& inner, const forms::Clock& clock) : inner(inner), clock(clock) {}
  void command(forms::SoundSlot& slot, const std::string& command) override {
    if (command == "Play") plays.push_back({clock.now(), slot.Name});
    inner.command(slot, command);
  }
  bool playing(const forms::SoundSlot& slot) const override { return inner.playing(slot); }
  void released(forms::SoundSlot& slot) override { inner.released(slot); }
  forms::SoundService& inner;
  const forms::Clock& clock;
  std::vector<std::pair<forms::Nanos, std::string>> plays;
};

// The plays of one whole demo fight on the virtual clock, with the sounds of `makeService`.
std::vector<std::pair<forms::Nanos, std::string>> playsOfAFight(
    const std::function<std::unique_ptr<forms::SoundService>(const forms::Clock&)>& makeService) {
  forms::VirtualClock clock;
  FightHost host;
  std::unique_ptr<forms::SoundService> service = makeService(clock);
  PlayLog log(*service, clock);
  host.service = &log;
  forms::Desktop desktop(host, clock);
  Game game(desktop);
  game.startFight(longDemoFight(), AfterFight::Stop);
  for (int event = 0; event < 5000 && !game.fightStopped(); ++event) {
    const auto due = desktop.nextDue();
    if (!due) break;
    clock.set(*due);
    desktop.fireNextDueTimer();
  }
  EXPECT_TRUE(game.fightStopped());
  return log.plays;
}

TEST(SdlSound, ItsSlotsPlayExactlyWhenTheHeadlessOnesDoOverAWholeFight) {
  const auto headless = playsOfAFight([](const forms::Clock& clock) -> std::unique_ptr<forms::SoundService> {
    return std::make_unique<sim::HeadlessSound>(clock);
  });
  bool available = true;
  const auto windowed = playsOfAFight([&](const forms::Clock& clock) -> std::unique_ptr<forms::SoundService> {
    auto sound = std::make_unique<SdlSound>(MOJARA_BIN_DIR, kSoundFont);
    available = sound->available();
    sound->setClock(clock);
    return sound;
  });
  if (!available) GTEST_SKIP() << "no SDL audio driver here";
  const auto lines = [](const auto& plays) {  // "NANOS SLOT" a play, for a report of the first one apart
    std::string text;
    for (const auto& [at, slot] : plays) text += std::to_string(at) + " " + slot + "\n";
    return text;
  };
  EXPECT_TRUE(testing::sameLines(lines(headless), lines(windowed)));

  // The music starts again on the first battle tick after its own length: no silent gap.
  std::vector<forms::Nanos> music;
  for (const auto& [at, slot] : windowed)
    if (slot == "MMControl1") music.push_back(at);
  ASSERT_GE(music.size(), 2u) << "the fight was too short for the music to loop";
  const forms::Nanos length = *assets::soundLength(std::string(MOJARA_BIN_DIR) + "/music2.mid");
  for (std::size_t i = 1; i < music.size(); ++i) {
    EXPECT_GE(music[i] - music[i - 1], length);
    EXPECT_LT(music[i] - music[i - 1], length + forms::kDefaultTimerResolution);
  }
}

}  // namespace
}  // namespace mojara::audio

// The real sound back end on SDL's dummy driver: a damaged sound file leaves its slot silent with
// one warning for the whole run, and never reaches the loaders that crash or complain on it.
#include "audio/sdl_sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace mojara::audio {
namespace {

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

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

}  // namespace
}  // namespace mojara::audio

// What a player hears: a whole demo fight played through the real sound back end into SDL's disk
// driver, the game's clock stepped by the audio itself, then the written samples measured. The mix
// must never clip, the music must sit at a comfortable level with the hits well above it, and the
// music must loop without falling silent.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "audio_fixture.h"
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "app/fight_setup.h"
#include "audio/sdl_sound.h"
#include "forms/virtual_clock.h"
#include "game/game.h"

namespace mojara::audio {
namespace {

constexpr int kRate = 44100;  // the rate and layout SdlSound opens the device with
constexpr int kChannelsPerFrame = 2;

// An environment variable set for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// What the sound back end plays, heard through SDL's disk driver. `makeStep` is given the sound
// and returns the step, which runs on the audio thread inside the mixer's post-mix hook: after each
// buffer is mixed it is told how much has been heard so far and does what is due by then, so its
// commands reach the next buffer, as a real-time game loop's would, a buffer ahead of the speakers.
// The mixer's lock is recursive, so playing from inside the hook is safe, and nothing waits for
// real time: a whole fight renders as fast as the synthesiser can. The step returns true when done.
using Step = std::function<bool(forms::Nanos heard)>;

class Lockstep {
 public:
  explicit Lockstep(Step step) : step_(std::move(step)) {}
  static void mixed(void* self, Uint8*, int bytes) { static_cast<Lockstep*>(self)->afterBuffer(bytes); }
  void waitUntilDone() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return finished_; });
  }

 private:
  void afterBuffer(int bytes) {
    if (finished_) return;
    frames_ += bytes / (kChannelsPerFrame * 2);
    if (!step_(frames_ * 1'000'000'000 / kRate)) return;
    std::lock_guard lock(mutex_);
    finished_ = true;
    done_.notify_all();
  }

  Step step_;
  std::int64_t frames_ = 0;
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
};

std::vector<std::int16_t> readSamples(const std::filesystem::path& file);

std::vector<std::int16_t> capture(const std::function<Step(SdlSound&)>& makeStep,
                                  const std::filesystem::path& file) {
  {
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv output("SDL_DISKAUDIOFILE", file.string());
    ScopedEnv noWaiting("SDL_DISKAUDIODELAY", "0");  // write as fast as the mixer makes sound
    SdlSound sound(MOJARA_BIN_DIR, kSoundFont);
    EXPECT_TRUE(sound.available()) << "SDL's disk audio driver did not open";
    if (!sound.available()) return {};
    Lockstep lockstep(makeStep(sound));
    Mix_SetPostMix(&Lockstep::mixed, &lockstep);
    lockstep.waitUntilDone();
    Mix_SetPostMix(nullptr, nullptr);
  }  // the step and what it made go first, then the device closes and the file is complete
  return readSamples(file);
}

// The long demo fight, made on the audio thread at its first step.
struct DemoFight {
  explicit DemoFight(SdlSound& sound) : sound(sound) {}
  bool step(forms::Nanos heard) {
    if (!game) {
      host.service = &sound;
      sound.setClock(clock);
      desktop = std::make_unique<forms::Desktop>(host, clock);
      game = std::make_unique<Game>(*desktop);
      game->startFight(longDemoFight(), AfterFight::Stop);
    }
    clock.runUntil(*desktop, heard);
    return game->fightStopped() || heard > 180'000'000'000;  // well over any fight of these two
  }
  SdlSound& sound;
  FightHost host;
  forms::VirtualClock clock;
  std::unique_ptr<forms::Desktop> desktop;
  std::unique_ptr<Game> game;
};

// Levels of 16-bit stereo samples, measured as a listener would: in 20 ms windows.
struct Levels {
  long clippedSamples = 0;
  double peakDbfs = -200;
  double medianDbfs = -200;  // the median window: the music, which plays throughout
  double loudDbfs = -200;    // the loudest 0.5 % of windows: the hits
  double longestSilenceSeconds = 0;  // below -60 dBFS, between the first and the last sound
  double seconds = 0;
};

double dbfs(double linear) { return 20.0 * std::log10(std::max(linear, 1e-10)); }

Levels measure(const std::vector<std::int16_t>& samples) {
  constexpr std::size_t kWindow = kRate / 50 * kChannelsPerFrame;
  Levels levels;
  std::vector<double> windows;
  double peak = 0;
  for (std::size_t at = 0; at + kWindow <= samples.size(); at += kWindow) {
    double sum = 0;
    for (std::size_t i = at; i < at + kWindow; ++i) {
      const int s = samples[i];
      levels.clippedSamples += s >= 32767 || s <= -32768;
      peak = std::max(peak, std::abs(s) / 32768.0);
      sum += (s / 32768.0) * (s / 32768.0);
    }
    windows.push_back(dbfs(std::sqrt(sum / kWindow)));
  }
  levels.peakDbfs = dbfs(peak);
  // Leading and trailing silence is the device running before the battle's first tick and after
  // the fight: only silence inside the fight is a gap.
  const auto loud = [](double w) { return w >= -60.0; };
  const auto first = std::find_if(windows.begin(), windows.end(), loud);
  const auto last = std::find_if(windows.rbegin(), windows.rend(), loud).base();
  if (first >= last) return levels;
  std::vector<double> heard(first, last);
  levels.seconds = heard.size() / 50.0;
  int run = 0, longest = 0;
  for (double w : heard) {
    run = loud(w) ? 0 : run + 1;
    longest = std::max(longest, run);
  }
  levels.longestSilenceSeconds = longest / 50.0;
  std::sort(heard.begin(), heard.end());
  levels.medianDbfs = heard[heard.size() / 2];
  levels.loudDbfs = heard[heard.size() - 1 - heard.size() / 200];
  return levels;
}

std::vector<std::int16_t> readSamples(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> samples(bytes.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return samples;
}

TEST(SoundCapture, AWholeFightIsCleanLevelAndLoopsWithoutASilentGap) {
  // MOJARA_SOUND_CAPTURE names a file to keep the capture in, to listen to or look at.
  const char* keep = std::getenv("MOJARA_SOUND_CAPTURE");
  const std::filesystem::path file =
      keep ? std::filesystem::path(keep)
           : std::filesystem::path(::testing::TempDir()) / ("fight-" + std::to_string(::getpid()) + ".raw");
  bool stopped = false;
  int mostVoices = -1;
  const std::vector<std::int16_t> samples = capture(
      [&](SdlSound& sound) -> Step {
        auto fight = std::make_shared<DemoFight>(sound);
        return [fight, &stopped, &mostVoices, &sound](forms::Nanos heard) {
          const bool done = fight->step(heard);
          stopped = fight->game->fightStopped();
          mostVoices = sound.music() ? sound.music()->mostVoices() : -1;
          return done;
        };
      },
      file);
  ASSERT_TRUE(stopped) << "the fight did not end";

  const Levels levels = measure(samples);
  std::cout << "captured " << levels.seconds << " s: " << levels.clippedSamples << " clipped samples, peak "
            << levels.peakDbfs << " dBFS, median 20-ms RMS " << levels.medianDbfs << " dBFS, loudest 0.5 % "
            << levels.loudDbfs << " dBFS, longest silence " << levels.longestSilenceSeconds << " s, at most "
            << mostVoices << " voices\n";
  EXPECT_GT(levels.seconds, 60.0) << "the fight should outlast one pass of the music";
  EXPECT_EQ(levels.clippedSamples, 0);
  // A synth that runs out of voices cuts notes off: the theme must fit in the ones it is given.
  EXPECT_GT(mostVoices, 0) << "no music was heard";
  EXPECT_LT(mostVoices, MidiMusic::kPolyphony);
  EXPECT_GE(levels.medianDbfs, -30.0);
  EXPECT_LE(levels.medianDbfs, -14.0);
  EXPECT_GE(levels.loudDbfs - levels.medianDbfs, 10.0) << "the hits do not stand out of the music";
  // The music starts again on the first battle tick after its end: at most one tick of silence.
  EXPECT_LE(levels.longestSilenceSeconds, forms::kDefaultTimerResolution / 1e9);
  if (!keep) std::filesystem::remove(file);
}

// A mono 16-bit wave file of a steady tone, starting at zero.
void writeTone(const std::filesystem::path& file, double hz, double seconds, double amplitude) {
  const auto frames = static_cast<std::uint32_t>(seconds * kRate);
  const auto put = [](std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  std::ofstream out(file, std::ios::binary);
  out << "RIFF";
  put(out, 36 + 2 * frames, 4);
  out << "WAVEfmt ";
  put(out, 16, 4);
  put(out, 1, 2);  // PCM
  put(out, 1, 2);  // mono
  put(out, kRate, 4);
  put(out, 2 * kRate, 4);
  put(out, 2, 2);
  put(out, 16, 2);
  out << "data";
  put(out, 2 * frames, 4);
  for (std::uint32_t i = 0; i < frames; ++i)
    put(out, static_cast<std::uint16_t>(std::lround(amplitude * 32767 * std::sin(2 * M_PI * hz * i / kRate))), 2);
}

// A new hit restarts its effect from the start while the last one still sounds. The play it cuts
// short must fade, not stop dead mid-wave: that is a click on every quick combo. So must a play
// cut short by its window closing.
TEST(SoundCapture, ARestartedEffectCutsTheOldPlayWithoutAClick) {
  const std::filesystem::path folder = ::testing::TempDir();
  const std::string id = std::to_string(::getpid());
  const std::filesystem::path tone = folder / ("tone-" + id + ".wav");
  writeTone(tone, 210.0, 0.5, 0.35);
  forms::SoundSlot slot("MMControl3");
  slot.FileName = tone.string();
  int plays = 0;
  const std::vector<std::int16_t> samples = capture(
      [&](SdlSound& sound) -> Step {
        return [&](forms::Nanos heard) {
          // The second play comes three buffers in, at an odd point of the tone's wave.
          if (plays == 0 || (plays == 1 && heard > 60'000'000)) {
            for (const char* command : {"Open", "Prev", "Play"}) sound.command(slot, command);
            ++plays;
          }
          // The window closes while the second play still sounds: that cut must not click either.
          if (heard > 400'000'000 && plays == 2) {
            sound.released(slot);
            ++plays;
          }
          return heard > 500'000'000;
        };
      },
      folder / ("restart-" + id + ".raw"));
  ASSERT_EQ(plays, 3);
  int biggestStep = 0, loudest = 0;
  for (std::size_t i = kChannelsPerFrame; i < samples.size(); i += kChannelsPerFrame) {
    biggestStep = std::max(biggestStep, std::abs(samples[i] - samples[i - kChannelsPerFrame]));
    loudest = std::max(loudest, std::abs(static_cast<int>(samples[i])));
  }
  EXPECT_GT(loudest, 8000) << "the tone was not heard";
  // The tone moves at most ~350 a sample; cut dead at that level it would jump by thousands.
  EXPECT_LT(biggestStep, 1000);
  std::filesystem::remove(tone);
  std::filesystem::remove(folder / ("restart-" + id + ".raw"));
}

}  // namespace
}  // namespace mojara::audio

// The sounds make-sounds wrote into bin/, and the fight theme's score.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/sound_length.h"
#include "sounds/fight_theme.h"
#include "sounds/score_notation.h"

#ifndef MOJARA_SOUND_DIR
#error "MOJARA_SOUND_DIR must name the folder make-sounds writes to"
#endif

namespace {

namespace fs = std::filesystem;
using mojara::assets::soundLengthSeconds;
using namespace mojara::sounds;

const fs::path kSoundDir = MOJARA_SOUND_DIR;

struct Wav {
  std::uint32_t format = 0;
  std::uint32_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t bits = 0;
  std::vector<std::int16_t> samples;
};

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}

std::optional<Wav> readWav(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF") return std::nullopt;
  Wav wav;
  for (std::size_t pos = 12; pos + 8 <= b.size();) {
    const std::string id(b.begin() + static_cast<std::ptrdiff_t>(pos),
                         b.begin() + static_cast<std::ptrdiff_t>(pos + 4));
    const std::uint32_t size = le(b, pos + 4, 4);
    if (id == "fmt ") {
      wav.format = le(b, pos + 8, 2);
      wav.channels = le(b, pos + 10, 2);
      wav.sampleRate = le(b, pos + 12, 4);
      wav.bits = le(b, pos + 22, 2);
    } else if (id == "data") {
      for (std::size_t i = 0; i + 1 < size; i += 2) {
        wav.samples.push_back(static_cast<std::int16_t>(le(b, pos + 8 + i, 2)));
      }
    }
    pos += 8 + size + (size & 1);
  }
  return wav;
}

// ---- Effects ----------------------------------------------------------------

struct EffectCase {
  const char* file;
  double minSeconds;
  double maxSeconds;
};

class GeneratedEffect : public ::testing::TestWithParam<EffectCase> {};

TEST_P(GeneratedEffect, Is16BitPcmAtAGameSampleRate) {
  const auto wav = readWav(kSoundDir / GetParam().file);
  ASSERT_TRUE(wav.has_value());
  EXPECT_EQ(wav->format, 1u);
  EXPECT_EQ(wav->bits, 16u);
  EXPECT_TRUE(wav->channels == 1 || wav->channels == 2);
  EXPECT_TRUE(wav->sampleRate == 22050 || wav->sampleRate == 44100);
}

TEST_P(GeneratedEffect, LastsTheRightTime) {
  const auto seconds = soundLengthSeconds(kSoundDir / GetParam().file);
  ASSERT_TRUE(seconds.has_value());
  EXPECT_GE(*seconds, GetParam().minSeconds);
  EXPECT_LE(*seconds, GetParam().maxSeconds);
}

TEST_P(GeneratedEffect, IsAudibleWithHeadroomNoDcAndSilentEnds) {
  const auto wav = readWav(kSoundDir / GetParam().file);
  ASSERT_TRUE(wav.has_value());
  ASSERT_GT(wav->samples.size(), 100u);
  int peak = 0;
  double sum = 0.0;
  for (std::int16_t s : wav->samples) {
    peak = std::max(peak, std::abs(static_cast<int>(s)));
    sum += s;
  }
  EXPECT_LT(peak, 0.75 * 32768) << "under about -2.5 dBFS";
  EXPECT_GT(peak, 0.2 * 32768) << "not near silence";
  EXPECT_LT(std::fabs(sum / static_cast<double>(wav->samples.size())), 0.002 * 32768) << "DC offset";
  // Starting or stopping away from zero clicks, and so does a tail cut off loud.
  EXPECT_LE(std::abs(wav->samples.front()), 330);
  EXPECT_LE(std::abs(wav->samples.back()), 330);
  const std::size_t tail = wav->sampleRate / 200;  // 5 ms
  for (std::size_t i = wav->samples.size() - tail; i < wav->samples.size(); ++i) {
    ASSERT_LE(std::abs(wav->samples[i]), 1000) << "sample " << i << " of " << wav->samples.size();
  }
}

void PrintTo(const EffectCase& c, std::ostream* os) { *os << c.file; }

INSTANTIATE_TEST_SUITE_P(Sounds, GeneratedEffect,
                         ::testing::Values(EffectCase{"snd1.wav", 0.05, 0.3},
                                           EffectCase{"snd2.wav", 0.5, 1.0},
                                           EffectCase{"beep.wav", 0.1, 0.15}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 4); });

// Levels of a mono effect in 20 ms windows, in dB below full scale.
std::vector<double> envelope(const Wav& wav) {
  const std::size_t window = wav.sampleRate / 50;
  std::vector<double> levels;
  for (std::size_t at = 0; at + window <= wav.samples.size(); at += window) {
    double sum = 0.0;
    for (std::size_t i = at; i < at + window; ++i) sum += std::pow(wav.samples[i] / 32768.0, 2);
    levels.push_back(10.0 * std::log10(sum / static_cast<double>(window) + 1e-12));
  }
  return levels;
}

// The share of the sound's energy between two frequencies, by a plain DFT at 10 Hz steps.
double bandShare(const Wav& wav, double lowHz, double highHz) {
  double band = 0.0, total = 0.0;
  for (double hz = 10.0; hz < wav.sampleRate / 2.0; hz += 10.0) {
    double re = 0.0, im = 0.0;
    const double w = 2.0 * 3.141592653589793 * hz / wav.sampleRate;
    for (std::size_t i = 0; i < wav.samples.size(); ++i) {
      re += wav.samples[i] * std::cos(w * static_cast<double>(i));
      im -= wav.samples[i] * std::sin(w * static_cast<double>(i));
    }
    const double power = re * re + im * im;
    total += power;
    if (hz >= lowHz && hz < highHz) band += power;
  }
  return band / total;
}

TEST(HitSound, HasASlapThatSmallSpeakersPlay) {
  const auto wav = readWav(kSoundDir / "snd1.wav");
  ASSERT_TRUE(wav.has_value());
  // Laptop speakers give little below about 250 Hz: a hit that is all thump is hardly heard.
  EXPECT_GT(bandShare(*wav, 400.0, 800.0), 0.15);
}

TEST(KnockDownSound, IsOneBlowWhoseTailCarriesTheFall) {
  const auto wav = readWav(kSoundDir / "snd2.wav");
  ASSERT_TRUE(wav.has_value());
  const std::vector<double> levels = envelope(*wav);
  const auto loudest = std::max_element(levels.begin(), levels.end());
  EXPECT_LT(loudest - levels.begin(), 3) << "the blow comes first";
  // No second attack: a bounce that is over while the fighter is still in the air sounds wrong.
  double quietest = *loudest;
  for (auto it = loudest; it != levels.end(); ++it) {
    EXPECT_LT(*it, quietest + 4.0) << "a new attack at " << (it - levels.begin()) * 20 << " ms";
    quietest = std::min(quietest, *it);
  }
  // Still sounding three quarters of the way through: the fighter is flying, not yet down.
  EXPECT_GT(levels[levels.size() * 3 / 4], *loudest - 20.0);
}

// ---- Fight theme ------------------------------------------------------------

double secondsOf(const Song& song, std::uint32_t ticks) {
  return static_cast<double>(ticks) * song.microsPerQuarter / 1e6 / song.ticksPerQuarter;
}

TEST(FightTheme, FileLoopsExactlyAtTheSongLengthWithin30To90Seconds) {
  const Song song = composeFightTheme();
  const auto seconds = soundLengthSeconds(kSoundDir / "music2.mid");
  ASSERT_TRUE(seconds.has_value());
  EXPECT_GE(*seconds, 30.0);
  EXPECT_LE(*seconds, 90.0);
  EXPECT_NEAR(*seconds, secondsOf(song, song.lengthTicks), 1e-9);
  EXPECT_EQ(song.lengthTicks % (song.ticksPerQuarter * song.beatsPerBar), 0u) << "loop on a bar line";
}

TEST(FightTheme, PitchedPartsStayInAMinor) {
  const std::set<int> aMinor = {9, 11, 0, 2, 4, 5, 7, 8};  // natural minor plus the leading tone G#
  for (const Part& part : composeFightTheme().parts) {
    if (part.channel == kDrumChannel) continue;
    for (const Note& n : part.notes) {
      EXPECT_TRUE(aMinor.count(n.key % 12)) << part.name << " key " << int(n.key) << " at tick " << n.tick;
    }
  }
}

TEST(FightTheme, DrumsAndOnlyDrumsUseChannel10) {
  const Song song = composeFightTheme();
  std::set<int> channels;
  int drumParts = 0;
  for (const Part& part : song.parts) {
    EXPECT_TRUE(channels.insert(part.channel).second) << "two parts share channel " << int(part.channel);
    EXPECT_FALSE(part.notes.empty()) << part.name;
    if (part.channel == kDrumChannel) ++drumParts;
  }
  EXPECT_EQ(drumParts, 1);
}

TEST(FightTheme, EveryNoteEndsBeforeTheLoopPointWithoutOverlappingItself) {
  const Song song = composeFightTheme();
  for (const Part& part : song.parts) {
    std::map<int, std::uint32_t> soundingUntil;
    std::vector<Note> notes = part.notes;
    std::stable_sort(notes.begin(), notes.end(),
                     [](const Note& a, const Note& b) { return a.tick < b.tick; });
    for (const Note& n : notes) {
      EXPECT_GT(n.length, 0u);
      EXPECT_GT(n.velocity, 0);
      EXPECT_LE(n.tick + n.length, song.lengthTicks) << part.name << " rings past the loop";
      EXPECT_GE(n.tick, soundingUntil[n.key])
          << part.name << " restrikes key " << int(n.key) << " at " << n.tick;
      soundingUntil[n.key] = n.tick + n.length;
    }
  }
}

TEST(FightTheme, LoopJoinsCleanly) {
  const Song song = composeFightTheme();
  const Part& lead = song.parts.front();
  const Part& drums = *std::find_if(song.parts.begin(), song.parts.end(),
                                    [](const Part& p) { return p.channel == kDrumChannel; });
  std::set<int> drumsAtTop;
  for (const Note& n : drums.notes) {
    if (n.tick == 0) drumsAtTop.insert(n.key);
  }
  EXPECT_TRUE(drumsAtTop.count(36) && drumsAtTop.count(49)) << "kick and crash on the first beat";

  // The tune's last note leads into its first by a step, and leaves no gap.
  const auto first = std::min_element(lead.notes.begin(), lead.notes.end(),
                                      [](const Note& a, const Note& b) { return a.tick < b.tick; });
  const auto last = std::max_element(lead.notes.begin(), lead.notes.end(),
                                     [](const Note& a, const Note& b) { return a.tick < b.tick; });
  EXPECT_EQ(first->tick, 0u);
  EXPECT_LE(std::abs(int(first->key) - int(last->key)), 2);
  EXPECT_GE(last->tick + last->length + song.ticksPerQuarter / 8, song.lengthTicks);
}

// The theme is not played at one level: its passages rise and fall and its notes are accented.
TEST(FightTheme, Breathes) {
  const Song song = composeFightTheme();
  for (const Part& part : song.parts) {
    std::set<int> velocities;
    for (const Note& n : part.notes) velocities.insert(n.velocity);
    if (part.name == "Lead" || part.name == "Bass" || part.name == "Drums") {
      EXPECT_GE(velocities.size(), 4u) << part.name << " does not accent its beats";
    }

    // Every channel sets its expression at the top, so each pass of the loop starts alike.
    std::map<std::uint32_t, int> expression;
    for (const ControlChange& c : part.controls)
      if (c.controller == kExpressionController) expression[c.tick] = c.value;
    ASSERT_TRUE(expression.count(0)) << part.name;
    int lowest = 127, highest = 0;
    for (const auto& [tick, value] : expression) {
      EXPECT_LT(tick, song.lengthTicks);
      lowest = std::min(lowest, value);
      highest = std::max(highest, value);
    }
    EXPECT_GE(highest - lowest, 30) << part.name << " keeps one level throughout";
    EXPECT_LT(expression.begin()->second, highest) << part.name << " opens at its loudest: nowhere to go";
  }
}

// ---- The notation the theme is written in -------------------------------------

TEST(ScoreNotation, ReadsNotesChordsAndGrids) {
  EXPECT_EQ(parseNoteName("C4"), 60);
  EXPECT_EQ(parseNoteName("G#4"), 68);
  EXPECT_EQ(parseNoteName("Bb3"), 58);
  EXPECT_EQ(parseNoteName("B#3"), 60);
  EXPECT_EQ(parseChordBar("E")[0].pitchClasses(), (std::array<int, 3>{4, 8, 11}));
  EXPECT_EQ(chordAtStep(parseChordBar("F G"), 8).root, 7);
  const auto hits = parseStepGrid("X--.o...x-------");
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_EQ(hits[0].steps, 3);
  EXPECT_EQ(hits[2].step, 8);
  EXPECT_EQ(hits[2].steps, 8);
}

// A typo in a table must stop the build, not play a wrong or misplaced note.
TEST(ScoreNotation, RejectsMalformedBars) {
  for (const char* bad : {"H4", "C", "c4", "C4x", "A9"}) {
    EXPECT_THROW(parseNoteName(bad), std::invalid_argument) << bad;
  }
  for (const char* bad : {"A4:3 C5:4 E5:8", "A4:3 C5:4 E5:10", "A4:8 C5", "A4:0 C5:16"}) {
    EXPECT_THROW(parseMelodyBar(bad), std::invalid_argument) << bad;
  }
  for (const char* bad : {"Am F G", "Amaj"}) EXPECT_THROW(parseChordBar(bad), std::invalid_argument) << bad;
  for (const char* bad : {"x...", "-x..............", "x.-............."}) {
    EXPECT_THROW(parseStepGrid(bad), std::invalid_argument) << bad;
  }
}

}  // namespace

// The sounds make-sounds wrote into bin/, and the fight theme's score.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
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

// Levels of a mono effect in windows of `ms` milliseconds, in dB below full scale.
std::vector<double> envelope(const std::vector<double>& x, std::uint32_t sampleRate, std::size_t ms) {
  const std::size_t window = sampleRate * ms / 1000;
  std::vector<double> levels;
  for (std::size_t at = 0; at + window <= x.size(); at += window) {
    double sum = 0.0;
    for (std::size_t i = at; i < at + window; ++i) sum += x[i] * x[i];
    levels.push_back(10.0 * std::log10(sum / static_cast<double>(window) + 1e-12));
  }
  return levels;
}

std::vector<double> samplesOf(const Wav& wav) {
  std::vector<double> x;
  for (std::int16_t s : wav.samples) x.push_back(s / 32768.0);
  return x;
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

// The pitch of the lows over time: the time between rising zero crossings once two 2.5-ms moving
// averages have taken out all but the lowest few hundred hertz.
std::vector<std::pair<double, double>> lowPitch(const Wav& wav) {  // (seconds, Hz)
  std::vector<double> x = samplesOf(wav);
  const std::size_t width = wav.sampleRate / 400;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i + width <= x.size(); ++i) x[i] = std::accumulate(&x[i], &x[i] + width, 0.0) / width;
  }
  std::vector<std::pair<double, double>> pitch;
  double rise = -1.0;
  for (std::size_t i = 0; i + width + 1 < x.size(); ++i) {
    if (x[i] >= 0.0 || x[i + 1] < 0.0) continue;
    const double at = (static_cast<double>(i) + x[i] / (x[i] - x[i + 1])) / wav.sampleRate;
    if (rise >= 0.0) pitch.push_back({(rise + at) / 2, 1.0 / (at - rise)});
    rise = at;
  }
  return pitch;
}

// Both hits open with a click: loud, and bright (its second difference, which weighs the highest
// frequencies most, stands well above the rest of the sound's) only for its first few milliseconds.
TEST(HitSounds, OpenWithABrightClickAndKeepTheirLengths) {
  for (const auto& [file, samples] : {std::pair{"snd1.wav", 4410u}, std::pair{"snd2.wav", 17640u}}) {
    const auto wav = readWav(kSoundDir / file);
    ASSERT_TRUE(wav.has_value());
    // A hit's length is how long its slot reports playing: the fights depend on it to the sample.
    EXPECT_EQ(wav->sampleRate, 22050u) << file;
    EXPECT_EQ(wav->samples.size(), samples) << file;
    const std::vector<double> x = samplesOf(*wav);
    const auto louder = [](double a, double b) { return std::fabs(a) < std::fabs(b); };
    const double peak = std::fabs(*std::max_element(x.begin(), x.end(), louder));
    const double clickPeak = std::fabs(*std::max_element(x.begin(), x.begin() + wav->sampleRate / 200, louder));
    EXPECT_GT(clickPeak, 0.8 * peak) << file << ": the click is as loud as the blow";
    std::vector<double> bright;
    for (std::size_t i = 2; i < x.size(); ++i) bright.push_back(x[i] - 2 * x[i - 1] + x[i - 2]);
    const std::vector<double> levels = envelope(bright, wav->sampleRate, 5);
    const double after = (levels[2] + levels[3] + levels[4] + levels[5]) / 4;  // 10 to 30 ms
    EXPECT_GT(levels[0], after + 10.0) << file << ": the click is over within 5 ms";
  }
}

TEST(HitSound, ThumpFallsFrom180To60HzIn60Ms) {
  const auto wav = readWav(kSoundDir / "snd1.wav");
  ASSERT_TRUE(wav.has_value());
  const auto pitch = lowPitch(*wav);
  ASSERT_GE(pitch.size(), 6u);
  EXPECT_LT(pitch.front().first, 0.015);
  EXPECT_GT(pitch.front().second, 130.0) << "starts high";
  for (std::size_t i = 1; i < pitch.size(); ++i) {
    EXPECT_LE(pitch[i].second, pitch[i - 1].second * 1.05) << "rises at " << pitch[i].first << " s";
    if (pitch[i].first > 0.065 && pitch[i].first < 0.15) {
      EXPECT_NEAR(pitch[i].second, 60.0, 6.0) << "at " << pitch[i].first << " s";
    }
  }
}

TEST(HitSound, HasASlapThatSmallSpeakersPlay) {
  const auto wav = readWav(kSoundDir / "snd1.wav");
  ASSERT_TRUE(wav.has_value());
  // Laptop speakers give little below about 250 Hz: a hit that is all thump is hardly heard.
  EXPECT_GT(bandShare(*wav, 400.0, 800.0), 0.15);
}

// The blow, then the body landing a quarter of a second later, softer; the rumble under them has
// died away well before the end, so a knock-down played again starts from quiet.
TEST(KnockDownSound, IsTheBlowThenASmallerLandingOverADyingRumble) {
  const auto wav = readWav(kSoundDir / "snd2.wav");
  ASSERT_TRUE(wav.has_value());
  const std::vector<double> levels = envelope(samplesOf(*wav), wav->sampleRate, 10);
  ASSERT_GE(levels.size(), 70u);
  const auto loudest = std::max_element(levels.begin(), levels.end());
  EXPECT_LT(loudest - levels.begin(), 3) << "the blow comes first";
  const auto landing = std::max_element(levels.begin() + 20, levels.begin() + 30);  // 200 to 300 ms
  const double before = *std::min_element(levels.begin() + 10, landing);
  EXPECT_GT(*landing, before + 6.0) << "the landing strikes anew";
  EXPECT_LT(*landing, *loudest - 2.0) << "the landing is softer than the blow";
  EXPECT_GT(*landing, *loudest - 12.0) << "the landing is heard";
  EXPECT_LT(levels[60], *loudest - 25.0) << "the rumble has died by 600 ms";
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

const Part& partNamed(const Song& song, const std::string& name) {
  return *std::find_if(song.parts.begin(), song.parts.end(), [&](const Part& p) { return p.name == name; });
}

// The loop is heard over and over in a game: its return is not a copy of its opening, and it
// announces the wrap with a fill two bars long.
TEST(FightTheme, ReturnIsVariedAndTheLastTwoBarsFillIntoTheLoop) {
  const Song song = composeFightTheme();
  const std::uint32_t bar = song.ticksPerQuarter * song.beatsPerBar;
  const std::uint32_t bars = song.lengthTicks / bar;
  ASSERT_EQ(bars % 4, 0u);
  const std::uint32_t returnAt = bars * 3 / 4;  // A A' B A: the return is the last quarter

  std::map<std::uint32_t, std::set<std::pair<std::uint32_t, int>>> leadBars;  // bar -> (tick in bar, key)
  for (const Note& n : partNamed(song, "Lead").notes) leadBars[n.tick / bar].insert({n.tick % bar, n.key});
  int changed = 0;
  for (std::uint32_t b = 0; b < returnAt / 3; ++b) changed += leadBars[b] != leadBars[returnAt + b];
  EXPECT_GE(changed, static_cast<int>(returnAt / 3 / 2)) << "bars of the return that differ from the opening";

  const std::set<int> snareAndToms = {38, 40, 41, 43, 45, 47, 48, 50};
  std::map<std::uint32_t, int> strokes;
  for (const Note& n : partNamed(song, "Drums").notes) strokes[n.tick / bar] += snareAndToms.count(n.key);
  for (std::uint32_t b = returnAt; b < bars; ++b) {
    if (b >= bars - 2) {
      EXPECT_GE(strokes[b], 6) << "bar " << b << " fills";
    } else {
      EXPECT_LE(strokes[b], 3) << "bar " << b << " keeps the groove";
    }
  }
}

// The lead sings its held notes: a vibrato that comes in after the note starts and is gone for
// the next one, and a swell of its expression.
TEST(FightTheme, LeadSingsItsHeldNotes) {
  const Song song = composeFightTheme();
  const Part& lead = partNamed(song, "Lead");
  std::map<std::uint32_t, int> modulation, expression;
  for (const ControlChange& c : lead.controls) {
    if (c.controller == 1) modulation[c.tick] = c.value;
    if (c.controller == kExpressionController) expression[c.tick] = c.value;
  }
  // The value in force at a tick: controls take effect before the notes struck at their tick.
  const auto at = [](const std::map<std::uint32_t, int>& m, std::uint32_t tick) {
    auto it = m.upper_bound(tick);
    return it == m.begin() ? -1 : std::prev(it)->second;
  };
  int held = 0;
  for (const Note& n : lead.notes) {
    EXPECT_EQ(at(modulation, n.tick), 0) << "a note struck at " << n.tick << " starts without vibrato";
    if (n.length + song.ticksPerQuarter / 8 < song.ticksPerQuarter) continue;
    ++held;
    const std::uint32_t late = n.tick + n.length - song.ticksPerQuarter / 8;
    EXPECT_GT(at(modulation, late), 30) << "the note held from " << n.tick << " has a vibrato";
    EXPECT_GT(at(expression, late), at(expression, n.tick)) << "the note held from " << n.tick << " swells";
  }
  EXPECT_GE(held, 10);
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

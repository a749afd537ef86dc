// The sound-length reader against small WAV and MIDI files written here,
// whole, padded, reordered, truncated and damaged.
#include "assets/sound_length.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using mojara::assets::soundLengthSeconds;
using Bytes = std::vector<std::uint8_t>;

// Appends v as n bytes, little- or big-endian.
void put(Bytes& out, std::uint32_t v, int n, bool bigEndian = false) {
  for (int i = 0; i < n; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * (bigEndian ? n - 1 - i : i))));
}
void put(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }
void put(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

// ---- WAV building blocks --------------------------------------------------

struct Chunk {
  std::string id;
  Bytes body;
};

Bytes riff(const std::vector<Chunk>& chunks, const std::string& form = "WAVE") {
  Bytes inner;
  put(inner, form);
  for (const Chunk& c : chunks) {
    put(inner, c.id);
    put(inner, static_cast<std::uint32_t>(c.body.size()), 4);
    put(inner, c.body);
    if (c.body.size() % 2) inner.push_back(0);
  }
  Bytes out;
  put(out, "RIFF");
  put(out, static_cast<std::uint32_t>(inner.size()), 4);
  put(out, inner);
  return out;
}

Chunk fmt(std::uint16_t format, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
          std::optional<std::uint16_t> blockAlign = std::nullopt) {
  const std::uint16_t align = blockAlign.value_or(static_cast<std::uint16_t>(channels * bits / 8));
  Chunk c{"fmt ", {}};
  for (auto [value, size] : {std::pair<std::uint32_t, int>{format, 2},
                             {channels, 2},
                             {rate, 4},
                             {rate * align, 4},
                             {align, 2},
                             {bits, 2}}) {
    put(c.body, value, size);
  }
  return c;
}

Chunk data(std::size_t bytes) { return {"data", Bytes(bytes, 0x11)}; }
Chunk other(const std::string& id, std::size_t bytes) { return {id, Bytes(bytes, 0x7E)}; }

// ---- MIDI building blocks -------------------------------------------------

class Track {
 public:
  Track& at(std::uint32_t delta, const Bytes& event) {
    Bytes vlq{static_cast<std::uint8_t>(delta & 0x7F)};
    while (delta >>= 7) vlq.insert(vlq.begin(), static_cast<std::uint8_t>(0x80 | (delta & 0x7F)));
    put(body_, vlq);
    put(body_, event);
    return *this;
  }
  Track& end(std::uint32_t delta) { return at(delta, {0xFF, 0x2F, 0x00}); }
  const Bytes& body() const { return body_; }

 private:
  Bytes body_;
};

void putTrack(Bytes& out, const Bytes& body) {
  put(out, "MTrk");
  put(out, static_cast<std::uint32_t>(body.size()), 4, true);
  put(out, body);
}

Bytes tempo(std::uint32_t microsPerQuarter) {
  Bytes out{0xFF, 0x51, 0x03};
  put(out, microsPerQuarter, 3, true);
  return out;
}

Bytes smf(std::uint16_t format, std::uint16_t division, const std::vector<Track>& tracks,
          std::optional<std::uint16_t> declaredTracks = std::nullopt) {
  Bytes out;
  put(out, "MThd");
  put(out, 6, 4, true);
  put(out, format, 2, true);
  put(out, declaredTracks.value_or(static_cast<std::uint16_t>(tracks.size())), 2, true);
  put(out, division, 2, true);
  for (const Track& t : tracks) putTrack(out, t.body());
  return out;
}

// Two quarters at 120 bpm, then two at 240 bpm, with running status: 1.5 s.
Bytes tempoChangeSong() {
  Track t;
  t.at(0, tempo(500000)).at(0, {0x90, 60, 100}).at(480, {62, 100});  // running status
  t.at(480, tempo(250000)).at(0, {0x90, 64, 100}).at(480, {64, 0}).at(480, {0x80, 60, 0}).end(0);
  return smf(0, 480, {t});
}

// ---- Files on disk --------------------------------------------------------

class SoundFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           (std::string("mojara_sound_length_") + info->test_suite_name() + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path write(const Bytes& bytes, const std::string& name = "sound") {
    const fs::path file = dir_ / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file;
  }
  std::optional<double> lengthOf(const Bytes& bytes, const std::string& name = "sound") {
    return soundLengthSeconds(write(bytes, name));
  }

  fs::path dir_;
};

using WavLength = SoundFiles;
using MidiLength = SoundFiles;
using DamagedSoundFiles = SoundFiles;

TEST_F(WavLength, CountsWholeFramesOverTheSampleRate) {
  EXPECT_DOUBLE_EQ(*lengthOf(riff({fmt(1, 2, 44100, 16), data(88200)})), 0.5);
  EXPECT_DOUBLE_EQ(*lengthOf(riff({fmt(3, 1, 48000, 32), data(192000)})), 1.0);
  EXPECT_DOUBLE_EQ(*lengthOf(riff({fmt(0xFFFE, 1, 8000, 24), data(12000)})), 0.5);
  // A partial frame at the end does not play.
  EXPECT_DOUBLE_EQ(*lengthOf(riff({fmt(1, 2, 1000, 16), data(4003)})), 1.0);
}

TEST_F(WavLength, FindsChunksInAnyOrder) {
  EXPECT_DOUBLE_EQ(*lengthOf(riff({other("LIST", 26), fmt(1, 1, 8000, 8), other("fact", 4), data(4000)})),
                   0.5);
  EXPECT_DOUBLE_EQ(*lengthOf(riff({data(4000), other("LIST", 10), fmt(1, 1, 8000, 8)})), 0.5);
}

TEST_F(WavLength, StepsOverThePadByteOfOddSizedChunks) {
  EXPECT_DOUBLE_EQ(*lengthOf(riff({other("junk", 3), fmt(1, 1, 8000, 8), data(8000)})), 1.0);
  // An odd data chunk followed by another chunk.
  EXPECT_DOUBLE_EQ(*lengthOf(riff({fmt(1, 1, 11025, 8), data(11025), other("LIST", 5)})), 1.0);
}

TEST_F(WavLength, RejectsFilesItCannotTime) {
  EXPECT_EQ(lengthOf(riff({data(100)})), std::nullopt);
  EXPECT_EQ(lengthOf(riff({fmt(1, 1, 8000, 8)})), std::nullopt);
  EXPECT_EQ(lengthOf(riff({fmt(1, 1, 0, 8), data(100)})), std::nullopt);
  EXPECT_EQ(lengthOf(riff({fmt(1, 1, 8000, 8, 0), data(100)})), std::nullopt);
  EXPECT_EQ(lengthOf(riff({fmt(1, 0, 8000, 8, 1), data(100)})), std::nullopt);
  EXPECT_EQ(lengthOf(riff({fmt(2, 1, 8000, 4, 256), data(1024)})), std::nullopt);  // ADPCM
  EXPECT_EQ(lengthOf(riff({fmt(1, 1, 8000, 8), data(100)}, "AVI ")), std::nullopt);
  Chunk shortFmt = fmt(1, 1, 8000, 8);
  shortFmt.body.resize(14);
  EXPECT_EQ(lengthOf(riff({shortFmt, data(100)})), std::nullopt);
}

TEST_F(MidiLength, TimesTicksByTempoOrByFrames) {
  Track plain;
  plain.at(0, {0x90, 60, 100}).at(384, {0x90, 60, 0}).end(0);
  EXPECT_DOUBLE_EQ(*lengthOf(smf(0, 96, {plain})), 2.0) << "120 bpm until a tempo event";
  EXPECT_DOUBLE_EQ(*lengthOf(tempoChangeSong()), 1.5);
  Track smpte;
  smpte.at(0, tempo(250000)).end(2500);
  // 25 frames per second, 40 ticks per frame: 1000 ticks per second whatever the tempo.
  EXPECT_DOUBLE_EQ(*lengthOf(smf(0, 0xE728, {smpte})), 2.5);
}

TEST_F(MidiLength, Format1TakesTheLongestTrackUnderTheConductorsTempo) {
  Track conductor;
  conductor.at(480, tempo(1000000)).end(0);
  Track shortPart;
  shortPart.at(0, {0xC0, 30}).at(0, {0x91, 40, 90}).at(240, {0x81, 40, 0}).end(0);
  Track longPart;
  longPart.at(0, {0x90, 69, 90}).at(2400, {0x80, 69, 0}).end(0);
  // 480 ticks at 0.5 s per quarter, then 1920 at 1 s per quarter.
  EXPECT_DOUBLE_EQ(*lengthOf(smf(1, 480, {conductor, shortPart, longPart})), 4.5);
}

TEST_F(MidiLength, MergesTempoChangesFromEveryTrackByTick) {
  Track conductor;
  conductor.at(0, {0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g'}).at(960, tempo(250000)).end(0);
  Track notes;
  notes.at(0, {0x90, 50, 80}).at(1920, {0x80, 50, 0}).end(0);
  Track earlierTempo;
  earlierTempo.at(480, tempo(1000000)).end(0);
  // 480 ticks at 0.5 s per quarter, 480 at 1 s, 960 at 0.25 s.
  EXPECT_DOUBLE_EQ(*lengthOf(smf(1, 480, {conductor, notes, earlierTempo})), 2.0);
}

TEST_F(MidiLength, ReadsEveryKindOfEventAndSkipsUnknownChunks) {
  Track t;
  t.at(0, {0xF0, 0x03, 0x7E, 0x7F, 0xF7})   // system exclusive
      .at(0, {0xF7, 0x01, 0x00})            // escaped bytes
      .at(0, {0xFF, 0x01, 0x02, 'h', 'i'})  // text
      .at(0, {0xC2, 5})                     // program: one data byte
      .at(96, {0xD2, 40})                   // channel pressure: one data byte
      .at(96, {0xE2, 0x00, 0x40})           // pitch bend: two
      .at(96, {0xA2, 60, 10})               // key pressure
      .at(96, {0xB2, 7, 100})               // controller
      .end(96);
  Bytes file = smf(1, 96, {t}, 1);
  Bytes alien;
  put(alien, "XFIH");
  put(alien, 3, 4, true);
  put(alien, Bytes{1, 2, 3});
  file.insert(file.begin() + 14, alien.begin(), alien.end());
  EXPECT_DOUBLE_EQ(*lengthOf(file), 2.5);
}

TEST_F(MidiLength, AcceptsLongerHeadersAndTracksWithoutEndMarker) {
  Track t;
  t.at(0, {0x90, 60, 1}).at(960, {0x80, 60, 0});
  Bytes file = smf(0, 480, {t});
  file[7] = 8;  // header size 8: two extra bytes follow
  file.insert(file.begin() + 14, {0, 0});
  EXPECT_DOUBLE_EQ(*lengthOf(file), 1.0);
}

TEST_F(MidiLength, RejectsMalformedFiles) {
  Track ok;
  ok.at(0, {0x90, 60, 100}).end(96);
  EXPECT_EQ(lengthOf(smf(2, 96, {ok})), std::nullopt);
  EXPECT_EQ(lengthOf(smf(0, 96, {ok, ok})), std::nullopt);
  EXPECT_EQ(lengthOf(smf(1, 96, {}, 0)), std::nullopt);
  EXPECT_EQ(lengthOf(smf(1, 0, {ok})), std::nullopt);
  EXPECT_EQ(lengthOf(smf(1, 96, {ok, ok}, 3)), std::nullopt);  // a track short
  EXPECT_EQ(lengthOf(smf(0, 0xE528, {ok})), std::nullopt);     // 27 frames per second

  const std::vector<Bytes> badTracks = {
      {0x00, 60, 100},                                   // data with no status to run on
      {0x80, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0x00},  // delta longer than four bytes
      {0x00, 0x90, 60},                                  // event cut short by the end of the track
      {0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1, 0x00, 0xFF, 0x2F, 0x00},        // two-byte tempo
      {0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00},  // zero tempo
      {0x00, 0xF8, 0x00, 0xFF, 0x2F, 0x00},                                // timing clock
      {0x00, 0x90, 0x80, 100},                                             // status byte where data belongs
      {0x00, 0xFF, 0x01, 0x10, 'x'},                                       // text longer than the track
      {0x00, 0xF0, 0x09, 0x01},                                            // sysex longer than the track
  };
  for (const Bytes& body : badTracks) {
    Bytes file = smf(0, 96, {}, 1);
    putTrack(file, body);
    EXPECT_EQ(lengthOf(file), std::nullopt) << "track bytes start " << int(body[0]) << "," << int(body[1]);
  }
}

// No sound of the game lasts an hour; a file that says it does is broken, however well formed,
// and a length near the clock's range could not be added to any time.
TEST_F(DamagedSoundFiles, ALengthOverAnHourIsRefused) {
  const auto midiOfTicks = [](std::uint64_t ticks, std::uint32_t microsPerQuarter) {
    Track t;
    t.at(0, tempo(microsPerQuarter));
    for (; ticks > 0x0FFFFFFF; ticks -= 0x0FFFFFFF) t.at(0x0FFFFFFF, {0xFF, 0x01, 0x00});  // empty texts
    t.end(static_cast<std::uint32_t>(ticks));
    return smf(0, 1, {t});  // one tick a quarter note
  };
  EXPECT_DOUBLE_EQ(*lengthOf(midiOfTicks(3600, 1000000)), 3600.0);
  EXPECT_DOUBLE_EQ(*lengthOf(riff({fmt(1, 1, 1, 8), data(3600)})), 3600.0);
  EXPECT_EQ(lengthOf(midiOfTicks(3601, 1000000)), std::nullopt);
  EXPECT_EQ(lengthOf(riff({fmt(1, 1, 1, 8), data(3601)})), std::nullopt);
  // 549755846 quarters at the slowest tempo: 9223372027 s, just short of 2^63 ns.
  EXPECT_EQ(lengthOf(midiOfTicks(549755846, 0xFFFFFF)), std::nullopt);
}

TEST_F(DamagedSoundFiles, MissingEmptyAndDirectoryAreRejected) {
  EXPECT_EQ(soundLengthSeconds(dir_ / "no-such-file.wav"), std::nullopt);
  EXPECT_EQ(soundLengthSeconds(dir_), std::nullopt);
  EXPECT_EQ(lengthOf({}), std::nullopt);
  EXPECT_EQ(lengthOf({'R', 'I', 'F'}), std::nullopt);
}

TEST_F(DamagedSoundFiles, EveryTruncationIsRejected) {
  const Bytes wav = riff({other("LIST", 7), fmt(1, 1, 8000, 8), data(41), other("id3 ", 6)});
  const Bytes midi = tempoChangeSong();
  ASSERT_TRUE(lengthOf(wav).has_value());
  ASSERT_TRUE(lengthOf(midi).has_value());
  for (const Bytes& whole : {wav, midi}) {
    for (std::size_t n = 0; n < whole.size(); ++n) {
      EXPECT_EQ(lengthOf(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n))), std::nullopt)
          << "cut to " << n << " of " << whole.size() << " bytes";
    }
  }
}

TEST_F(DamagedSoundFiles, IsChosenByContentNotByName) {
  EXPECT_DOUBLE_EQ(*lengthOf(riff({fmt(1, 1, 8000, 8), data(8000)}), "theme.mid"), 1.0);
  EXPECT_DOUBLE_EQ(*lengthOf(tempoChangeSong(), "hit.wav"), 1.5);
  EXPECT_EQ(lengthOf({'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0, 0, 0}, "music.mp3"), std::nullopt);
}

// Damage does not crash the reader or make it loop; whatever it answers is a real length.
TEST_F(DamagedSoundFiles, SurvivesGarbageAndCorruption) {
  std::mt19937 random(20240607);
  auto byte = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
  auto check = [&](const Bytes& bytes) {
    const auto length = lengthOf(bytes);
    if (length) {
      EXPECT_TRUE(std::isfinite(*length) && *length >= 0.0);
    }
    return length.has_value();
  };

  for (int i = 0; i < 200; ++i) {
    Bytes garbage(random() % 300);
    for (auto& b : garbage) b = byte();
    EXPECT_FALSE(check(garbage));
  }
  const std::vector<Bytes> validStarts = {{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'},
                                          {'M', 'T', 'h', 'd', 0, 0, 0, 6}};
  for (int i = 0; i < 400; ++i) {
    Bytes bytes = validStarts[static_cast<std::size_t>(i % 2)];
    if (i % 2 == 0) bytes[4] = byte(), bytes[5] = byte();
    const std::size_t tail = random() % 200;
    for (std::size_t k = 0; k < tail; ++k) bytes.push_back(byte());
    check(bytes);
  }
  const std::vector<Bytes> samples = {tempoChangeSong(),
                                      riff({other("junk", 3), fmt(1, 2, 8000, 16), data(64)})};
  for (int i = 0; i < 400; ++i) {
    Bytes bytes = samples[static_cast<std::size_t>(i % 2)];
    for (int flips = 1 + static_cast<int>(random() % 3); flips > 0; --flips)
      bytes[random() % bytes.size()] = byte();
    check(bytes);
  }
}

}  // namespace

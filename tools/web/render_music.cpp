// render-music SOUNDFONT MIDI OUT.wav
//
// Renders the fight theme as the windowed game sounds while it loops it, for players that can only
// play a recording (the browser's): the game's own synth (MidiMusic, its settings and its volume
// at the full music level), 16-bit stereo at 44.1 kHz, exactly as long as the game takes the MIDI
// file to last. The game plays the file again from its start once it has lasted that long, while
// the notes and the reverb of the last play ring on; so the recording is a second play, which
// holds the first's ringing end at its start and ends where the third would begin: played over and
// over it joins without a seam.
//
// Prints the length in seconds. Exits 1 with a message when a file cannot be read or written.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/sound_length.h"
#include "audio/midi_music.h"

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kFramesPerPeriod = 1024;

void put16(std::ofstream& out, std::uint16_t v) {
  const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  out.write(b, 2);
}

void put32(std::ofstream& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

// A canonical PCM WAVE file: 16-bit samples, written little-endian whatever the machine.
bool writeWave(const std::string& path, const std::vector<std::int16_t>& samples) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));
  out.write("RIFF", 4);
  put32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, kChannels);
  put32(out, kRate);
  put32(out, kRate * kChannels * 2);
  put16(out, kChannels * 2);
  put16(out, 16);
  out.write("data", 4);
  put32(out, dataBytes);
  for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
  out.flush();
  return static_cast<bool>(out);
}

// `frames` frames of the synth's output, period by period as the mixer asks for them.
std::vector<std::int16_t> render(mojara::audio::MidiMusic& music, long frames) {
  std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * kChannels, 0);
  for (long done = 0; done < frames; done += kFramesPerPeriod) {
    const long now = std::min<long>(kFramesPerPeriod, frames - done);
    mojara::audio::MidiMusic::fill(&music, reinterpret_cast<unsigned char*>(samples.data() + done * kChannels),
                                   static_cast<int>(now * kChannels * sizeof(std::int16_t)));
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: render-music SOUNDFONT MIDI OUT.wav\n";
    return 2;
  }
  const std::string soundFont = argv[1], midi = argv[2], out = argv[3];
  const auto seconds = mojara::assets::soundLengthSeconds(midi);
  if (!seconds) {
    std::cerr << "render-music: " << midi << " is not a MIDI file the game can play\n";
    return 1;
  }
  try {
    mojara::audio::MidiMusic music(soundFont, kRate, kChannels);
    std::string why;
    if (!music.load(midi, why)) {
      std::cerr << "render-music: cannot read " << midi << ": " << why << "\n";
      return 1;
    }
    music.setVolume(mojara::audio::MidiMusic::kFullVolume);
    const long frames = std::lround(*seconds * kRate);
    music.play(midi);
    render(music, frames);
    music.play(midi);
    if (!writeWave(out, render(music, frames))) {
      std::cerr << "render-music: cannot write " << out << "\n";
      return 1;
    }
  } catch (const std::runtime_error& e) {
    std::cerr << "render-music: " << e.what() << "\n";
    return 1;
  }
  std::printf("%.6f\n", *seconds);
  return 0;
}

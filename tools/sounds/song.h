#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mojara::sounds {

// General MIDI plays percussion on the tenth channel (index 9).
inline constexpr std::uint8_t kDrumChannel = 9;

struct Note {
  std::uint32_t tick;
  std::uint32_t length;
  std::uint8_t key;
  std::uint8_t velocity;
};

// One instrument: one track of the MIDI file, on one channel.
struct Part {
  std::string name;
  std::uint8_t channel;
  std::uint8_t program;  // General MIDI program, counted from 0
  std::uint8_t volume;
  std::uint8_t pan;
  std::uint8_t reverb;
  std::vector<Note> notes;
};

struct Song {
  std::string title;
  std::uint16_t ticksPerQuarter;
  std::uint32_t microsPerQuarter;
  std::uint8_t beatsPerBar;
  std::int8_t keySharps;  // negative for flats
  bool minorKey;
  std::uint32_t lengthTicks;  // where the loop wraps back to the top
  std::vector<Part> parts;
};

}  // namespace mojara::sounds

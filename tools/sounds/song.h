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

// General MIDI's expression controller: a channel's level within its volume, for swells and fades.
inline constexpr std::uint8_t kExpressionController = 11;

// General MIDI's modulation wheel: how deep a channel's vibrato goes.
inline constexpr std::uint8_t kModulationController = 1;

// A controller change at a tick, such as a step of a swell.
struct ControlChange {
  std::uint32_t tick;
  std::uint8_t controller;
  std::uint8_t value;
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
  std::vector<ControlChange> controls;  // each takes effect before the notes struck at its tick
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

#pragma once

#include <array>
#include <string_view>
#include <vector>

// The little notations the fight theme is written in. A bar is 16 sixteenth
// "steps". A malformed bar throws std::invalid_argument naming the bad text,
// so a typo in a table stops the build instead of playing a wrong note.
namespace mojara::sounds {

inline constexpr int kStepsPerBar = 16;

// "C4" is middle C (key 60); sharps with '#', flats with 'b': "G#4", "Bb3".
int parseNoteName(std::string_view name);

// A melody bar: "A4:3 A4:1 C5:2 r:2 ..." — note (or r for a rest), a colon and
// its length in steps. The lengths must fill the bar exactly.
struct MelodyNote {
  int step;
  int steps;
  int key;
};
std::vector<MelodyNote> parseMelodyBar(std::string_view bar);

// A triad named like "Am", "F", "G#" or "Dm".
struct Chord {
  int root;  // pitch class, C = 0
  bool minor;
  std::array<int, 3> pitchClasses() const;
};

// A bar of chords: "Am" holds for the whole bar, "F G" splits it in halves,
// four names give one per beat.
std::vector<Chord> parseChordBar(std::string_view bar);
const Chord& chordAtStep(const std::vector<Chord>& bar, int step);

// The lowest key of the given pitch class that is not below floorKey.
int keyAtOrAbove(int pitchClass, int floorKey);

// A rhythm grid of exactly 16 characters: '.' is silence, '-' holds the hit
// before it, anything else strikes (the character says what or how loud).
struct GridHit {
  int step;
  int steps;
  char symbol;
};
std::vector<GridHit> parseStepGrid(std::string_view grid);

}  // namespace mojara::sounds

#include "score_notation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace mojara::sounds {

namespace {

[[noreturn]] void fail(std::string_view what, std::string_view text) {
  throw std::invalid_argument(std::string(what) + ": \"" + std::string(text) + "\"");
}

int pitchClassOfLetter(char letter) {
  switch (letter) {
    case 'C':
      return 0;
    case 'D':
      return 2;
    case 'E':
      return 4;
    case 'F':
      return 5;
    case 'G':
      return 7;
    case 'A':
      return 9;
    case 'B':
      return 11;
    default:
      return -1;
  }
}

// Reads a letter and an optional accidental from the front of text.
int takePitchClass(std::string_view& text) {
  if (text.empty()) return -1;
  int pc = pitchClassOfLetter(text.front());
  if (pc < 0) return -1;
  text.remove_prefix(1);
  if (!text.empty() && (text.front() == '#' || text.front() == 'b')) {
    pc += text.front() == '#' ? 1 : -1;
    text.remove_prefix(1);
  }
  return (pc + 12) % 12;
}

int parseSmallNumber(std::string_view digits, std::string_view context) {
  if (digits.empty() || digits.size() > 2) fail("bad number", context);
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') fail("bad number", context);
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    out.push_back(text.substr(start, end - start));
    pos = end;
  }
  return out;
}

}  // namespace

int parseNoteName(std::string_view name) {
  std::string_view rest = name;
  const int pc = takePitchClass(rest);
  if (pc < 0) fail("bad note name", name);
  // B#3 is C4 and Cb4 is B3: the octave belongs to the letter.
  const int letterPc = pitchClassOfLetter(name.front());
  const int octave = parseSmallNumber(rest, name);
  const int key = (octave + 1) * 12 + letterPc + (pc - letterPc + 18) % 12 - 6;
  if (key < 0 || key > 127) fail("note out of range", name);
  return key;
}

std::vector<MelodyNote> parseMelodyBar(std::string_view bar) {
  std::vector<MelodyNote> notes;
  int step = 0;
  for (std::string_view word : words(bar)) {
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos) fail("note without a length", word);
    const int steps = parseSmallNumber(word.substr(colon + 1), word);
    if (steps == 0) fail("zero-length note", word);
    const std::string_view name = word.substr(0, colon);
    if (name != "r") notes.push_back({step, steps, parseNoteName(name)});
    step += steps;
  }
  if (step != kStepsPerBar) fail("melody bar does not fill 16 steps", bar);
  return notes;
}

std::array<int, 3> Chord::pitchClasses() const {
  return {root, (root + (minor ? 3 : 4)) % 12, (root + 7) % 12};
}

std::vector<Chord> parseChordBar(std::string_view bar) {
  std::vector<Chord> chords;
  for (std::string_view word : words(bar)) {
    std::string_view rest = word;
    const int root = takePitchClass(rest);
    if (root < 0 || (rest != "" && rest != "m")) fail("bad chord", word);
    chords.push_back({root, rest == "m"});
  }
  if (chords.size() != 1 && chords.size() != 2 && chords.size() != 4)
    fail("need 1, 2 or 4 chords in a bar", bar);
  return chords;
}

const Chord& chordAtStep(const std::vector<Chord>& bar, int step) {
  const auto stepsEach = kStepsPerBar / static_cast<int>(bar.size());
  return bar.at(static_cast<std::size_t>(step / stepsEach));
}

int keyAtOrAbove(int pitchClass, int floorKey) { return floorKey + ((pitchClass - floorKey) % 12 + 12) % 12; }

std::vector<GridHit> parseStepGrid(std::string_view grid) {
  if (grid.size() != kStepsPerBar) fail("rhythm grid is not 16 steps", grid);
  std::vector<GridHit> hits;
  for (int step = 0; step < kStepsPerBar; ++step) {
    const char c = grid[static_cast<std::size_t>(step)];
    if (c == '.') continue;
    if (c == '-') {
      if (hits.empty() || hits.back().step + hits.back().steps != step)
        fail("'-' with nothing to hold", grid);
      ++hits.back().steps;
      continue;
    }
    hits.push_back({step, 1, c});
  }
  return hits;
}

}  // namespace mojara::sounds

#include "fight_theme.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "score_notation.h"

namespace mojara::sounds {

namespace {

constexpr std::uint16_t kTicksPerQuarter = 480;
constexpr std::uint32_t kTicksPerStep = kTicksPerQuarter / 4;
constexpr std::uint32_t kTicksPerBar = kTicksPerStep * kStepsPerBar;
constexpr std::uint32_t kBeatsPerMinute = 150;
// Pitched notes let go this many ticks early so repeated notes re-strike.
constexpr std::uint32_t kGateTicks = 15;

using Bars = std::array<std::string_view, 8>;

// ---------------------------------------------------------------------------
// Harmony, one entry per bar. A minor, with E major as the dominant.

constexpr Bars kChordsA = {"Am", "Am", "F", "G", "Am", "Am", "F G", "E"};
constexpr Bars kChordsA2 = {"Am", "Am", "F", "G", "Am", "Am", "Dm", "E"};
constexpr Bars kChordsB = {"F", "G", "Em", "Am", "F", "G", "E", "E"};

// ---------------------------------------------------------------------------
// Lead melody, one bar per string, lengths in sixteenths.

// clang-format off
constexpr Bars kMelodyA = {
    "A4:3 A4:1 C5:2 E5:2 A5:4 G5:2 F5:2",
    "E5:2 D5:2 C5:2 E5:6 D5:2 B4:2",
    "C5:3 C5:1 F5:2 A5:2 C6:4 A5:2 F5:2",
    "G5:2 F5:2 E5:2 D5:6 B4:2 G4:2",
    "A4:3 A4:1 C5:2 E5:2 A5:4 B5:2 C6:2",
    "B5:2 A5:2 G5:2 A5:6 E5:4",
    "F5:2 E5:2 F5:2 A5:2 G5:2 F5:2 G5:2 B5:2",
    "G#5:4 E5:2 B4:2 D5:2 C5:2 B4:2 G#4:2",  // G# leads up into the A that opens bar 1
};

// The same opening, then it climbs an octave and runs up into B.
constexpr Bars kMelodyA2 = {
    kMelodyA[0],
    kMelodyA[1],
    kMelodyA[2],
    kMelodyA[3],
    "E5:3 E5:1 A5:2 C6:2 E6:4 D6:2 C6:2",
    "B5:2 A5:2 C6:2 A5:6 E5:2 A5:2",
    "D5:2 F5:2 A5:2 D6:4 C6:2 A5:2 F5:2",
    "E5:2 G#5:2 B5:2 E6:6 D6:2 B5:2",
};

// The return, varied so the eighth fight's loop is not the first's: the hook an octave up, each
// time answered a step lower, then the first statement's run home to E.
constexpr Bars kMelodyA3 = {
    "A5:3 A5:1 C6:2 E6:2 A6:4 G6:2 E6:2",
    "D6:2 C6:2 B5:2 C6:2 A5:4 E5:4",
    "A5:2 C6:2 F6:4 E6:2 C6:2 A5:2 C6:2",
    "B5:2 D6:2 G5:4 B5:2 A5:2 G5:2 F5:2",
    "A5:3 A5:1 C6:2 E6:2 A6:6 E6:2",
    "G6:2 E6:2 D6:2 C6:2 B5:2 C6:2 A5:4",
    kMelodyA[6],
    kMelodyA[7],
};

// Under the return the strings hold a slow line of their own, moving against the tune.
constexpr Bars kCounterA3 = {
    "C5:8 B4:8",
    "A4:8 C5:8",
    "A4:16",
    "B4:8 D5:8",
    "C5:8 E5:8",
    "E5:8 C5:8",
    "C5:8 D5:8",
    "E5:8 D5:4 B4:4",
};

// Broader and syncopated over the strings; the last bar runs down to E so the
// return of A lands on its tonic.
constexpr Bars kMelodyB = {
    "A5:6 G5:2 F5:4 C5:4",
    "D5:3 E5:3 F5:2 G5:8",
    "G5:6 E5:2 B4:4 E5:4",
    "C5:3 B4:3 A4:2 E5:8",
    "A5:6 G5:2 F5:4 A5:4",
    "B5:3 C6:3 D6:2 B5:8",
    "G#5:6 A5:2 B5:4 D6:4",
    "E6:4 D6:2 C6:2 B5:2 A5:2 G#5:2 E5:2",
};
// clang-format on

// ---------------------------------------------------------------------------
// Accompaniment grids, one bar repeated. Bass: R root, O root an octave up.

constexpr std::string_view kBassGallop = "R.ROR.ROR.ROR.RO";
constexpr std::string_view kBassPush = "R--R--R-R--R--R-";
constexpr std::string_view kBrassStabs = "x..x..x.........";
constexpr std::string_view kGuitarChug = "x.x.x.x.x.x.x.x.";
constexpr std::string_view kGuitarHold = "x--------------.";
constexpr std::string_view kStringsHold = "x---------------";
constexpr std::string_view kTacet = "";

// ---------------------------------------------------------------------------
// Drums: X accent, x normal, o ghost. The last bar of every section is the fill.

struct DrumGroove {
  std::string_view kick = "................";
  std::string_view snare = "................";
  std::string_view closedHat = "................";
  std::string_view openHat = "................";
  std::string_view ride = "................";
  std::string_view tomHigh = "................";
  std::string_view tomMid = "................";
  std::string_view tomLow = "................";
};

constexpr DrumGroove kBeatDrive = {
    .kick = "X.....x.X.....x.",
    .snare = "....X.......X...",
    .closedHat = "X.x.X.x.X.x.X...",
    .openHat = "..............x.",
};

constexpr DrumGroove kBeatDrive16 = {
    .kick = "X.....x.X.....x.",
    .snare = "....X.......X..o",
    .closedHat = "XoxoXoxoXoxoXo..",
    .openHat = "..............x.",
};

constexpr DrumGroove kBeatRide = {
    .kick = "X..x..x.X..x..x.",
    .snare = "....X.......X...",
    .ride = "X.x.x.x.X.x.x.x.",
};

// The two bars before the loop wraps: the snare builds through the first, the toms roll down
// the kit through the second into the crash at the top.
constexpr DrumGroove kFillBuild = {
    .kick = "X.....x.X.....x.",
    .snare = "....X...x.x.xxxx",
    .closedHat = "X.x.X.x.........",
};

constexpr DrumGroove kFillRoll = {
    .kick = "X.......X.....X.",
    .snare = "XoxoXoxo........",
    .tomHigh = "........xxx.....",
    .tomMid = "...........xx...",
    .tomLow = ".............xxX",
};

constexpr DrumGroove kFill = {
    .kick = "X.....x.X.......",
    .snare = "....X...xx......",
    .closedHat = "x.x.x.x.........",
    .tomHigh = "..........xx....",
    .tomMid = "............xx..",
    .tomLow = "..............xX",
};

// General MIDI percussion keys.
struct DrumLane {
  std::string_view DrumGroove::*grid;
  std::uint8_t key;
};
constexpr DrumLane kDrumLanes[] = {
    {&DrumGroove::kick, 36},       // bass drum 1
    {&DrumGroove::snare, 38},      // acoustic snare
    {&DrumGroove::closedHat, 42},  // closed hi-hat
    {&DrumGroove::openHat, 46},    // open hi-hat
    {&DrumGroove::ride, 51},       // ride cymbal 1
    {&DrumGroove::tomHigh, 50},    // high tom
    {&DrumGroove::tomMid, 47},     // low-mid tom
    {&DrumGroove::tomLow, 43},     // high floor tom
};
constexpr std::uint8_t kCrashKey = 49;  // crash cymbal 1

// ---------------------------------------------------------------------------
// Sections and the loop.

constexpr std::array<const DrumGroove*, 1> kOneBarFill = {&kFill};
constexpr std::array<const DrumGroove*, 2> kTwoBarFill = {&kFillBuild, &kFillRoll};

struct Section {
  const Bars& chords;
  const Bars& melody;
  std::string_view bass;
  const DrumGroove& beat;
  std::span<const DrumGroove* const> fill;  // the section's last bars
  std::string_view brass;
  std::string_view guitar;
  std::string_view strings;
  const Bars* counterMelody = nullptr;  // played by the strings
};

constexpr Section kSectionA = {kChordsA, kMelodyA, kBassGallop, kBeatDrive, kOneBarFill, kBrassStabs, kTacet, kTacet};
constexpr Section kSectionA2 = {kChordsA2,   kMelodyA2,   kBassGallop, kBeatDrive16,
                                kOneBarFill, kBrassStabs, kGuitarChug, kTacet};
constexpr Section kSectionB = {kChordsB,  kMelodyB,   kBassPush,    kBeatRide,
                               kOneBarFill, kTacet, kGuitarHold, kStringsHold};
constexpr Section kSectionA3 = {kChordsA,    kMelodyA3,   kBassGallop, kBeatDrive16, kTwoBarFill,
                                kBrassStabs, kGuitarChug, kTacet,      &kCounterA3};

// How a passage breathes: the expression every channel opens it at, the level it swells (or
// fades) to over its last two bars, and how much harder or softer than usual its notes are struck.
struct Dynamics {
  int expression;
  int expressionAtEnd;
  int velocityLift;
};

struct Passage {
  const Section& section;
  Dynamics dynamics;
};

// A A' B A". The closing A ends on E, the dominant, so the jump back to the
// first bar resolves like any A-to-A' join inside the piece. The first A states the tune, A'
// climbs and pushes on, B draws back to breathe and swells into the return, and the return, the
// hook up an octave over the strings' counter-line, is the loudest, so the loop drops back to
// where it began.
const std::array<Passage, 4> kArrangement = {{
    {kSectionA, {104, 104, 0}},
    {kSectionA2, {110, 118, 4}},
    {kSectionB, {88, 122, -8}},
    {kSectionA3, {127, 127, 6}},
}};

// Within B, the strings swell through every bar and ease off into the next.
constexpr int kStringSwellFloor = 70;

// ---------------------------------------------------------------------------

enum PartIndex { kLead, kBass, kBrass, kGuitar, kStrings, kDrums, kPartCount };

int velocityOf(char symbol) {
  switch (symbol) {
    case 'X':
      return 118;
    case 'o':
      return 64;
    default:
      return 96;
  }
}

// The lead leans on the bar's first beat, then its third, sings out its long notes and lets the
// notes between the beats go lighter.
int leadVelocity(const MelodyNote& n) {
  int velocity = n.step == 0 ? 112 : n.step == 8 ? 104 : n.step % 4 == 0 ? 98 : 86;
  if (n.steps >= 6) velocity += 8;
  return velocity;
}

// A fill builds from its first step to its last.
int fillVelocity(int velocity, int step, int steps) { return velocity * (70 + 30 * step / (steps - 1)) / 100; }

void addNote(Part& part, std::uint32_t tick, std::uint32_t length, int key, int velocity) {
  part.notes.push_back(
      {tick, length, static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(std::clamp(velocity, 1, 127))});
}

void addExpression(Part& part, std::uint32_t tick, int value) {
  part.controls.push_back({tick, kExpressionController, static_cast<std::uint8_t>(std::clamp(value, 0, 127))});
}

void addModulation(Part& part, std::uint32_t tick, int value) {
  part.controls.push_back({tick, kModulationController, static_cast<std::uint8_t>(std::clamp(value, 0, 127))});
}

// How the lead sings a note held a beat or more: it starts a little back and swells to full, and
// a vibrato creeps in from its third sixteenth; shorter notes are played straight. Writes the
// lead's modulation (the vibrato's depth) for one passage and returns its swell, in percent of
// the passage's level, for every sixteenth.
std::vector<int> addLeadPhrasing(Part& lead, const Passage& passage, std::uint32_t startTick) {
  constexpr int kHeldSteps = 4;
  constexpr int kSwellFrom = 80;
  constexpr int kVibratoFromStep = 2;
  constexpr int kVibratoPerStep = 25;
  constexpr int kVibratoDepth = 75;
  const int bars = static_cast<int>(passage.section.melody.size());
  std::vector<int> swell(static_cast<std::size_t>(bars * kStepsPerBar), 100);
  int depth = -1;
  for (int bar = 0; bar < bars; ++bar) {
    for (const MelodyNote& n : parseMelodyBar(passage.section.melody[static_cast<std::size_t>(bar)])) {
      const int first = bar * kStepsPerBar + n.step;
      const auto tickOf = [&](int step) { return startTick + static_cast<std::uint32_t>(step) * kTicksPerStep; };
      if (depth != 0) addModulation(lead, tickOf(first), depth = 0);
      if (n.steps < kHeldSteps) continue;
      for (int i = 0; i < n.steps; ++i) {
        swell[static_cast<std::size_t>(first + i)] = kSwellFrom + (100 - kSwellFrom) * i / (n.steps - 1);
        if (i >= kVibratoFromStep) {
          addModulation(lead, tickOf(first + i), depth = std::min(kVibratoDepth, (i - 1) * kVibratoPerStep));
        }
      }
    }
  }
  return swell;
}

// The expression of every channel over one passage: steady, then a ramp over the last two bars,
// one change a sixteenth. B's strings also swell within each bar, and the lead within its held
// notes.
void addDynamics(std::array<Part, kPartCount>& parts, const Passage& passage, std::uint32_t startTick) {
  const Dynamics& d = passage.dynamics;
  const int bars = static_cast<int>(passage.section.melody.size());
  constexpr int kRampSteps = 2 * kStepsPerBar;
  const std::vector<int> leadSwell = addLeadPhrasing(parts[kLead], passage, startTick);
  for (Part& part : parts) {
    const bool swelling = &part == &parts[kStrings] && !passage.section.strings.empty();
    int last = -1;
    for (int step = 0; step < bars * kStepsPerBar; ++step) {
      const int fromRamp = step - (bars * kStepsPerBar - kRampSteps);
      const int level = fromRamp < 0 ? d.expression
                                     : d.expression + (d.expressionAtEnd - d.expression) * fromRamp / (kRampSteps - 1);
      const int inBar = step % kStepsPerBar;
      const int swell = kStringSwellFloor + (127 - kStringSwellFloor) * inBar / (kStepsPerBar - 1);
      const int value = swelling                ? level * swell / 127
                        : &part == &parts[kLead] ? level * leadSwell[static_cast<std::size_t>(step)] / 100
                                                 : level;
      if (value != last) addExpression(part, startTick + static_cast<std::uint32_t>(step) * kTicksPerStep, value);
      last = value;
    }
  }
}

std::uint32_t heldLength(int steps) { return static_cast<std::uint32_t>(steps) * kTicksPerStep - kGateTicks; }

// Plays a chord grid: each hit gets the chord under it, voiced upwards from floorKey.
// A chord on the beat is struck harder than one between beats.
void addChordHits(Part& part, std::string_view grid, const std::vector<Chord>& chords, std::uint32_t barTick,
                  int floorKey, bool powerChord, int lift) {
  if (grid.empty()) return;
  for (const GridHit& hit : parseStepGrid(grid)) {
    const Chord& chord = chordAtStep(chords, hit.step);
    const std::uint32_t tick = barTick + static_cast<std::uint32_t>(hit.step) * kTicksPerStep;
    const int velocity = velocityOf(hit.symbol) + (hit.step % 4 == 0 ? 8 : -8) + lift;
    if (powerChord) {
      const int root = keyAtOrAbove(chord.root, floorKey);
      for (int interval : {0, 7, 12}) addNote(part, tick, heldLength(hit.steps), root + interval, velocity);
    } else {
      for (int pc : chord.pitchClasses()) addNote(part, tick, heldLength(hit.steps), keyAtOrAbove(pc, floorKey), velocity);
    }
  }
}

void addBar(std::array<Part, kPartCount>& parts, const Passage& passage, int bar, std::uint32_t barTick) {
  const Section& section = passage.section;
  const int lift = passage.dynamics.velocityLift;
  const auto chords = parseChordBar(section.chords[static_cast<std::size_t>(bar)]);

  for (const MelodyNote& n : parseMelodyBar(section.melody[static_cast<std::size_t>(bar)])) {
    addNote(parts[kLead], barTick + static_cast<std::uint32_t>(n.step) * kTicksPerStep, heldLength(n.steps),
            n.key, leadVelocity(n) + lift);
  }

  for (const GridHit& hit : parseStepGrid(section.bass)) {
    const int root = keyAtOrAbove(chordAtStep(chords, hit.step).root, 33);  // A1 up to G#2
    const int key = hit.symbol == 'O' ? root + 12 : root;
    const int velocity = hit.step % 4 == 0 ? 110 : hit.symbol == 'O' ? 84 : 94;
    addNote(parts[kBass], barTick + static_cast<std::uint32_t>(hit.step) * kTicksPerStep,
            heldLength(hit.steps), key, velocity + lift);
  }

  addChordHits(parts[kBrass], section.brass, chords, barTick, 57, false, lift);
  addChordHits(parts[kGuitar], section.guitar, chords, barTick, 40, true, lift);
  addChordHits(parts[kStrings], section.strings, chords, barTick, 55, false, lift);
  if (section.counterMelody) {
    for (const MelodyNote& n : parseMelodyBar((*section.counterMelody)[static_cast<std::size_t>(bar)])) {
      addNote(parts[kStrings], barTick + static_cast<std::uint32_t>(n.step) * kTicksPerStep, heldLength(n.steps),
              n.key, 104 + lift);
    }
  }

  const int bars = static_cast<int>(section.melody.size());
  const int fillBar = bar - (bars - static_cast<int>(section.fill.size()));
  const bool inFill = fillBar >= 0;
  const DrumGroove& groove = inFill ? *section.fill[static_cast<std::size_t>(fillBar)] : section.beat;
  for (const DrumLane& lane : kDrumLanes) {
    for (const GridHit& hit : parseStepGrid(groove.*lane.grid)) {
      const int velocity = velocityOf(hit.symbol) + lift;
      const int fillStep = fillBar * kStepsPerBar + hit.step;
      const int fillSteps = static_cast<int>(section.fill.size()) * kStepsPerBar;
      addNote(parts[kDrums], barTick + static_cast<std::uint32_t>(hit.step) * kTicksPerStep, kTicksPerStep / 2,
              lane.key, inFill ? fillVelocity(velocity, fillStep, fillSteps) : velocity);
    }
  }
  if (bar == 0) addNote(parts[kDrums], barTick, kTicksPerQuarter, kCrashKey, 112 + lift);
}

}  // namespace

Song composeFightTheme() {
  std::array<Part, kPartCount> parts = {{
      {"Lead", 0, 80, 110, 64, 40, {}, {}},             // Lead 1 (square)
      {"Bass", 1, 38, 112, 64, 10, {}, {}},             // Synth Bass 1
      {"Brass", 2, 62, 80, 40, 50, {}, {}},             // Synth Brass 1
      {"Guitar", 3, 30, 72, 88, 30, {}, {}},            // Distortion Guitar
      {"Strings", 4, 48, 40, 50, 70, {}, {}},           // String Ensemble 1
      {"Drums", kDrumChannel, 0, 96, 64, 30, {}, {}},   // Standard kit
  }};

  std::uint32_t tick = 0;
  for (const Passage& passage : kArrangement) {
    addDynamics(parts, passage, tick);
    for (int bar = 0; bar < static_cast<int>(passage.section.melody.size()); ++bar) {
      addBar(parts, passage, bar, tick);
      tick += kTicksPerBar;
    }
  }

  Song song;
  song.title = "Mojara Taisen - Fight";
  song.ticksPerQuarter = kTicksPerQuarter;
  song.microsPerQuarter = 60'000'000 / kBeatsPerMinute;
  song.beatsPerBar = 4;
  song.keySharps = 0;
  song.minorKey = true;
  song.lengthTicks = tick;
  song.parts.assign(parts.begin(), parts.end());
  return song;
}

}  // namespace mojara::sounds

// A whole-game run: the program from its start on the virtual clock, driven by a script.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "forms/scheduler.h"
#include "play/input/input_script.h"

namespace mojara::sim {

struct GameRunOptions {
  std::uint64_t seed = 1;
  std::optional<std::int64_t> until;  // virtual nanoseconds
  std::int64_t timerResolution = forms::kDefaultTimerResolution;
  std::string programFolder = ".";  // where the sound files are
  bool demo = false;                // side 0 of every fight draws its commands at random
  bool autoplay = false;            // a stand-in player starts, picks and continues (and plays as demo)
};

// How long a run without --until goes on after its last script line while timers still run.
inline constexpr std::int64_t kIdleHorizon = 600'000'000'000;  // ten minutes
// How long an autoplayed campaign may take without --until.
inline constexpr std::int64_t kCampaignHorizon = 3 * 3'600'000'000'000;  // three hours

// Runs the script and writes the event lines, ending with an "end" line. A script line that names
// a window that is not shown, or a control it lacks, throws ScriptError naming the line.
void runGame(const std::vector<ScriptLine>& script, const GameRunOptions& options, std::ostream& out);

}  // namespace mojara::sim

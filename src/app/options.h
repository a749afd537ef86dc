// The windowed program's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/scheduler.h"

namespace mojara {

struct Options {
  std::optional<int> scale;  // window scale; by default the largest that fits the screen
  std::int64_t timerResolution = forms::kDefaultTimerResolution;
  std::optional<std::pair<int, int>> fight;  // practice: open a fight of these roster slots
  bool demo = false;                         // the computer plays the whole campaign while you watch
  std::string record;                        // write a replay of every fight played
  std::string replay;                        // play a recorded fight again
  bool attract = true;                       // demo fights after 30 idle seconds on the title
  bool help = false;
  bool version = false;
};

// Reads the arguments after the program name; on a bad argument returns nothing and puts the
// reason in `error`.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace mojara

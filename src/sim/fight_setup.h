// What one headless fight is run with, read from the command line and a keys file.
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/scheduler.h"

namespace mojara::sim {

struct KeyPress {
  long long event;  // the battle window's timer event the press comes just before (from 1)
  int code;         // virtual-key code
};

struct FightSetup {
  int player = 0, opponent = 0;  // roster slots of side 0 and side 1
  std::uint64_t seed = 1;
  int speed = 5;
  int pow[2] = {0, 0};
  std::int32_t score[2] = {0, 0};
  std::vector<KeyPress> keys;
  bool demo = false;   // side 0 draws its commands at random too
  bool trace = false;  // one line per timer event
  long long maxEvents = 100000;
  forms::Nanos timerResolution = forms::kDefaultTimerResolution;
  std::string programFolder = ".";
};

struct SetupError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads `P0 P1 [options]`; a bad argument or keys file throws SetupError saying what is wrong.
FightSetup readFightArguments(const std::vector<std::string>& args);

// Reads a keys file: `E KEY` a line, sorted by E; blank lines and # comments ignored.
std::vector<KeyPress> readKeys(std::istream& in);

}  // namespace mojara::sim

// A recorded fight: what is needed to play it again exactly. The file is a keys file with a small
// header, so the runner can also read it as one:
//   # mojara replay 1
//   # fight P0 P1 --seed N --speed S --pow A,B --score A,B [--demo]
//   EVENT KEY
//   ...
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/module1.h"

namespace mojara {

inline constexpr int kReplayVersion = 1;

struct ReplayFight {
  std::int32_t player = 0, opponent = 0;  // roster slots
  std::int32_t speed = 5;
  std::int32_t pow[2] = {0, 0};
  std::int32_t score[2] = {0, 0};
  std::uint64_t seed = 0;  // the battle load's reseed
  bool demo = false;
  std::vector<std::pair<long long, int>> keys;  // (timer event it came before, virtual-key code)
};

struct ReplayError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string replayText(const ReplayFight& fight);
ReplayFight readReplay(std::istream& in);  // throws ReplayError naming the problem

// The fight about to load, as the shared state stands before the battle window's load.
ReplayFight replayOfLoad(const Module1& M, bool demo);

// Where the n-th fight (from 1) of a recording session is written: the path itself for the first,
// "-n" before the extension for the later ones.
std::string replayPath(const std::string& path, int fightNumber);

}  // namespace mojara

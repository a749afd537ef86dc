// A recorded fight: what is needed to play it again exactly. The file is a keys file with a small
// header, so the runner can also read it as one:
//   # mojara replay 1
//   # fight P0 P1 --seed N --speed S --pow A,B --score A,B [--demo] [--versus]
//   EVENT KEY       (or EVENT 2:KEY, a key of the second player)
//   ...
//   # cut short after event N     (only when the program ended before the fight did)
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/fight_setup.h"
#include "play/key_script.h"

namespace mojara {

inline constexpr int kReplayVersion = 1;

struct RecordedFight {
  FightSetup fight;            // its seed is always given
  std::vector<KeyPress> keys;  // by the timer event each came before
  // The timer events the fight ran for, when the program ended before the fight was decided: a
  // replay stops there too.
  std::optional<long long> cutShortAfter;
  bool operator==(const RecordedFight&) const = default;
};

std::string replayText(const RecordedFight& recorded);
// Throws InputError naming the problem and its line.
RecordedFight readReplay(std::string_view text);

// Where the n-th fight (from 1) of a recording session is written: the path itself for the first,
// "-n" before the extension for the later ones.
std::string replayPath(const std::string& path, int fightNumber);

// Why fights cannot be recorded at `path` (its folder is missing or cannot be written, it is a
// folder, or not an ordinary file: a device such as /dev/full, a pipe), or none when they can.
// Looked at before the first fight, so a recording is never found lost afterwards.
std::optional<std::string> recordingProblem(const std::string& path);

}  // namespace mojara

// play/replays: replay files, and recording and replaying fights with them.
// A recorded fight: what is needed to play it again exactly. The file is a keys file with a small
// header, so the runner can also read it as one:
//   # mojara replay 2
//   # fight P0 P1 --seed N --speed S --pow A,B --score A,B [--demo] [--versus]
//   # carried over: MOVEDMG A,B XSPD A,B YSPD A,B HITSIDE N KEYCMD N DMGTALLY N
//                                  (only when the fight took these over from the fight before it)
//   EVENT KEY       (or EVENT 2:KEY, a key of the second player)
//   ...
//   # checksum after event N: HHHHHHHHHHHHHHHH   (every 100 events and at the end)
//   # fight over after event N     (the fight was decided: the recording is whole)
//   # cut short after event N      (or: the program ended before the fight did)
// The file is written a line at a time as the fight goes, so a version 2 file that does not end on
// one of those two lines, or whose last line is cut mid-way, was never finished (the program was
// killed, the disk filled up): it plays as far as its last whole key press and stops there, never
// as a whole fight. Version 1 files, written before, have no end line when whole and read as they
// always have; one whose last line is cut mid-way plays as far as its last whole key press too.
// A checksum line gives the fight's state checksum after that event: a replay that comes to a
// different one is no longer the recorded fight and says so. A reader of keys files takes these
// lines as comments, and recordings without them play as they always have.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/fight_setup.h"
#include "play/input/key_script.h"

namespace mojara {

inline constexpr int kReplayVersion = 2;

struct StateCheck {
  long long event = 0;
  std::uint64_t checksum = 0;
  bool operator==(const StateCheck&) const = default;
};

// Every this many events a recording gives the fight's state checksum.
inline constexpr long long kCheckEvery = 100;

struct RecordedFight {
  FightSetup fight;            // its seed is always given
  std::vector<KeyPress> keys;  // by the timer event each came before
  // The timer events the fight ran for, when the program ended before the fight was decided (or
  // the recording was never finished): a replay stops there too.
  std::optional<long long> cutShortAfter;
  // The timer events the fight ran for when it was decided, as a version 2 file ends.
  std::optional<long long> decidedAfter;
  // The fight's state checksum after some of its events, by event.
  std::vector<StateCheck> checks;
  bool operator==(const RecordedFight&) const = default;
};
// On one line: the fight, its keys (the first 32 of them) and how it ended, as the file says them.
std::ostream& operator<<(std::ostream& out, const RecordedFight& recorded);

// The whole file: header, keys, and the end line when the fight has one (cut short or decided). A
// fight with neither, whole but with no known end (as version 1 files were written), is written
// as version 1, so that it reads back whole.
std::string replayText(const RecordedFight& recorded);
// The parts of the file, as it is written while the fight goes on.
std::string replayHeader(const FightSetup& fight, int version = kReplayVersion);
std::string fightOverLine(long long events);
std::string cutShortLine(long long events);
std::string checkLine(const StateCheck& check);
// Throws InputError naming the problem and its line.
RecordedFight readReplay(std::string_view text);

// Where the n-th fight (from 1) of a recording session is written: the path itself for the first,
// "-n" before the extension for the later ones.
std::string replayPath(const std::string& path, int fightNumber);

}  // namespace mojara

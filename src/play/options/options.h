// play/options: the command lines of mojara and mojara-sim, read into options.
// The windowed program's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "forms/scheduler.h"
#include "play/session/room_code.h"

namespace mojara {

struct Options {
  std::optional<int> scale;  // window scale; by default the largest that fits the screen
  std::int64_t timerResolution = forms::kDefaultTimerResolution;
  std::optional<std::pair<int, int>> fight;  // practice: open a fight of these roster slots
  std::optional<std::pair<int, int>> versus;  // two players: open a versus fight of these slots
  bool demo = false;                         // the computer plays the whole campaign while you watch
  std::string record;                        // write a replay of every fight played
  std::string replay;                        // play a recorded fight again
  bool attract = true;                       // demo fights after 30 idle seconds on the title
  std::optional<std::string> lang;           // the language of the windows' texts (play/texts/language.h)
  // Online versus: host a game on this UDP port (0: any free one), or join the host at HOST or
  // HOST:PORT, with the room's code (the host's own, or the one to join: --code, or the
  // invitation HOST:PORT/CODE); and the events a press waits before it acts (the host's, 0..8).
  std::optional<std::uint16_t> host;
  std::string join;
  std::optional<RoomCode> code;
  std::optional<int> inputDelay;
};

// The UDP port a host waits on unless told another.
inline constexpr std::uint16_t kDefaultOnlinePort = 4913;

// Reads the arguments after the program name into `options`. Returns the exit status when the
// program is to stop at once: 0 after --help or --version (printed to `out`; 1 when they could not
// be written), 2 after a bad argument (the reason on `err`).
std::optional<int> readOptions(const std::vector<std::string>& args, Options& options, std::ostream& out,
                               std::ostream& err, const std::string& version);

}  // namespace mojara

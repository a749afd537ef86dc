// `mojara-sim fight --versus --host PORT` and `--join HOST:PORT`: one versus fight over UDP in real
// time, each runner with its own player's keys, printing what the local versus fight with both
// players' presses prints.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "play/options/command_line.h"
#include "sim/fight_run.h"

namespace mojara::sim {

struct OnlineOptions {
  std::optional<std::uint16_t> hostPort;  // 0: any free port, told on standard error
  std::string bind;                       // the host's address to listen on; all when empty
  std::string join;                       // HOST:PORT, or the invitation HOST:PORT/CODE
  std::string code;                       // the room's code: the host's own, or the one to join
  std::optional<int> inputDelay;
  double connectSeconds = 30;  // how long to wait for the other peer at the start

  bool active() const { return hostPort.has_value() || !join.empty(); }
};
void addOnlineArguments(CLI::App& fight, OnlineOptions& options);

// Plays the fight `arguments` and `options` describe with the peer; returns the exit status.
// Throws cli::UsageError or InputError for bad arguments or a bad keys file.
int runOnlineFight(const CLI::App& fight, FightArguments& arguments, const OnlineOptions& options,
                   const std::string& version, const std::string& programFolder, std::ostream& out,
                   std::ostream& err);

}  // namespace mojara::sim

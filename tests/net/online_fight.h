// An online fight of two headless runners through an impaired relay, the same fight played on one
// machine to compare it with, and what the peers report about the network.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "net/impaired_relay.h"
#include "net/sim_process.h"

namespace mojara::testing {

struct Press {
  int event;        // of the pressing player's own clock
  std::string key;  // as a keys file names it
};

// One fight as the host sets it up, each player's presses, and each peer's further options.
struct FightPlan {
  int p0 = 0, p1 = 1;
  std::uint64_t seed = 1;
  int speed = 5;
  int inputDelay = 2;
  int maxEvents = 400;
  std::vector<Press> hostPresses, joinerPresses;
  std::vector<std::string> hostOptions, joinerOptions;
};

// A player's presses: at about one event in `every` of 1..lastEvent a key of the battle's (never
// the space bar) or the down arrow, now and then two at one event, named in every way a keys file
// may name them.
std::vector<Press> scriptedPresses(std::mt19937_64& random, int lastEvent, int every);

// The presses of both players as the fight on one machine takes them: player 1's at E + D, then
// player 2's at E + D as "2:KEY", in order of event, player 1's first within an event.
std::string mergedKeys(const FightPlan& plan);

// The same fight on one machine (`--versus --trace`), keys file and output beside `files`.
Finished localFight(const FightPlan& plan, const std::string& files);

// The host started and listening, the relay before it, the joiner started through the relay with
// the host's room code;
// each records the fight into `files`.host.replay and `files`.joiner.replay. Throws
// std::runtime_error with the host's standard error if the host does not tell its port.
class OnlineFight {
 public:
  OnlineFight(const FightPlan& plan, const Impairment& toHost, const Impairment& toJoiner,
              std::uint64_t relaySeed, const std::string& files);

  struct Ends {
    Finished host, joiner;
  };
  // Both peers to their end, each killed if it has not ended within `bound`.
  Ends finish(milliseconds bound);

  std::unique_ptr<SimProcess> host;
  std::uint16_t hostPort = 0;
  std::string code;  // the host's room code, as it said it
  std::unique_ptr<ImpairedRelay> relay;
  std::unique_ptr<SimProcess> joiner;
};

// The figures a peer writes as the last line of its standard error, by name, if that line is the
// stats object with every figure, in order, each a number.
std::optional<std::map<std::string, double>> netStats(const std::string& err);

// The lines of a text, without their line ends.
std::vector<std::string> textLines(const std::string& text);

// The raw text of a top-level member of a line that is one JSON object; empty if it has none.
std::string jsonValue(const std::string& line, const std::string& key);

}  // namespace mojara::testing

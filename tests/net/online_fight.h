// An online fight of two headless runners through an impaired relay, the same fight played on one
// machine to compare it with, and what the peers report about the network.
#pragma once

#include <algorithm>
#include <cstdint>
#include <future>
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
  std::string bind = "127.0.0.1";  // the host's --bind; empty: every address of this machine
};

// A player's presses: at about one event in `every` of 1..lastEvent a key of the battle's (never
// the space bar) or the down arrow, now and then two at one event, named in every way a keys file
// may name them.
std::vector<Press> scriptedPresses(std::mt19937_64& random, int lastEvent, int every);

// A fight of `maxEvents` of two fighters and a speed drawn from `seed`, each player pressing
// about one event in `every`.
FightPlan plannedFight(std::uint64_t seed, int inputDelay, int every = 6, int maxEvents = 400);

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
              std::uint64_t relaySeed, const std::string& files, ImpairedRelay::Tap tap = {});
  // The same with no relay: the joiner joins the host at `hostName` ("127.0.0.2", "[::1]").
  OnlineFight(const FightPlan& plan, const std::string& hostName, const std::string& files);
  // The host alone, listening, until join() starts the joiner at `where` (HOST:PORT).
  OnlineFight(const FightPlan& plan, const std::string& files);
  void join(const std::string& where);

  struct Ends {
    Finished host, joiner;
  };
  // Both peers to their end, each killed if it has not ended within `bound`.
  Ends finish(milliseconds bound);

  std::unique_ptr<SimProcess> host;
  std::uint16_t hostPort = 0;
  std::string code;                      // the host's room code, as it said it
  std::unique_ptr<ImpairedRelay> relay;  // none when the joiner joins the host directly
  std::unique_ptr<SimProcess> joiner;

 private:
  FightPlan plan_;
  std::string files_;
};

// Both peers of `fight` (recording into `files`.host.replay and `files`.joiner.replay) ended well,
// each printing the local fight's output byte for byte, and recorded the same fight.
void expectTheLocalFightOnBoth(const Finished& local, const OnlineFight::Ends& ends,
                               const std::string& files);

// The figures a peer writes as the last line of its standard error, by name, if that line is the
// stats object with every figure, in order, each a number.
std::optional<std::map<std::string, double>> netStats(const std::string& err);

// The lines of a text, without their line ends.
std::vector<std::string> textLines(const std::string& text);
// The first `count` lines of a text, and its last `count`, each with its line end.
std::string firstLines(const std::string& text, std::size_t count);
std::string lastLines(const std::string& text, std::size_t count = 5);

// The raw text of a top-level member of a line that is one JSON object; empty if it has none.
std::string jsonValue(const std::string& line, const std::string& key);

// A folder of its own for one test's files, removed when the test passes, kept (and named) when
// it fails.
class TestFiles {
 public:
  TestFiles();
  ~TestFiles();
  TestFiles(const TestFiles&) = delete;
  TestFiles& operator=(const TestFiles&) = delete;
  std::string operator()(const std::string& name) const { return dir_ + "/" + name; }

 private:
  std::string dir_;
};

// Runs `play(i)` for i in 0..count-1, `atOnce` at a time, and hands back what each gave.
template <typename Play>
auto inParallel(int count, Play play, int atOnce = 8) {
  std::vector<decltype(play(0))> results;
  for (int first = 0; first < count; first += atOnce) {
    std::vector<std::future<decltype(play(0))>> running;
    for (int i = first; i < std::min(count, first + atOnce); ++i)
      running.push_back(std::async(std::launch::async, play, i));
    for (auto& r : running) results.push_back(r.get());
  }
  return results;
}

}  // namespace mojara::testing

// mojara-sim: the game's rules on a virtual clock, with no display and no sound device.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_numbers.h"
#include "sim/fight_run.h"
#include "sim/fight_setup.h"
#include "sim/game_run.h"
#include "sim/game_script.h"
#include "sim/league.h"

namespace {

constexpr const char* kUsage =
    "usage: mojara-sim fight P0 P1 [--seed N] [--speed S] [--pow A,B] [--score A,B] [--keys FILE|-]\n"
    "                              [--demo] [--trace] [--max-events N] [--timer-resolution MS]\n"
    "       mojara-sim fight --replay FILE [--trace] [--max-events N] [--timer-resolution MS]\n"
    "       mojara-sim league [--fights N] [--seed S] [--speed S]\n"
    "       mojara-sim game [SCRIPT|-] [--seed N] [--until MS] [--timer-resolution MS] [--demo]\n"
    "                       [--autoplay]\n"
    "\n"
    "  fight   one fight of roster slots P0 (player) and P1 (computer), 0 to 7, from the battle\n"
    "          window's load to its hand-over; --trace prints the state after every timer event\n"
    "          as a JSON line, and a last line gives the result\n"
    "  league  N demo fights (default 100) for each of the 64 matchups, as a win-rate table\n"
    "  game    the whole program from its start, driven by a script of timed input (see the\n"
    "          README), printing one JSON line per window event\n"
    "\n"
    "  --seed N                 the random generator's seed; default 1\n"
    "  --speed S                the battle speed, 1 to 20 (ms per tick); default 5\n"
    "  --pow A,B / --score A,B  both sides' power (0 to 100) and points before the fight\n"
    "  --keys FILE              key presses, a line 'EVENT KEY' (KEY: code, A-Z, LEFT, UP, RIGHT,\n"
    "                           DOWN, SPACE), delivered just before that timer event\n"
    "  --demo                   side 0 draws its commands at random too\n"
    "  --replay FILE            a fight recorded by mojara --record, played again exactly\n"
    "  --max-events N           stop after N timer events; default 100000\n"
    "  --autoplay               (game) a stand-in player starts the game, picks fighters and\n"
    "                           continues after lost fights; side 0 fights as in --demo\n"
    "  --until MS               (game) stop at this virtual time\n"
    "  --timer-resolution MS    the platform timer resolution, > 0; default 54.925\n"
    "  --help, --version\n";

// The folder of this executable: the game's sound files sit beside it.
std::string programFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

int runFightCommand(const std::vector<std::string>& args) {
  using namespace mojara::sim;
  FightSetup setup;
  try {
    setup = readFightArguments(args);
  } catch (const SetupError& e) {
    throw UsageError(e.what());
  }
  setup.programFolder = programFolder();
  try {
    const FightOutcome outcome = runFight(setup, setup.trace ? &std::cout : nullptr);
    std::cout << endLine(outcome) << "\n";
  } catch (const std::exception& e) {
    // A fatal error of the game (a value out of its range): the fight stops there.
    std::cout.flush();
    std::cerr << "mojara-sim: the fight stopped with a fatal error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int runLeagueCommand(const std::vector<std::string>& args) {
  using namespace mojara;
  using namespace mojara::sim;
  LeagueOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size())
      throw UsageError(a == "--fights" || a == "--seed" || a == "--speed" ? a + " needs a value"
                                                                          : "unknown argument " + a);
    const std::string& v = args[++i];
    if (a == "--fights") {
      const auto n = parseInteger<int>(v);
      if (!n || *n < 1 || *n > 1000000) throw UsageError("--fights needs a whole number from 1 to 1000000");
      options.fights = *n;
    } else if (a == "--seed") {
      const auto n = parseInteger<std::uint64_t>(v);
      if (!n) throw UsageError("--seed needs a whole number from 0 to 18446744073709551615");
      options.seed = *n;
    } else if (a == "--speed") {
      const auto n = parseInteger<int>(v);
      if (!n || *n < 1 || *n > 20) throw UsageError("--speed needs a whole number from 1 to 20");
      options.speed = *n;
    } else {
      throw UsageError("unknown argument " + a);
    }
  }
  options.programFolder = programFolder();
  const LeagueResult result = runLeague(options, &std::cerr);
  printLeague(result, options.fights, std::cout);
  return 0;
}

int runGameCommand(const std::vector<std::string>& args) {
  using namespace mojara;
  using namespace mojara::sim;
  GameRunOptions options;
  std::string scriptPath;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      return args[++i];
    };
    if (a == "--seed") {
      auto v = parseInteger<std::uint64_t>(value());
      if (!v) throw UsageError("--seed needs a whole number from 0 to 18446744073709551615");
      options.seed = *v;
    } else if (a == "--until") {
      auto v = parseMillis(value());
      if (!v) throw UsageError("--until needs a time in milliseconds, 0 or more");
      options.until = *v;
    } else if (a == "--timer-resolution") {
      auto v = parseMillis(value());
      if (!v || *v <= 0) throw UsageError("--timer-resolution needs a number of milliseconds above 0");
      options.timerResolution = *v;
    } else if (a == "--demo") {
      options.demo = true;
    } else if (a == "--autoplay") {
      options.autoplay = true;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      throw UsageError("unknown option " + a);
    } else if (scriptPath.empty()) {
      scriptPath = a;
    } else {
      throw UsageError("more than one script given");
    }
  }
  options.programFolder = programFolder();
  std::vector<ScriptLine> script;
  try {
    if (scriptPath == "-") {
      script = readGameScript(std::cin);
    } else if (!scriptPath.empty()) {
      std::ifstream file(scriptPath);
      if (!file) throw UsageError("cannot read script " + scriptPath);
      script = readGameScript(file);
    }
  } catch (const ScriptError& e) {
    throw UsageError("script " + (scriptPath == "-" ? std::string("on standard input") : scriptPath) + ", " +
                     e.what());
  }
  try {
    runGame(script, options, std::cout);
  } catch (const ScriptError& e) {
    std::cout.flush();
    std::cerr << "mojara-sim: script " << e.what() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (args[0] == "--version") {
    std::cout << "mojara-sim " << MOJARA_VERSION << "\n";
    return 0;
  }
  try {
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "game") return runGameCommand(args);
    if (command == "fight") return runFightCommand(args);
    if (command == "league") return runLeagueCommand(args);
    throw UsageError("unknown command '" + command + "'");
  } catch (const UsageError& e) {
    std::cerr << "mojara-sim: " << e.what() << "\n(mojara-sim --help shows the usage)\n";
    return 2;
  }
}

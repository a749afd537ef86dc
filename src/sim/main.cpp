// mojara-sim: the game's rules on a virtual clock, with no display and no sound device.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_numbers.h"
#include "sim/game_run.h"
#include "sim/game_script.h"

namespace {

constexpr const char* kUsage =
    "usage: mojara-sim game [SCRIPT|-] [--seed N] [--until MS] [--timer-resolution MS]\n"
    "\n"
    "  game    run the whole program from its start, driven by a script of timed input\n"
    "          (see the README), printing one JSON line per window event\n"
    "\n"
    "options:\n"
    "  --seed N                 the random generator's seed (reseeds use N + virtual ms); default 1\n"
    "  --until MS               stop at this virtual time\n"
    "  --timer-resolution MS    the platform timer resolution, > 0; default 54.925\n"
    "  --help, --version\n";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

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
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      throw UsageError("unknown option " + a);
    } else if (scriptPath.empty()) {
      scriptPath = a;
    } else {
      throw UsageError("more than one script given");
    }
  }
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
    throw UsageError("script " + (scriptPath == "-" ? std::string("on standard input") : scriptPath) + ", " + e.what());
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
    throw UsageError("unknown command '" + command + "'");
  } catch (const UsageError& e) {
    std::cerr << "mojara-sim: " << e.what() << "\n(mojara-sim --help shows the usage)\n";
    return 2;
  }
}

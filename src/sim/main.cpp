// mojara-sim: the game's rules on a virtual clock, with no display and no sound device.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "play/options/command_line.h"
#include "play/input/input_file.h"
#include "sim/fight_run.h"
#include "sim/game_run.h"
#include "sim/league.h"
#ifdef MOJARA_ONLINE
#include "sim/online_run.h"
#endif

namespace {

using namespace mojara;
using namespace mojara::sim;

// The folder of this executable: the game's sound files sit beside it.
std::string programFolder() {
#ifdef __EMSCRIPTEN__
  // Run by node, whose executable is not this one: the folder of the script node runs. In a page,
  // the folder it is run in, where the page put the sounds.
  if (const char* folder = emscripten_run_script_string("typeof __dirname === 'string' ? __dirname : '.'"))
    return folder;
#endif
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

// Everything printed has reached standard output; a full disk or a closed pipe is an error.
int finish(int status) {
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "mojara-sim: cannot write to standard output\n";
    return 1;
  }
  return status;
}

int runFightCommand(FightArguments& arguments) {
  FightRun run = takeFightRun(arguments);
  run.programFolder = programFolder();
  try {
    const FightOutcome outcome = runFight(run, run.trace ? &std::cout : nullptr);
    std::cout << endLine(outcome) << "\n";
    if (!outcome.problem.empty()) {
      std::cout.flush();
      std::cerr << "mojara-sim: " << outcome.problem << "\n";
      return finish(1);
    }
  } catch (const std::exception& e) {
    // A fatal error of the game (a value out of its range): the fight stops there.
    std::cout.flush();
    std::cerr << "mojara-sim: the fight stopped with a fatal error: " << e.what() << "\n";
    return 1;
  }
  return finish(0);
}

int runLeagueCommand(LeagueOptions options) {
  options.programFolder = programFolder();
  const LeagueResult result = runLeague(options, &std::cerr);
  printLeague(result, options.fights, std::cout);
  return finish(0);
}

int runGameCommand(GameRunOptions options, const std::string& scriptPath) {
  options.programFolder = programFolder();
  std::vector<ScriptLine> script;
  if (!scriptPath.empty()) {
    const std::string text = readInputFile(scriptPath, "the script");
    try {
      script = readGameScript(text);
    } catch (const ScriptError& e) {
      throw InputError("the script " +
                       (scriptPath == "-" ? std::string("on standard input") : shortened(scriptPath)) + ", " +
                       e.what());
    }
  }
  try {
    runGame(script, options, std::cout);
  } catch (const ScriptError& e) {
    std::cout.flush();
    std::cerr << "mojara-sim: script " << e.what() << "\n";
    return 2;
  }
  return finish(0);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"The game's rules on a virtual clock, with no display and no sound device.", "mojara-sim"};
  app.require_subcommand(1);

  CLI::App& fight = *app.add_subcommand(
      "fight", "One fight, from the battle window's load to its hand-over, as JSON lines");
  fight.footer(
      "--trace prints the state after every timer event as a JSON line; the last line gives the result "
      "(Form5 the player won, Form6 lost, stalled paused for good, limit out of events).");
  FightArguments fightArguments;
  addFightArguments(fight, fightArguments);
#ifdef MOJARA_ONLINE
  OnlineOptions onlineOptions;
  addOnlineArguments(fight, onlineOptions);
#endif

  CLI::App& league =
      *app.add_subcommand("league", "Demo fights for each of the 64 matchups, as a win-rate table");
  LeagueOptions leagueOptions;
  cli::addValue(league, "--fights", "N", "Fights per matchup, 1 to 1000000; default 100",
                [&](auto& v) { leagueOptions.fights = cli::wholeNumber<int>("--fights", v, 1, 1000000); });
  cli::addValue(league, "--seed", "N", "The first fight's seed; default 1", [&](auto& v) {
    leagueOptions.seed = cli::wholeNumber<std::uint64_t>("--seed", v, 0, UINT64_MAX);
  });
  cli::addValue(league, "--speed", "S", "The battle speed, 1 to 20; default 5",
                [&](auto& v) { leagueOptions.speed = cli::wholeNumber<int>("--speed", v, 1, 20); });
  cli::addValue(league, "--jobs", "N",
                "Fights run side by side, 1 to " + std::to_string(kMaxJobs) +
                    "; default one per core. The table is the same for any N",
                [&](auto& v) { leagueOptions.jobs = cli::wholeNumber<int>("--jobs", v, 1, kMaxJobs); });

  CLI::App& game = *app.add_subcommand(
      "game", "The whole program from its start, on a script of timed input, as JSON lines");
  game.footer(
      "A script has one timed action a line (key, click, hover, press, scroll, choose, ok, close); see the "
      "README.");
  GameRunOptions gameOptions;
  std::string scriptPath;
  game.add_option("SCRIPT", scriptPath, "The script, or - for standard input")->type_name("FILE|-");
  cli::addValue(
      game, "--seed", "N", "Generator seeds are N + the virtual milliseconds; default 1",
      [&](auto& v) { gameOptions.seed = cli::wholeNumber<std::uint64_t>("--seed", v, 0, UINT64_MAX); });
  cli::addValue(game, "--until", "MS", "Stop at this virtual time",
                [&](auto& v) { gameOptions.until = cli::millis("--until", v, 0, kMaxMillis); });
  cli::addValue(game, "--timer-resolution", "MS",
                "The platform timer resolution, 0.001 to 60000; default 54.925", [&](auto& v) {
                  gameOptions.timerResolution =
                      cli::millis("--timer-resolution", v, kMinTimerResolution, kMaxTimerResolution);
                });
  game.add_flag("--demo", gameOptions.demo, "Side 0 of every fight draws its commands at random");
  game.add_flag("--autoplay", gameOptions.autoplay,
                "A stand-in player starts the game, picks fighters and continues after lost fights; side 0 "
                "fights as in --demo");

  cli::addVersion(app, std::string("mojara-sim ") + MOJARA_VERSION);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto commands = app.get_subcommands({});
  const bool known = std::any_of(commands.begin(), commands.end(), [&](const CLI::App* c) {
    return !args.empty() && c->get_name() == args[0];
  });
  if (!args.empty() && !args[0].starts_with('-') && !known) {
    std::cerr << "mojara-sim: unknown command " << quote(args[0]) << " (fight, league or game)\n"
              << "(mojara-sim --help shows the usage)\n";
    return 2;
  }
  if (auto stop = cli::parse(app, args, std::cout, std::cerr)) return *stop;
  try {
#ifdef MOJARA_ONLINE
    if (fight.parsed() && onlineOptions.active())
      return finish(runOnlineFight(fight, fightArguments, onlineOptions, MOJARA_VERSION, programFolder(), std::cout, std::cerr));
#endif
    if (fight.parsed()) return runFightCommand(fightArguments);
    if (league.parsed()) return runLeagueCommand(leagueOptions);
    return runGameCommand(gameOptions, scriptPath);
  } catch (const cli::UsageError& e) {
    std::cerr << "mojara-sim: " << e.what() << "\n(mojara-sim --help shows the usage)\n";
  } catch (const InputError& e) {
    std::cerr << "mojara-sim: " << e.what() << "\n";
  }
  return 2;
}

#include "app/options.h"

#include "app/cli_numbers.h"

namespace mojara {

const char* const kUsage =
    "usage: mojara [--fight P0 P1] [--demo] [--record FILE] [--replay FILE] [--no-attract]\n"
    "              [--scale N] [--timer-resolution MS]\n"
    "\n"
    "Mojara Taisen, a small fighting game. Keys in a fight: arrows walk and jump-kick,\n"
    "A punch, Z kick, Q charge power, S rising dragon punch, X heel drop, W rampage,\n"
    "space pauses. F1 on the title window opens the help. F11 or Alt+Enter: full screen;\n"
    "M: sound off and on; minus and equals: softer and louder.\n"
    "\n"
    "options:\n"
    "  --fight P0 P1            practice: open a fight of roster slots P0 (you) and P1 (the\n"
    "                           computer) at once, 0 to 7: 0 だいさく, 1 みよ, 2 タマ, 3 大顔面,\n"
    "                           4 暗黒騎士 jiro, 5 はにい, 6 あいあんどーる, 7 黒炭人\n"
    "  --demo                   the computer plays the whole campaign (or the --fight) while\n"
    "                           you watch\n"
    "  --record FILE            write every fight played to FILE (the second to FILE-2, ...),\n"
    "                           to be played again with --replay or mojara-sim fight --replay\n"
    "  --replay FILE            play a recorded fight again in the window (Escape quits)\n"
    "  --no-attract             no demo fights when the title has been left alone for 30 s\n"
    "  --scale N                draw every window N times its size (1 to 8); by default the\n"
    "                           largest whole scale at which the fight fits the screen\n"
    "  --timer-resolution MS    the timer resolution in milliseconds (> 0); default 54.925,\n"
    "                           the PC timer tick the game's pace was made for\n"
    "  --help                   show this and exit\n"
    "  --version                show the version and exit\n";

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--help" || a == "-h") {
      options.help = true;
    } else if (a == "--version") {
      options.version = true;
    } else if (a == "--no-attract") {
      options.attract = false;
    } else if (a == "--demo") {
      options.demo = true;
    } else if (a == "--record" || a == "--replay") {
      if (!hasValue || args[i + 1].empty()) {
        error = a + " needs a file";
        return std::nullopt;
      }
      (a == "--record" ? options.record : options.replay) = args[++i];
    } else if (a == "--fight") {
      const auto p0 = i + 1 < args.size() ? parseInteger<int>(args[i + 1]) : std::nullopt;
      const auto p1 = i + 2 < args.size() ? parseInteger<int>(args[i + 2]) : std::nullopt;
      if (!p0 || !p1 || *p0 < 0 || *p0 > 7 || *p1 < 0 || *p1 > 7) {
        error = "--fight needs two roster slots from 0 to 7";
        return std::nullopt;
      }
      i += 2;
      options.fight = {{*p0, *p1}};
    } else if (a == "--scale") {
      auto v = hasValue ? parseInteger<int>(args[++i]) : std::nullopt;
      if (!v || *v < 1 || *v > 8) {
        error = "--scale needs a whole number from 1 to 8";
        return std::nullopt;
      }
      options.scale = *v;
    } else if (a == "--timer-resolution") {
      auto v = hasValue ? parseMillis(args[++i]) : std::nullopt;
      if (!v || *v <= 0) {
        error = "--timer-resolution needs a number of milliseconds above 0";
        return std::nullopt;
      }
      options.timerResolution = *v;
    } else {
      error = "unknown argument '" + a + "'";
      return std::nullopt;
    }
  }
  if (!options.replay.empty() && (options.fight || options.demo || !options.record.empty())) {
    error = "--replay plays its own fight: it goes with none of --fight, --demo and --record";
    return std::nullopt;
  }
  return options;
}

}  // namespace mojara

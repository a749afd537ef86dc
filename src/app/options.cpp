#include "app/options.h"

#include "app/cli_numbers.h"

namespace mojara {

const char* const kUsage =
    "usage: mojara [--scale N] [--timer-resolution MS]\n"
    "\n"
    "Mojara Taisen, a small fighting game. Keys in a fight: arrows walk and jump-kick,\n"
    "A punch, Z kick, Q charge power, S rising dragon punch, X heel drop, W rampage,\n"
    "space pauses. F1 on the title window opens the help.\n"
    "\n"
    "options:\n"
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
  return options;
}

}  // namespace mojara

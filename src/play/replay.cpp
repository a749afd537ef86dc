#include "play/replay.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "play/fight_options.h"
#include "play/input_file.h"

namespace mojara {

namespace {

constexpr std::string_view kMagic = "# mojara replay ";
constexpr std::string_view kFightLine = "# fight ";
constexpr std::string_view kCutShortLine = "# cut short after event ";

FightSetup readHeader(const std::string& line) {
  std::istringstream words(line.substr(kFightLine.size()));
  std::vector<std::string> args;
  for (std::string w; words >> w;) args.push_back(w);
  FightOptions options;
  CLI::App app{"", "replay"};
  // A header describes a fight; it cannot ask for help or a version (either is an unknown option).
  app.set_help_flag();
  addFightOptions(app, options);
  try {
    cli::parseOrThrow(app, args);
    takeSlots(options);
  } catch (const cli::UsageError& e) {
    throw InputError("line 2: " + std::string(e.what()));
  }
  if (!options.fight.seed) throw InputError("line 2: the fight's seed is missing");
  return options.fight;
}

}  // namespace

std::string replayText(const RecordedFight& r) {
  const FightSetup& f = r.fight;
  std::ostringstream out;
  out << kMagic << kReplayVersion << "\n"
      << kFightLine << f.player << ' ' << f.opponent << " --seed " << f.seed.value_or(0) << " --speed "
      << f.speed << " --pow " << f.pow[0] << ',' << f.pow[1] << " --score " << f.score[0] << ',' << f.score[1]
      << (f.demo ? " --demo" : "") << (f.versus ? " --versus" : "") << "\n";
  out << keyLinesText(r.keys);
  if (r.cutShortAfter) out << kCutShortLine << *r.cutShortAfter << "\n";
  return out.str();
}

RecordedFight readReplay(std::string_view text) {
  const std::vector<std::string> lines = splitLines(text);
  if (lines.empty() || !lines[0].starts_with(kMagic))
    throw InputError("not a replay file (it must start with '# mojara replay')");
  if (lines[0] != std::string(kMagic) + std::to_string(kReplayVersion))
    throw InputError("a replay of another version (" + quote(lines[0].substr(2)) +
                     "); this game reads version " + std::to_string(kReplayVersion));
  if (lines.size() < 2 || !lines[1].starts_with(kFightLine))
    throw InputError("line 2: expected '# fight ...'");
  RecordedFight recorded{readHeader(lines[1]), readKeyLines(lines, 2), std::nullopt};
  if (!recorded.fight.versus && anySecondPlayerKey(recorded.keys))
    throw InputError("it has keys of a second player (EVENT 2:KEY), but the fight is not --versus");
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (!lines[i].starts_with(kCutShortLine)) continue;
    const std::string number = lines[i].substr(kCutShortLine.size());
    const auto events = parseInteger<long long>(number);
    if (!events || *events < 0)
      throw InputError("line " + std::to_string(i + 1) + ": bad event number " + quote(number));
    if (!recorded.keys.empty() && *events < recorded.keys.back().event - 1)
      throw InputError("line " + std::to_string(i + 1) + ": the fight is cut short before its last key");
    recorded.cutShortAfter = *events;
  }
  return recorded;
}

std::string replayPath(const std::string& path, int fightNumber) {
  if (fightNumber <= 1) return path;
  std::filesystem::path file(path);
  file.replace_filename(file.stem().string() + "-" + std::to_string(fightNumber) + file.extension().string());
  return file.string();
}

std::optional<std::string> recordingProblem(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status file = fs::status(path, error);
  if (fs::exists(file)) {
    if (fs::is_directory(file)) return "it is a folder";
    if (!fs::is_regular_file(file)) return "it is not an ordinary file (a device, a pipe or a socket)";
    if (::access(path.c_str(), W_OK) != 0) return "it cannot be written";
    return std::nullopt;
  }
  const fs::path folder = fs::path(path).has_parent_path() ? fs::path(path).parent_path() : fs::path(".");
  const fs::file_status parent = fs::status(folder, error);
  if (!fs::exists(parent)) return "its folder " + quote(folder.string()) + " does not exist";
  if (!fs::is_directory(parent)) return quote(folder.string()) + " is not a folder";
  if (::access(folder.c_str(), W_OK) != 0) return "its folder " + quote(folder.string()) + " cannot be written";
  return std::nullopt;
}

}  // namespace mojara

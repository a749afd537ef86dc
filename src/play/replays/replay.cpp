#include "play/replays/replay.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "play/options/fight_options.h"
#include "play/input/input_file.h"

namespace mojara {

namespace {

constexpr std::string_view kMagic = "# mojara replay ";
constexpr std::string_view kFightLine = "# fight ";
constexpr std::string_view kCutShortLine = "# cut short after event ";
constexpr std::string_view kFightOverLine = "# fight over after event ";
constexpr std::string_view kCheckLine = "# checksum after event ";
constexpr std::string_view kCarriedLine = "# carried over: ";

// The values of the carried-over line, each by its name, in the order they are written, with
// bounds well beyond what a fight leaves and well inside what its sums can hold.
struct CarriedValue {
  std::string_view name;
  std::int32_t* side0;
  std::int32_t* side1;  // null: one value, not one per side
  std::int32_t low = -100000, high = 100000;
};
std::array<CarriedValue, 6> carriedValues(CarriedOver& c) {
  return {{{"MOVEDMG", &c.MOVEDMG[0], &c.MOVEDMG[1]},
           {"XSPD", &c.XSPD[0], &c.XSPD[1]},
           {"YSPD", &c.YSPD[0], &c.YSPD[1]},
           {"HITSIDE", &c.HITSIDE, nullptr, 0, 1},
           {"KEYCMD", &c.KEYCMD, nullptr},
           {"DMGTALLY", &c.DMGTALLY, nullptr}}};
}

// "# carried over: MOVEDMG 8,8 XSPD 0,0 YSPD 0,0 HITSIDE 1 KEYCMD 0 DMGTALLY 0".
std::string carriedLine(CarriedOver c) {
  std::string line(kCarriedLine);
  for (const CarriedValue& v : carriedValues(c)) {
    if (line.size() > kCarriedLine.size()) line += ' ';
    line += std::string(v.name) + ' ' + std::to_string(*v.side0);
    if (v.side1) line += ',' + std::to_string(*v.side1);
  }
  return line + '\n';
}

CarriedOver readCarried(const std::string& line, std::size_t number) {
  const auto bad = [&] {
    return InputError("line " + std::to_string(number + 1) +
                      ": bad carried-over line (it reads '# carried over: MOVEDMG A,B XSPD A,B YSPD A,B "
                      "HITSIDE N KEYCMD N DMGTALLY N')");
  };
  std::istringstream words(line.substr(kCarriedLine.size()));
  CarriedOver c;
  for (const CarriedValue& v : carriedValues(c)) {
    std::string name, value;
    words >> name >> value;
    // One value, or one per side with a comma between.
    const std::size_t comma = value.find(',');
    if (name != v.name || (comma != std::string::npos) != (v.side1 != nullptr)) throw bad();
    std::int32_t* const sides[] = {v.side0, v.side1};
    const std::string_view parts[] = {
        std::string_view(value).substr(0, comma),
        comma == std::string::npos ? "" : std::string_view(value).substr(comma + 1)};
    for (int side = 0; side < (v.side1 ? 2 : 1); ++side) {
      const auto n = parseInteger<std::int32_t>(parts[side]);
      if (!n || *n < v.low || *n > v.high) throw bad();
      *sides[side] = *n;
    }
  }
  if (std::string rest; words >> rest) throw bad();
  return c;
}

// "N: HHHHHHHHHHHHHHHH" after the check line's start.
StateCheck readCheck(std::string_view text, std::size_t line) {
  const auto bad = [&] {
    return InputError("line " + std::to_string(line + 1) + ": bad checksum line " +
                      quote(std::string(kCheckLine) + std::string(text)));
  };
  const std::size_t colon = text.find(": ");
  if (colon == std::string_view::npos) throw bad();
  const auto event = parseInteger<long long>(text.substr(0, colon));
  const std::string_view hex = text.substr(colon + 2);
  StateCheck check;
  if (!event || *event < 0 || hex.size() != 16) throw bad();
  const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), check.checksum, 16);
  if (error != std::errc() || end != hex.data() + hex.size()) throw bad();
  check.event = *event;
  return check;
}

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

// Where a fight whose recording has no end stops: after the event of its last key press.
long long lastPress(const RecordedFight& recorded) {
  return recorded.keys.empty() ? 0 : recorded.keys.back().event;
}

// The timer events of an end line, which cannot come before the last key press.
long long endEvents(const RecordedFight& recorded, const std::string& number, std::size_t line,
                    const char* ended) {
  const auto events = parseInteger<long long>(number);
  if (!events || *events < 0)
    throw InputError("line " + std::to_string(line + 1) + ": bad event number " + quote(number));
  if (!recorded.keys.empty() && *events < recorded.keys.back().event - 1)
    throw InputError("line " + std::to_string(line + 1) + ": the fight is " + ended + " before its last key");
  return *events;
}

// The file's lines, none of them cut mid-way.
RecordedFight readLines(const std::vector<std::string>& lines, int version) {
  if (lines.size() < 2 || !lines[1].starts_with(kFightLine))
    throw InputError("line 2: expected '# fight ...'");
  RecordedFight recorded{readHeader(lines[1]), readKeyLines(lines, 2), std::nullopt, std::nullopt, {}};
  // What the fight took over from the one before it; a recording without the line, nothing, as
  // one whose line gives only zeros.
  if (lines.size() > 2 && lines[2].starts_with(kCarriedLine))
    if (const CarriedOver carried = readCarried(lines[2], 2); carried != CarriedOver{})
      recorded.fight.carried = carried;
  if (!recorded.fight.versus && anySecondPlayerKey(recorded.keys))
    throw InputError("it has keys of a second player (EVENT 2:KEY), but the fight is not --versus");
  std::optional<std::size_t> endLine;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (endLine && version >= 2 && !line.empty() && !line.starts_with('#'))
      throw InputError("line " + std::to_string(i + 1) + ": a key after the end of the fight");
    if (line.starts_with(kCheckLine)) {
      const StateCheck check = readCheck(std::string_view(line).substr(kCheckLine.size()), i);
      if (!recorded.checks.empty() && check.event <= recorded.checks.back().event)
        throw InputError("line " + std::to_string(i + 1) + ": checksums out of order");
      recorded.checks.push_back(check);
      continue;
    }
    if (line.starts_with(kCutShortLine)) {
      recorded.cutShortAfter = endEvents(recorded, line.substr(kCutShortLine.size()), i, "cut short");
    } else if (version >= 2 && line.starts_with(kFightOverLine)) {
      recorded.decidedAfter = endEvents(recorded, line.substr(kFightOverLine.size()), i, "over");
    } else {
      continue;
    }
    if (endLine && version >= 2)
      throw InputError("line " + std::to_string(i + 1) + ": the fight has ended already");
    endLine = i;
  }
  // A recording that never got to its end plays as far as it was written.
  if (version >= 2 && !endLine) recorded.cutShortAfter = lastPress(recorded);
  return recorded;
}

}  // namespace

std::string replayHeader(const FightSetup& f, int version) {
  std::ostringstream out;
  out << kMagic << version << "\n"
      << kFightLine << f.player << ' ' << f.opponent << " --seed " << f.seed.value_or(0) << " --speed "
      << f.speed << " --pow " << f.pow[0] << ',' << f.pow[1] << " --score " << f.score[0] << ',' << f.score[1]
      << (f.demo ? " --demo" : "") << (f.versus ? " --versus" : "") << "\n";
  // Only a fight that took something over says so: a first fight's recording is as it always was.
  if (f.carried && *f.carried != CarriedOver{}) out << carriedLine(*f.carried);
  return out.str();
}

std::string fightOverLine(long long events) {
  return std::string(kFightOverLine) + std::to_string(events) + "\n";
}

std::string cutShortLine(long long events) {
  return std::string(kCutShortLine) + std::to_string(events) + "\n";
}

std::string checkLine(const StateCheck& check) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(check.checksum));
  return std::string(kCheckLine) + std::to_string(check.event) + ": " + hex + "\n";
}

std::string replayText(const RecordedFight& r) {
  // A whole fight whose end is not known (read from a version 1 file) is what version 1 says.
  const bool endKnown = r.cutShortAfter || r.decidedAfter;
  std::string text = replayHeader(r.fight, endKnown ? kReplayVersion : 1);
  // A check after event N comes after the keys for events up to N, as it is written.
  auto key = r.keys.begin();
  for (const StateCheck& check : r.checks) {
    const auto upTo = std::find_if(key, r.keys.end(), [&](const KeyPress& k) { return k.event > check.event; });
    text += keyLinesText(std::vector<KeyPress>(key, upTo)) + checkLine(check);
    key = upTo;
  }
  text += keyLinesText(std::vector<KeyPress>(key, r.keys.end()));
  if (r.cutShortAfter)
    text += cutShortLine(*r.cutShortAfter);
  else if (r.decidedAfter)
    text += fightOverLine(*r.decidedAfter);
  return text;
}

std::ostream& operator<<(std::ostream& out, const RecordedFight& r) {
  constexpr std::size_t kShownKeys = 32;
  out << "fight " << r.fight << ", " << r.keys.size() << (r.keys.size() == 1 ? " key" : " keys");
  for (std::size_t k = 0; k < r.keys.size() && k < kShownKeys; ++k) out << (k ? ", " : ": ") << r.keys[k];
  if (r.keys.size() > kShownKeys) out << ", ...";
  if (r.cutShortAfter) out << ", cut short after event " << *r.cutShortAfter;
  if (r.decidedAfter) out << ", fight over after event " << *r.decidedAfter;
  if (!r.checks.empty()) out << ", " << r.checks.size() << " checksums";
  return out;
}

RecordedFight readReplay(std::string_view text) {
  std::vector<std::string> lines = splitLines(text);
  if (lines.empty() || !lines[0].starts_with(kMagic))
    throw InputError("not a replay file (it must start with '# mojara replay')");
  const auto version = parseInteger<int>(std::string_view(lines[0]).substr(kMagic.size()));
  if (!version || *version < 1 || *version > kReplayVersion)
    throw InputError("a replay of another version (" + quote(lines[0].substr(2)) +
                     "); this game reads versions up to " + std::to_string(kReplayVersion));
  // Every line the game writes ends with a line break: a last line without one was cut mid-way.
  const bool cutMidLine = !text.ends_with('\n');
  if (*version >= 2) {
    if (cutMidLine) lines.pop_back();
    return readLines(lines, *version);
  }
  try {
    return readLines(lines, *version);
  } catch (const InputError&) {
    // A first version's file whose last line was cut mid-way: as far as its last whole line.
    if (!cutMidLine || lines.size() <= 2) throw;
  }
  lines.pop_back();
  RecordedFight recorded = readLines(lines, *version);
  if (!recorded.cutShortAfter) recorded.cutShortAfter = lastPress(recorded);
  return recorded;
}

std::string replayPath(const std::string& path, int fightNumber) {
  if (fightNumber <= 1) return path;
  std::filesystem::path file(path);
  file.replace_filename(file.stem().string() + "-" + std::to_string(fightNumber) + file.extension().string());
  return file.string();
}

}  // namespace mojara

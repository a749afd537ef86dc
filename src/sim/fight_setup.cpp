#include "sim/fight_setup.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "app/cli_numbers.h"
#include "app/replay.h"
#include "sim/game_script.h"

namespace mojara::sim {

namespace {

// "A,B" with both parts integers of type T inside [low, high].
template <class T>
void readPair(const std::string& option, const std::string& text, T low, T high, T (&out)[2]) {
  const auto comma = text.find(',');
  std::optional<T> a, b;
  if (comma != std::string::npos) {
    a = parseInteger<T>(std::string_view(text).substr(0, comma));
    b = parseInteger<T>(std::string_view(text).substr(comma + 1));
  }
  if (!a || !b || *a < low || *a > high || *b < low || *b > high)
    throw SetupError(option + " needs two whole numbers A,B from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not '" + text + "'");
  out[0] = *a;
  out[1] = *b;
}

int readSlot(const std::string& text, const char* which) {
  const auto v = parseInteger<int>(text);
  if (!v || *v < 0 || *v > 7)
    throw SetupError(std::string(which) + " must be a roster slot from 0 to 7, not '" + text + "'");
  return *v;
}

}  // namespace

std::vector<KeyPress> readKeys(std::istream& in) {
  std::vector<KeyPress> keys;
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::istringstream words(raw);
    std::string event, key, extra;
    if (!(words >> event) || event[0] == '#') continue;
    const std::string where = "keys file line " + std::to_string(line) + ": ";
    if (!(words >> key) || (words >> extra)) throw SetupError(where + "expected 'EVENT KEY'");
    const auto e = parseInteger<long long>(event);
    if (!e) throw SetupError(where + "bad event number '" + event + "'");
    if (*e < 1) throw SetupError(where + "event number " + event + " is below 1");
    if (!keys.empty() && *e < keys.back().event)
      throw SetupError(where + "lines are not sorted by event number");
    const int code = keyCodeOf(key, false);
    if (code < 0) throw SetupError(where + "unknown key '" + key + "'");
    keys.push_back({*e, code});
  }
  if (in.bad()) throw SetupError("cannot read the keys file");
  return keys;
}

FightSetup readFightArguments(const std::vector<std::string>& args) {
  FightSetup setup;
  std::vector<std::string> slots;
  std::string replay;
  bool fightOptions = false;  // options that a replay gives by itself
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw SetupError(a + " needs a value");
      return args[++i];
    };
    if (a == "--seed" || a == "--speed" || a == "--pow" || a == "--score" || a == "--keys" || a == "--demo")
      fightOptions = true;
    if (a == "--replay") {
      replay = value();
    } else if (a == "--seed") {
      const auto v = parseInteger<std::uint64_t>(value());
      if (!v) throw SetupError("--seed needs a whole number from 0 to 18446744073709551615");
      setup.seed = *v;
    } else if (a == "--speed") {
      const auto v = parseInteger<int>(value());
      if (!v || *v < 1 || *v > 20) throw SetupError("--speed needs a whole number from 1 to 20");
      setup.speed = *v;
    } else if (a == "--pow") {
      readPair<int>(a, value(), 0, 100, setup.pow);
    } else if (a == "--score") {
      readPair<std::int32_t>(a, value(), INT32_MIN, INT32_MAX, setup.score);
    } else if (a == "--keys") {
      const std::string& path = value();
      if (path == "-") {
        setup.keys = readKeys(std::cin);
      } else {
        std::ifstream file(path);
        if (!file) throw SetupError("cannot read the keys file " + path);
        setup.keys = readKeys(file);
      }
    } else if (a == "--demo") {
      setup.demo = true;
    } else if (a == "--trace") {
      setup.trace = true;
    } else if (a == "--max-events") {
      const auto v = parseInteger<long long>(value());
      if (!v || *v < 0) throw SetupError("--max-events needs a whole number, 0 or more");
      setup.maxEvents = *v;
    } else if (a == "--timer-resolution") {
      const auto v = parseMillis(value());
      if (!v || *v <= 0) throw SetupError("--timer-resolution needs a number of milliseconds above 0");
      setup.timerResolution = *v;
    } else if (a.size() > 1 && a[0] == '-') {
      throw SetupError("unknown option " + a);
    } else {
      slots.push_back(a);
    }
  }
  if (!replay.empty()) {
    if (!slots.empty() || fightOptions)
      throw SetupError("--replay gives the fight's slots, seed, speed, power, points and keys itself");
    std::ifstream file(replay);
    if (!file) throw SetupError("cannot read the replay " + replay);
    try {
      const ReplayFight fight = readReplay(file);
      setup.player = fight.player, setup.opponent = fight.opponent;
      setup.seed = fight.seed;
      setup.speed = fight.speed;
      for (int i = 0; i <= 1; ++i) setup.pow[i] = fight.pow[i], setup.score[i] = fight.score[i];
      setup.demo = fight.demo;
      for (const auto& [event, code] : fight.keys) setup.keys.push_back({event, code});
    } catch (const ReplayError& e) {
      throw SetupError("the replay " + replay + ": " + e.what());
    }
    return setup;
  }
  if (slots.size() != 2) throw SetupError("expected two roster slots P0 P1 (0 to 7)");
  setup.player = readSlot(slots[0], "P0");
  setup.opponent = readSlot(slots[1], "P1");
  return setup;
}

}  // namespace mojara::sim

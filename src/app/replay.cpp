#include "app/replay.h"

#include <filesystem>
#include <sstream>

#include "app/cli_numbers.h"
#include "app/key_names.h"

namespace mojara {

namespace {

constexpr const char* kMagic = "# mojara replay ";

template <class T>
bool readPair(const std::string& text, T (&out)[2]) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return false;
  const auto a = parseInteger<T>(std::string_view(text).substr(0, comma));
  const auto b = parseInteger<T>(std::string_view(text).substr(comma + 1));
  if (!a || !b) return false;
  out[0] = *a, out[1] = *b;
  return true;
}

}  // namespace

std::string replayText(const ReplayFight& f) {
  std::ostringstream out;
  out << kMagic << kReplayVersion << "\n# fight " << f.player << ' ' << f.opponent << " --seed " << f.seed
      << " --speed " << f.speed << " --pow " << f.pow[0] << ',' << f.pow[1] << " --score " << f.score[0]
      << ',' << f.score[1] << (f.demo ? " --demo" : "") << "\n";
  for (const auto& [event, code] : f.keys) out << event << ' ' << keyNameOf(code) << "\n";
  return out.str();
}

ReplayFight readReplay(std::istream& in) {
  std::string magic, header;
  if (!std::getline(in, magic) || magic.rfind(kMagic, 0) != 0)
    throw ReplayError("not a replay file (it must start with '# mojara replay')");
  if (magic != kMagic + std::to_string(kReplayVersion))
    throw ReplayError("a replay of another version ('" + magic.substr(2) + "'); this game reads version " +
                      std::to_string(kReplayVersion));
  if (!std::getline(in, header) || header.rfind("# fight ", 0) != 0)
    throw ReplayError("line 2: expected '# fight ...'");

  ReplayFight f;
  std::istringstream words(header.substr(8));
  std::string p0, p1, option, value;
  words >> p0 >> p1;
  const auto s0 = parseInteger<std::int32_t>(p0), s1 = parseInteger<std::int32_t>(p1);
  if (!s0 || !s1 || *s0 < 0 || *s0 > 7 || *s1 < 0 || *s1 > 7) throw ReplayError("line 2: bad roster slots");
  f.player = *s0, f.opponent = *s1;
  bool seedSeen = false;
  while (words >> option) {
    if (option == "--demo") {
      f.demo = true;
      continue;
    }
    if (!(words >> value)) throw ReplayError("line 2: " + option + " has no value");
    bool ok = true;
    if (option == "--seed") {
      const auto v = parseInteger<std::uint64_t>(value);
      ok = v.has_value();
      if (ok) f.seed = *v, seedSeen = true;
    } else if (option == "--speed") {
      const auto v = parseInteger<std::int32_t>(value);
      ok = v && *v >= 1 && *v <= 20;
      if (ok) f.speed = *v;
    } else if (option == "--pow") {
      ok = readPair(value, f.pow) && f.pow[0] >= 0 && f.pow[0] <= 100 && f.pow[1] >= 0 && f.pow[1] <= 100;
    } else if (option == "--score") {
      ok = readPair(value, f.score);
    } else {
      throw ReplayError("line 2: unknown option " + option);
    }
    if (!ok) throw ReplayError("line 2: bad value '" + value + "' for " + option);
  }
  if (!seedSeen) throw ReplayError("line 2: the fight's seed is missing");

  std::string raw;
  for (int line = 3; std::getline(in, raw); ++line) {
    std::istringstream keyWords(raw);
    std::string event, key, extra;
    if (!(keyWords >> event) || event[0] == '#') continue;
    const auto e = parseInteger<long long>(event);
    const int code = (keyWords >> key) ? keyCodeOf(key, false) : -1;
    if (!e || *e < 1 || code < 0 || (keyWords >> extra))
      throw ReplayError("line " + std::to_string(line) + ": expected 'EVENT KEY'");
    if (!f.keys.empty() && *e < f.keys.back().first)
      throw ReplayError("line " + std::to_string(line) + ": lines are not sorted by event number");
    f.keys.emplace_back(*e, code);
  }
  return f;
}

ReplayFight replayOfLoad(const Module1& M, bool demo) {
  ReplayFight f;
  f.player = M.CHARA[0];
  f.opponent = M.CHARA[1];
  f.speed = M.SPEED;
  for (int i = 0; i <= 1; ++i) f.pow[i] = M.POW[i], f.score[i] = M.SCORE[i];
  f.demo = demo;
  return f;
}

std::string replayPath(const std::string& path, int fightNumber) {
  if (fightNumber <= 1) return path;
  std::filesystem::path file(path);
  file.replace_filename(file.stem().string() + "-" + std::to_string(fightNumber) + file.extension().string());
  return file.string();
}

}  // namespace mojara

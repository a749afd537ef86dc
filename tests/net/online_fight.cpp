#include "net/online_fight.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "battle/trace_diff.h"

namespace mojara::testing {
namespace {

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string keysText(const std::vector<Press>& presses) {
  std::string text = "# scripted presses\n";
  for (const Press& p : presses) text += std::to_string(p.event) + " " + p.key + "\n";
  return text;
}

std::vector<std::string> hostArguments(const FightPlan& plan, const std::string& files) {
  auto n = [](auto number) { return std::to_string(number); };
  std::vector<std::string> a{"fight", n(plan.p0), n(plan.p1), "--versus", "--host", "0"};
  if (!plan.bind.empty()) a.insert(a.end(), {"--bind", plan.bind});
  a.insert(a.end(), {"--seed", n(plan.seed), "--speed", n(plan.speed), "--input-delay", n(plan.inputDelay)});
  a.insert(a.end(), {"--trace", "--timer-resolution", "10", "--max-events", n(plan.maxEvents)});
  a.insert(a.end(), {"--keys", files + ".host.keys", "--record", files + ".host.replay"});
  a.insert(a.end(), plan.hostOptions.begin(), plan.hostOptions.end());
  return a;
}

}  // namespace

std::vector<Press> scriptedPresses(std::mt19937_64& random, int lastEvent, int every) {
  static constexpr std::array<const char*, 14> kKeys{"LEFT", "RIGHT", "UP", "DOWN", "P", "A",  "Z",
                                                     "S",    "Q",     "X",  "W",    "a", "90", "37"};
  std::vector<Press> presses;
  for (int e = 1; e <= lastEvent; ++e) {
    if (random() % every != 0) continue;
    const int count = random() % 5 == 0 ? 2 : 1;
    for (int i = 0; i < count; ++i) presses.push_back({e, kKeys[random() % kKeys.size()]});
  }
  return presses;
}

FightPlan plannedFight(std::uint64_t seed, int inputDelay, int every, int maxEvents) {
  std::mt19937_64 random(seed);
  FightPlan plan;
  plan.p0 = static_cast<int>(random() % 8);
  plan.p1 = static_cast<int>(random() % 8);
  plan.seed = seed;
  plan.speed = static_cast<int>(3 + random() % 8);
  plan.inputDelay = inputDelay;
  plan.maxEvents = maxEvents;
  plan.hostPresses = scriptedPresses(random, plan.maxEvents, every);
  plan.joinerPresses = scriptedPresses(random, plan.maxEvents, every);
  return plan;
}

std::string mergedKeys(const FightPlan& plan) {
  struct Line {
    int event;
    std::string key;
  };
  std::vector<Line> lines;
  for (const Press& p : plan.hostPresses) lines.push_back({p.event + plan.inputDelay, p.key});
  for (const Press& p : plan.joinerPresses) lines.push_back({p.event + plan.inputDelay, "2:" + p.key});
  std::stable_sort(lines.begin(), lines.end(),
                   [](const Line& a, const Line& b) { return a.event < b.event; });
  std::string text;
  for (const Line& l : lines) text += std::to_string(l.event) + " " + l.key + "\n";
  return text;
}

Finished localFight(const FightPlan& plan, const std::string& files) {
  writeFile(files + ".keys", mergedKeys(plan));
  return runSim({"fight", std::to_string(plan.p0), std::to_string(plan.p1), "--versus", "--seed",
                 std::to_string(plan.seed), "--speed", std::to_string(plan.speed), "--timer-resolution", "10",
                 "--max-events", std::to_string(plan.maxEvents), "--keys", files + ".keys", "--trace"},
                files, milliseconds(60000));
}

OnlineFight::OnlineFight(const FightPlan& plan, const Impairment& toHost, const Impairment& toJoiner,
                         std::uint64_t relaySeed, const std::string& files, ImpairedRelay::Tap tap)
    : OnlineFight(plan, files) {
  relay = std::make_unique<ImpairedRelay>(hostPort, toHost, toJoiner, relaySeed, std::move(tap));
  join("127.0.0.1:" + std::to_string(relay->frontPort()));
}

OnlineFight::OnlineFight(const FightPlan& plan, const std::string& hostName, const std::string& files)
    : OnlineFight(plan, files) {
  join(hostName + ":" + std::to_string(hostPort));
}

OnlineFight::OnlineFight(const FightPlan& plan, const std::string& files) : plan_(plan), files_(files) {
  writeFile(files + ".host.keys", keysText(plan.hostPresses));
  host = std::make_unique<SimProcess>(hostArguments(plan, files), files + ".host");
  const std::optional<std::string> listening = host->firstErrorLine(milliseconds(20000));
  if (listening && jsonValue(*listening, "net") == "\"listening\"") {
    hostPort = static_cast<std::uint16_t>(std::atoi(jsonValue(*listening, "port").c_str()));
    code = jsonValue(*listening, "code");
    if (code.size() == 11) code = code.substr(1, 9);
  }
  if (hostPort == 0 || code.size() != 9)
    throw std::runtime_error("the host told no port and code; its standard error:\n" + host->err());
}

void OnlineFight::join(const std::string& where) {
  writeFile(files_ + ".joiner.keys", keysText(plan_.joinerPresses));
  std::vector<std::string> a{"fight", "--versus", "--join", where + "/" + code};
  a.insert(a.end(), {"--trace", "--keys", files_ + ".joiner.keys", "--record", files_ + ".joiner.replay"});
  a.insert(a.end(), plan_.joinerOptions.begin(), plan_.joinerOptions.end());
  joiner = std::make_unique<SimProcess>(a, files_ + ".joiner");
}

OnlineFight::Ends OnlineFight::finish(milliseconds bound) {
  const auto end = std::chrono::steady_clock::now() + bound;
  auto left = [&] {
    return std::max(milliseconds(0),
                    std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now()));
  };
  Ends ends;
  ends.host.status = host->wait(left());
  ends.joiner.status = joiner->wait(left());
  ends.host.out = host->out();
  ends.host.err = host->err();
  ends.joiner.out = joiner->out();
  ends.joiner.err = joiner->err();
  return ends;
}

void expectTheLocalFightOnBoth(const Finished& local, const OnlineFight::Ends& ends,
                               const std::string& files) {
  ASSERT_EQ(local.status, 0) << local.err;
  EXPECT_TRUE(sameLines(fileText(files + ".host.replay"), fileText(files + ".joiner.replay")))
      << "the recordings";
  for (const auto& [peer, end] : {std::pair{"host", &ends.host}, std::pair{"joiner", &ends.joiner}}) {
    SCOPED_TRACE(peer);
    EXPECT_EQ(end->status, 0) << lastLines(end->err);
    EXPECT_TRUE(sameLines(local.out, end->out));
  }
}

std::optional<std::map<std::string, double>> netStats(const std::string& err) {
  const std::vector<std::string> lines = textLines(err);
  if (lines.empty()) return std::nullopt;
  const auto members = jsonMembers(lines.back());
  static constexpr std::array<const char*, 9> kKeys{"net",        "rollbacks",   "events_rerun",
                                                    "max_depth",  "waits",       "rtt_ms",
                                                    "packets_in", "packets_out", "packets_bad"};
  if (!members || members->size() != kKeys.size() || (*members)[0].key != "net" ||
      (*members)[0].value != "\"stats\"")
    return std::nullopt;
  std::map<std::string, double> stats;
  for (std::size_t i = 1; i < kKeys.size(); ++i) {
    const std::string value((*members)[i].value);
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    const bool jsonNumber = !value.empty() && (value[0] == '-' || (value[0] >= '0' && value[0] <= '9'));
    if ((*members)[i].key != kKeys[i] || !jsonNumber || *end != '\0') return std::nullopt;
    stats[kKeys[i]] = number;
  }
  return stats;
}

std::vector<std::string> textLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string firstLines(const std::string& text, std::size_t count) {
  std::string out;
  for (const std::string& line : textLines(text)) {
    if (count-- == 0) break;
    out += line + "\n";
  }
  return out;
}

std::string lastLines(const std::string& text, std::size_t count) {
  const std::vector<std::string> lines = textLines(text);
  std::string out;
  for (std::size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i)
    out += lines[i] + "\n";
  return out;
}

TestFiles::TestFiles() {
  std::string path = "/tmp/mojara-net-XXXXXX";
  if (::mkdtemp(path.data()) == nullptr) throw std::runtime_error("no temporary folder");
  dir_ = path;
}

TestFiles::~TestFiles() {
  if (::testing::Test::HasFailure() || std::uncaught_exceptions() > 0)
    std::cout << "The peers' keys, output and errors are kept in " << dir_ << "\n";
  else
    std::filesystem::remove_all(dir_);
}

std::string jsonValue(const std::string& line, const std::string& key) {
  if (const auto members = jsonMembers(line))
    for (const JsonMember& m : *members)
      if (m.key == key) return std::string(m.value);
  return {};
}

}  // namespace mojara::testing

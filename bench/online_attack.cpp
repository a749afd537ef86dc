// What an attacker gets out of a real host (mojara-sim --host on 127.0.0.1): the bytes it answers
// a stranger without the room's code per byte the stranger sent, the host's memory while a joiner
// with the code floods it with presses and checksums of events far ahead for 25 s, and how long
// the host takes to let go a joiner that never moves the fight on. Prints one table.
//
//   bin/online_attack [FLOOD_SECONDS]        (from the build; default 25)
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "net/attacker.h"
#include "net/sim_process.h"

namespace {

using namespace mojara;
using namespace mojara::testing;
using namespace std::chrono_literals;

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// A host waiting on 127.0.0.1, its port and room code as it said them.
struct Host {
  std::unique_ptr<SimProcess> process;
  std::uint16_t port = 0;
  std::string code;

  Host(const std::string& files, const std::vector<std::string>& options) {
    std::vector<std::string> a{"fight", "0", "1", "--versus", "--host", "0", "--bind", "127.0.0.1"};
    a.insert(a.end(), options.begin(), options.end());
    process = std::make_unique<SimProcess>(a, files);
    const auto line = process->firstErrorLine(20000ms).value_or("");
    const auto port_ = line.find("\"port\":"), code_ = line.find("\"code\":\"");
    if (port_ == std::string::npos || code_ == std::string::npos)
      throw std::runtime_error("the host said no port and code: " + process->err());
    port = static_cast<std::uint16_t>(std::atoi(line.c_str() + port_ + 7));
    code = line.substr(code_ + 8, 9);
  }
};

std::string folder() {
  std::string path = "/tmp/mojara-attack-XXXXXX";
  if (::mkdtemp(path.data()) == nullptr) throw std::runtime_error("no temporary folder");
  return path;
}

// One stranger: the k-th datagram, sent from one of `sockets` ports of `from` in turn.
struct Stranger {
  const char* what;
  int sockets;
  std::function<std::string(int k)> from;  // the socket's local address
  std::function<std::vector<std::uint8_t>(std::mt19937_64&, int k)> datagram;
};

constexpr const char* kRoom = "MJRA-BNCH";

void strangerRow(const Stranger& s, const std::string& files) {
  const Host host(files, {"--code", kRoom});
  std::vector<std::unique_ptr<AttackSocket>> sockets;
  for (int k = 0; k < s.sockets; ++k) sockets.push_back(std::make_unique<AttackSocket>(s.from(k)));
  std::mt19937_64 random(7);
  constexpr int kCount = 4000;
  const auto began = Clock::now();
  for (int k = 0; k < kCount; ++k) {
    AttackSocket& socket = *sockets[k % sockets.size()];
    socket.send(loopback(host.port), s.datagram(random, k));
    socket.drain();
    if (k % 4 == 3) std::this_thread::sleep_for(1ms);
  }
  const double seconds = secondsSince(began);
  for (int k = 0; k < 20; ++k) {
    std::this_thread::sleep_for(10ms);
    for (auto& socket : sockets) socket->drain();
  }
  std::uint64_t sent = 0, bytes = 0, answers = 0, answered = 0;
  for (const auto& socket : sockets) {
    sent += socket->sent;
    bytes += socket->bytesSent;
    answers += socket->answers.size();
    answered += socket->bytesAnswered;
  }
  std::printf("  %-58s %6llu %9llu %6llu %8llu %9.4f %7.1f  %s\n", s.what,
              static_cast<unsigned long long>(sent), static_cast<unsigned long long>(bytes),
              static_cast<unsigned long long>(answers), static_cast<unsigned long long>(answered),
              bytes ? static_cast<double>(answered) / bytes : 0.0, answers / seconds,
              host.process->running() ? "waiting" : "ENDED");
  std::fflush(stdout);
}

std::vector<std::uint8_t> randomBytes(std::mt19937_64& random, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

// A joiner with the code that keeps the fight going (so that the host does not let it go) and
// between its real datagrams floods inputs of events far ahead; the host's memory each second.
void floodRow(int floodSeconds, const std::string& files) {
  // At 20 ms a timer period a fight in which nobody presses lasts some 35 s.
  const Host host(files, {"--timer-resolution", "20", "--max-events", "100000"});
  KeyedJoiner joiner(host.port, host.code);
  if (!joiner.join(5s)) throw std::runtime_error("the flooding joiner was not welcomed");
  for (int k = 0; k < 300 && !joiner.start(); ++k) joiner.receive(10ms);
  if (!joiner.start()) throw std::runtime_error("the host started no fight");
  const long long before = memoryOf(host.process->pid()).value_or(Memory{}).rssKb;
  const auto began = Clock::now();
  auto nextBeat = began, nextLook = began + 1s;
  std::uint64_t flood = 0;
  std::vector<long long> rss;
  long long peak = 0;
  while (host.process->running() && secondsSince(began) < floodSeconds) {
    joiner.receive();
    if (Clock::now() >= nextBeat) {
      joiner.send(joiner.keepingUp());
      nextBeat += 10ms;
    }
    joiner.send(farFuture(joiner.start()->fight, 1000 + 32 * static_cast<std::uint32_t>(flood++)));
    if (Clock::now() >= nextLook) {
      const auto m = memoryOf(host.process->pid());
      if (!m) break;
      rss.push_back(m->rssKb);
      peak = std::max(peak, m->peakKb);
      nextLook += 1s;
    }
    std::this_thread::sleep_for(200us);
  }
  const double seconds = secondsSince(began);
  std::printf("  %.1f s of %llu flood datagrams (%.0f a second, %llu bytes) with the fight kept going%s\n",
              seconds, static_cast<unsigned long long>(flood), flood / seconds,
              static_cast<unsigned long long>(joiner.socket.bytesSent),
              host.process->running() ? "" : " (the host ended)");
  std::printf("  host VmRSS before %lld kB, after each second:", before);
  for (long long kb : rss) std::printf(" %lld", kb);
  std::printf("\n  host VmHWM (most ever) %lld kB; the fight had run to event %lld\n", peak,
              joiner.hostPresses());
  std::fflush(stdout);
}

// A joiner with the code that joins and then misbehaves: seconds to the host's end.
struct Misdeed {
  const char* what;
  std::chrono::microseconds every;  // 0: says nothing more after beginning
  std::function<mojara::net::Message(const KeyedJoiner&)> says;
};

void misdeedRow(const Misdeed& m, const std::string& files) {
  const Host host(files, {"--timer-resolution", "10", "--max-events", "3000"});
  KeyedJoiner joiner(host.port, host.code);
  if (!joiner.join(5s)) throw std::runtime_error("the joiner was not welcomed");
  for (int k = 0; k < 300 && !joiner.start(); ++k) joiner.receive(10ms);
  if (!joiner.start()) throw std::runtime_error("the host started no fight");
  const auto began = Clock::now();
  if (m.every.count() == 0) {
    net::Inputs begun;  // the fight begins here, and then not a word
    begun.fight = joiner.start()->fight;
    joiner.send(begun);
  }
  while (host.process->running() && secondsSince(began) < 60) {
    if (m.every.count() > 0) joiner.send(m.says(joiner));
    joiner.receive();
    std::this_thread::sleep_for(m.every.count() > 0 ? m.every : std::chrono::microseconds(10ms));
  }
  const double seconds = secondsSince(began);
  const auto status = host.process->wait(1000ms);
  const std::string out = host.process->out();
  const auto end = out.find("\"end\":");
  std::printf("  %-58s %8.2f  exit %s  %s\n", m.what, seconds,
              status ? std::to_string(*status).c_str() : "none (killed)",
              end == std::string::npos ? "no end line" : out.substr(end, out.find(',', end) - end).c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int floodSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
  const std::string dir = folder();
  std::printf("mojara-sim %s against attackers on 127.0.0.1\n\n", runnersVersion().c_str());

  const net::RoomKey& otherRoom = roomKey("ZZZZ-ZZZZ");
  // A hello of the room's own, as a stranger who saw one go by has it (here made with the code).
  const std::vector<std::uint8_t> copied = helloDatagram(roomKey(kRoom), 0x5eed);

  auto one = [](int) { return std::string("127.0.0.1"); };
  const std::vector<Stranger> strangers{
      {"junk, 1 to 1400 bytes", 1, one,
       [](std::mt19937_64& r, int) { return randomBytes(r, 1 + r() % 1400); }},
      {"hellos of another room (a wrong code), one port", 1, one,
       [&](std::mt19937_64& r, int) { return helloDatagram(otherRoom, r()); }},
      {"hellos of another room, 256 source ports", 256, one,
       [&](std::mt19937_64& r, int) { return helloDatagram(otherRoom, r()); }},
      {"one hello of the room's, seen and copied, 16 addresses", 16,
       [](int k) { return "127.0.0." + std::to_string(2 + k); },
       [&](std::mt19937_64&, int) { return copied; }},
      {"hellos of another room, 16 source addresses", 16,
       [](int k) { return "127.0.0." + std::to_string(2 + k); },
       [&](std::mt19937_64& r, int) { return helloDatagram(otherRoom, r()); }},
  };
  std::printf("A stranger without the code at a waiting host (4000 datagrams each):\n");
  std::printf("  %-58s %6s %9s %6s %8s %9s %7s  %s\n", "", "sent", "bytes", "answ", "bytes", "answ/sent",
              "answ/s", "host");
  for (std::size_t i = 0; i < strangers.size(); ++i)
    strangerRow(strangers[i], dir + "/stranger" + std::to_string(i));

  std::printf("\nA joiner with the code flooding presses and checksums of far-off events:\n");
  floodRow(floodSeconds, dir + "/flood");

  std::printf(
      "\nA joiner with the code that never moves the fight on: seconds from its first misdeed to the "
      "host's end\n");
  const std::vector<Misdeed> misdeeds{
      {"silent after beginning the fight", 0us, {}},
      {"heartbeat only: its pick, every 20 ms", 20ms,
       [](const KeyedJoiner&) { return net::Message{net::Pick{}}; }},
      {"heartbeat only: inputs without presses, every 20 ms", 20ms,
       [](const KeyedJoiner& j) {
         net::Inputs in;
         in.fight = j.start()->fight;
         return net::Message{in};
       }},
      {"acknowledges what was never sent, every 20 ms", 20ms,
       [](const KeyedJoiner& j) {
         net::Inputs in;
         in.fight = j.start()->fight;
         in.pressesAck = in.checksAck = in.bothHave = 0xFFFFFFFFu;
         return net::Message{in};
       }},
  };
  for (std::size_t i = 0; i < misdeeds.size(); ++i)
    misdeedRow(misdeeds[i], dir + "/misdeed" + std::to_string(i));
  std::filesystem::remove_all(dir);
  return 0;
}

#include "sim/online_run.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <sstream>

#include "net/fight_start.h"
#include "net/online_peer.h"
#include "net/udp_socket.h"
#include "play/input/input_file.h"
#include "play/session/room_code.h"
#include "sim/json.h"

namespace mojara::sim {

namespace {

using net::Clock;
using net::OnlinePeer;

// Set-up options the host alone gives.
constexpr const char* kHostsOptions[] = {
    "--seed", "--speed", "--pow", "--score", "--max-events", "--timer-resolution", "--input-delay", "--demo"};

// The run's own presses, by event; SPACE, the pause key, is dropped: it does nothing online.
std::map<long long, std::vector<int>> ownPresses(const std::vector<KeyPress>& keys) {
  std::map<long long, std::vector<int>> byEvent;
  for (const KeyPress& press : keys) {
    if (press.player != 0)
      throw InputError(
          "keys file: in an online fight it holds this player's own presses only (EVENT KEY, no 2:)");
    std::vector<int>& codes = byEvent[press.event];
    codes.push_back(press.code);
    if (codes.size() > static_cast<std::size_t>(net::kMaxPressesPerEvent))
      throw InputError("keys file: more than " + std::to_string(net::kMaxPressesPerEvent) +
                       " presses before event " + std::to_string(press.event));
  }
  return byEvent;
}

std::string statsLine(const net::NetFigures& f) {
  char rtt[32];
  std::snprintf(rtt, sizeof rtt, "%.1f", f.rttMs);
  std::ostringstream s;
  s << "{\"net\":\"stats\",\"rollbacks\":" << f.fight.rollbacks << ",\"events_rerun\":" << f.fight.eventsRerun
    << ",\"max_depth\":" << f.fight.maxDepth << ",\"waits\":" << f.fight.waits << ",\"rtt_ms\":" << rtt
    << ",\"packets_in\":" << f.packetsIn << ",\"packets_out\":" << f.packetsOut
    << ",\"packets_bad\":" << f.packetsBad << "}";
  return s.str();
}

// Interrupted (Ctrl+C, or told to end): the peer is told it left, so that it ends at once.
volatile std::sig_atomic_t interrupted = 0;
void interrupt(int) { interrupted = 1; }

class Interruptions {
 public:
  Interruptions() {
    struct sigaction action {};
    action.sa_handler = interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &oldInt_);
    sigaction(SIGTERM, &action, &oldTerm_);
  }
  ~Interruptions() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
  }
  // Whether the run was interrupted; the peer has been told.
  static bool leftBy(OnlinePeer& peer) {
    if (interrupted && peer.link() != OnlinePeer::Link::Lost) peer.leave();
    return interrupted != 0;
  }

 private:
  struct sigaction oldInt_ {
  }, oldTerm_{};
};

// Polls until `done` or `until`, sleeping on the socket in between.
template <typename Done>
void pollUntil(OnlinePeer& peer, Clock::time_point until, Done done) {
  for (auto now = Clock::now(); !done() && now < until && !Interruptions::leftBy(peer); now = Clock::now()) {
    peer.poll(now);
    if (done()) break;
    peer.waitUntil(now, std::min(until, now + std::chrono::milliseconds(10)));
  }
}

}  // namespace

void addOnlineArguments(CLI::App& app, OnlineOptions& o) {
  cli::addValue(
      app, "--host", "PORT",
      "Plays a --versus fight online as player 1: waits for a peer on this UDP port (0: any free "
      "port, told on standard error) and gives it the fight's set-up",
      [&o](const std::string& v) { o.hostPort = cli::wholeNumber<std::uint16_t>("--host", v, 0, 65535); });
  cli::addValue(app, "--bind", "ADDRESS", "The host's address to listen on; default all of this machine's",
                [&o](const std::string& v) { o.bind = v; });
  cli::addValue(
      app, "--join", "HOST:PORT[/CODE]",
      "Plays a --versus fight online as player 2, with the host there (the invitation HOST:PORT/CODE "
      "gives its room code too)",
      [&o](const std::string& v) { o.join = v; });
  cli::addValue(
      app, "--code", "CODE",
      "Online, the room's code (ABCD-EFGH; case and dash do not matter): the host's own (default: one "
      "drawn at random), or the host's to join",
      [&o](const std::string& v) { o.code = v; });
  cli::addValue(
      app, "--input-delay", "D",
      "Online, the events a press waits before it acts, on both peers, 0 to 8; default " +
          std::to_string(net::kDefaultInputDelay),
      [&o](const std::string& v) { o.inputDelay = cli::wholeNumber<int>("--input-delay", v, 0, 8); });
  cli::addValue(app, "--connect-timeout", "S",
                "Online, how long to wait for the peer at the start; default 30",
                [&o](const std::string& v) {
                  o.connectSeconds = cli::wholeNumber<int>("--connect-timeout", v, 1, 3600);
                })
      ->group("");
}

int runOnlineFight(const CLI::App& fight, FightArguments& a, const OnlineOptions& o,
                   const std::string& version, const std::string& programFolder, std::ostream& out,
                   std::ostream& err) {
  const bool hosting = o.hostPort.has_value();
  if (hosting && !o.join.empty())
    throw cli::UsageError("--host and --join cannot go together: a peer is one or the other");
  if (!a.setup.fight.versus) throw cli::UsageError("--host and --join play a --versus fight: give --versus");
  if (!a.replay.empty()) throw cli::UsageError("--replay plays a recorded fight, not an online one");
  if (!hosting && !o.bind.empty()) throw cli::UsageError("--bind is the host's");
  if (!hosting) {
    if (!a.setup.rosterSlots.empty())
      throw cli::UsageError("the host picks the fighters: --join takes no P0 P1");
    for (const char* option : kHostsOptions)
      if (fight.count(option) > 0)
        throw cli::UsageError(std::string(option) + " is the host's to give, not the joiner's");
    a.setup.rosterSlots = {"0", "1"};  // replaced by the host's set-up
  }
  // The room: the host's code given or drawn, the joiner's given with --code or in the invitation.
  std::optional<RoomCode> code;
  if (!o.code.empty() && !(code = RoomCode::parse(o.code)))
    throw cli::UsageError("--code: " + o.code +
                          " is not a room code (8 letters and digits, such as ABCD-EFGH)");
  std::string where = o.join;
  if (!hosting) {
    const Invitation invitation = readInvitation(o.join);
    if (invitation.notACode) throw cli::UsageError("--join: " + *invitation.notACode + " is not a room code");
    if (invitation.code && code && !(*invitation.code == *code))
      throw cli::UsageError("--join and --code give two different room codes");
    if (invitation.code) code = invitation.code;
    if (!code) throw cli::UsageError("--join needs the host's room code: --code CODE, or HOST:PORT/CODE");
    where = invitation.address;
  }
  if (!code) code = net::RoomKey::randomCode();
  FightRun run = takeFightRun(a);
  run.programFolder = programFolder;
  const auto presses = ownPresses(run.recorded.keys);

  // The network, then the peer.
  const Interruptions interruptions;
  const auto begun = Clock::now();
  net::PeerSettings settings;
  settings.version = version;
  settings.rulesChecksum = battle::rulesChecksum();
  settings.connectTimeout = std::chrono::milliseconds(static_cast<long long>(o.connectSeconds * 1000));
  std::unique_ptr<OnlinePeer> peer;
  try {
    const net::RoomKey key(*code);
    if (hosting) {
      auto socket = std::make_unique<net::UdpSocket>(net::UdpSocket::bound(o.bind, *o.hostPort));
      err << "{\"net\":\"listening\",\"port\":" << socket->port() << ",\"code\":\"" << code->text() << "\"}"
          << std::endl;
      peer = OnlinePeer::host(std::move(socket), key, settings, Clock::now());
    } else {
      const net::Address address = net::resolveHostAndPort(where, std::nullopt);
      peer = OnlinePeer::join(std::make_unique<net::UdpSocket>(net::UdpSocket::towards(address)), address,
                              key, settings, Clock::now());
    }
  } catch (const net::NetError& e) {
    err << "mojara-sim: " << e.what() << "\n";
    return 2;
  }

  // The handshake, and the fight's set-up.
  const auto connectBound = begun + settings.connectTimeout + std::chrono::seconds(1);
  pollUntil(*peer, connectBound, [&] { return peer->link() != OnlinePeer::Link::Waiting; });
  if (peer->link() == OnlinePeer::Link::Refused) {
    err << "mojara-sim: " << peer->problem() << "\n";
    return 2;
  }
  FightRun local = run;
  std::optional<net::Start> start;
  if (peer->link() == OnlinePeer::Link::Connected) {
    if (hosting) {
      net::Start mine;
      mine.setup = run.recorded.fight;
      if (!mine.setup.seed) mine.setup.seed = 1;
      mine.inputDelay = static_cast<std::uint8_t>(o.inputDelay.value_or(net::kDefaultInputDelay));
      mine.timerResolution = run.timerResolution;
      mine.maxEvents = run.maxEvents;
      peer->start(mine, Clock::now());
    }
    pollUntil(*peer, Clock::now() + settings.connectTimeout, [&] {
      start = peer->takeStart();
      return start.has_value() || peer->link() != OnlinePeer::Link::Connected;
    });
  }
  if (!start) {
    // No fight began: nothing ran, and the end line says so.
    const bool connected = peer->link() == OnlinePeer::Link::Connected;
    if (connected) peer->leave();
    err << "mojara-sim: "
        << (interrupted ? std::string(hosting && !peer->peerAddress() ? "stopped before anyone joined"
                                                                      : "stopped before the fight began")
            : connected ? std::string(hosting ? "the other player began no fight" : "the host sent no fight")
                        : peer->problem())
        << "\n";
    FightOutcome none = outcomeOf(Module1{}, "disconnected", 0);
    if (hosting) {
      local.maxEvents = 0;
      none = runFight(local, nullptr);
      none.end = "disconnected";
    }
    out << endLine(none) << "\n";
    err << statsLine(peer->figures()) << "\n";
    return 1;
  }
  local.recorded.fight = start->setup;
  local.timerResolution = start->timerResolution;
  local.maxEvents = start->maxEvents;
  local.recorded.keys.clear();

  // The fight, in real time.
  const net::LoadedFight loaded = net::loadOnlineFight(*start, local.programFolder);
  peer->begin(loaded.state, loaded.rules, Clock::now());
  long long delivered = 0;
  while (peer->fightEnd() == OnlinePeer::FightEnd::None && !Interruptions::leftBy(*peer)) {
    auto now = Clock::now();
    peer->poll(now);
    const long long next = peer->fight()->ran() + 1;
    if (next > delivered) {
      if (const auto it = presses.find(next); it != presses.end())
        for (int code : it->second) peer->press(static_cast<std::uint16_t>(code));
      delivered = next;
    }
    peer->runDue(now);
    if (peer->fightEnd() != OnlinePeer::FightEnd::None) break;
    now = Clock::now();
    peer->waitUntil(now, std::min(peer->eventDue(), now + std::chrono::milliseconds(20)));
  }
  // A moment longer for the peer to end too.
  pollUntil(*peer, Clock::now() + std::chrono::seconds(1),
            [&] { return !peer->peerStillNeeds(Clock::now()); });
  peer->finish();

  // What both peers print: the local versus fight of the presses both confirmed.
  const OnlinePeer::FightEnd end = peer->fightEnd();
  const long long through = peer->endEvent();
  local.recorded.keys = peer->mergedPresses(through);
  if (end != OnlinePeer::FightEnd::Over) local.maxEvents = std::min(local.maxEvents, through);
  FightOutcome outcome = runFight(local, local.trace ? &out : nullptr);
  int status = 0;
  if (end == OnlinePeer::FightEnd::Over) {
    if (outcome.events != through || outcome.checksum != peer->fight()->confirmedChecksum(through)) {
      out << endLine(outcome) << "\n";
      err << "mojara-sim: the online fight and its replay parted at the end (event " << through << ")\n";
      err << statsLine(peer->figures()) << "\n";
      return 1;
    }
  } else {
    outcome.end = end == OnlinePeer::FightEnd::Desync ? "desync" : "disconnected";
    status = 1;
  }
  out << endLine(outcome) << "\n";
  out.flush();
  if (end == OnlinePeer::FightEnd::Desync)
    err << "mojara-sim: the two peers' fights parted at event " << through << "\n";
  else if (end == OnlinePeer::FightEnd::Lost)
    err << "mojara-sim: " << peer->problem() << "\n";
  err << statsLine(peer->figures()) << "\n";
  return status;
}

}  // namespace mojara::sim

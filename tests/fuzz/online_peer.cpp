// An online fight between two ends in one process, over the tests' wire on a clock of the
// target's own, while the input plays a third party who holds the room's key: it has seen every
// datagram, so it knows the session and each end's numbers, and it seals datagrams either way.
// Both players press keys of a fixed draw. Whatever the third party sends or does to the wire:
//   - nothing crashes, and at every step neither end keeps more of the other's presses or
//     checksums than its prediction window can use;
//   - both fights have ended (over, desync or lost) within twice the fight's time, twice the
//     silence timeout and a second after the script;
//   - each end ends at an event it confirmed and, but on a desync, after every event it knew both
//     knew of as it ran (what a recording holds while the fight runs);
//   - an end whose fight is over has its own player's presses exactly as pressed, and its record,
//     played from the start, is the fight it confirmed at its end;
//   - when both are over, they recorded the same presses and the same fight to the same end;
//   - neither calls a desync on fights that never parted;
//   - when the third party only let time pass, both fights are over and neither end took a
//     datagram of the other's for a bad one.
// A key holder is as good as the other player's program for what it says: presses, checksums or
// a desync of its own, that a player left or a fight starts. What it said where an end could hear
// it lifts what that can change: its presses the two records' agreement, its presses, checksums
// or desync the no-desync, a leaving or a start the events both knew of.
//
// The input is a byte of the wire's delays (host to joiner in its low four bits, back in its high
// four, 5 ms each), then a script of at most kMostSteps steps and kMostScriptTime, each step a
// byte saying which, then its own bytes (zeros past the end of the input):
//   0 time passes: 1 + B ms, both ends running
//   1 one end stalls (its program stopped): B bit 0 which, 32 * (1 + B2) ms; the other runs
//   2-7 into one end, sealed with the key: Inputs, Pick, Start, Bye, Hello, a welcome or a refusal;
//       first a header (which end, from whom, session, number, how many times, the clocks), then
//       the message, whose events are counted from where either end stands
//   8 the honest datagrams one way: passed, dropped, doubled or held back (let go in reverse
//     order when the way is passed again, and at the script's end)
//   9 an honest datagram seen on the wire earlier, sent again
//   10 a player leaves (B bit 0 which)
#include "net/online_peer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <deque>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "battle/fight.h"
#include "fuzz_target.h"
#include "net/fight_start.h"
#include "net/memory_wire.h"

using namespace mojara;
using namespace std::chrono_literals;
using net::Clock;
using net::OnlinePeer;
using testing::MemoryWire;

namespace {

constexpr int kMostSteps = 64;
constexpr auto kMostScriptTime = 10s;
constexpr long long kEvents = 200;  // the fight's limit: 2 s of 10 ms events
constexpr auto kPeriod = 10ms;
constexpr int kDelay = 2;
constexpr int kLimit = net::kDefaultPredictionLimit;
constexpr auto kSilence = 5s;
// The other runs at most the prediction limit past this end's presses, and sets its own the
// input delay and one event ahead of what it runs: nothing beyond is kept.
constexpr long long kKept = kLimit + kDelay + 1;
constexpr std::uint16_t kKeys[] = {'A', 'Z', 'S', 'Q', 'X', 'W', 37, 38, 39};
constexpr std::size_t kMostHeld = 256;

net::Start fightStart() {
  net::Start start;
  start.setup = practiceFight(2, 5);
  start.setup.seed = 11;
  start.inputDelay = kDelay;
  start.timerResolution = std::chrono::nanoseconds(kPeriod).count();
  start.maxEvents = kEvents;
  return start;
}

// Made once: the room's keys take tens of milliseconds to make.
struct Room {
  net::RoomKey key{*RoomCode::parse("ABCD-EFGH")};
  net::LoadedFight loaded = net::loadOnlineFight(fightStart(), MOJARA_BIN_DIR);
};
const Room& room() {
  static const Room made;
  return made;
}

class Script {
 public:
  Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool over() const { return at_ >= size_; }
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  int delta() { return static_cast<std::int8_t>(byte()); }
  template <typename T>
  T number() {
    std::uint64_t n = 0;
    for (std::size_t k = 0; k < sizeof(T); ++k) n |= std::uint64_t{byte()} << (8 * k);
    return static_cast<T>(n);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

class Match {
 public:
  Match() {
    for (int i : {0, 1}) {
      addresses_[i] = testing::loopbackAddress(1 + i, i == 0 ? 4913 : 5000);
      players_[i].draw.seed(1 + i);
    }
    net::PeerSettings settings;
    settings.version = "1.0";
    settings.rulesChecksum = battle::rulesChecksum();
    settings.silenceTimeout = kSilence;
    settings.predictionLimit = kLimit;
    wire_.pass = [this](MemoryWire::Datagram& d) { return pass(d); };
    peers_[0] = OnlinePeer::host(wire_.end(1, 4913), room().key, settings, now_);
    peers_[1] = OnlinePeer::join(wire_.end(2, 5000), addresses_[0], room().key, settings, now_);
    for (int k = 0; k < 20; ++k) run(1ms);
    for (const auto& p : peers_) require(p->link() == OnlinePeer::Link::Connected, "the two ends connect");
    peers_[0]->start(fightStart(), now_);
    run(1ms);
    require(peers_[1]->takeStart().has_value(), "the joiner hears the start");
    peers_[1]->begin(room().loaded.state, room().loaded.rules, now_);
    run(1ms);
    require(peers_[0]->takeStart().has_value(), "the host hears that the joiner began");
    peers_[0]->begin(room().loaded.state, room().loaded.rules, now_);
    fight_ = peers_[0]->fightStart().fight;
  }

  void play(Script& in) {
    // The wire's delay each way, from the first byte: 0 to 75 ms.
    const std::uint8_t delays = in.byte();
    ways_[0].delay = 5ms * (delays & 15);
    ways_[1].delay = 5ms * (delays >> 4);
    const Clock::time_point scriptEnd = now_ + kMostScriptTime;
    bool onlyTime = true;
    for (int step = 0; step < kMostSteps && !in.over() && now_ < scriptEnd; ++step) {
      const int op = in.byte() % 11;
      onlyTime = onlyTime && op == 0;
      if (op == 0) {
        run(std::min<Clock::duration>(1ms * (1 + in.byte()), scriptEnd - now_));
      } else if (op == 1) {
        const int stalled = in.byte() & 1;
        run(std::min<Clock::duration>(32ms * (1 + in.byte()), scriptEnd - now_), stalled != 0, stalled != 1);
      } else if (op <= 7) {
        inject(in, op);
      } else if (op == 8) {
        const std::uint8_t b = in.byte();
        setWay(b & 1, static_cast<Way::Mode>((b >> 1) % 4));
      } else if (op == 9) {
        replay(in.byte() & 1, in.byte());
      } else {
        peers_[in.byte() & 1]->leave();
      }
    }
    for (int way : {0, 1}) setWay(way, Way::Pass);
    // Long enough for what is left of the fight at half its pace, and for one end then the other
    // to find the other silent or stuck.
    const Clock::time_point deadline = now_ + 2 * kEvents * kPeriod + 2 * kSilence + 1s;
    while (!(ended(0) && ended(1)) && now_ < deadline) run(kPeriod);
    require(ended(0) && ended(1), "both fights end within their time and twice the silence timeout");
    check(onlyTime);
  }

 private:
  struct Way {  // the honest datagrams from one end
    enum Mode { Pass, Drop, Double, Hold } mode = Pass;
    Clock::duration delay{};
    std::deque<std::pair<Clock::time_point, MemoryWire::Datagram>> flying;
    std::vector<MemoryWire::Datagram> held;
  };
  struct Player {
    std::mt19937 draw;
    long long pressedFor = 0;           // the event the last look at pressing was before
    long long bothKnew = 0;             // the most the end knew both knew of, as it ran
    std::vector<net::Presses> pressed;  // what the player pressed, by the event it acts before
    bool finished = false;
  };
  struct Said {  // what the third party said that only the other player's program may say
    bool presses = false, checks = false, desync = false;
    bool ending = false;  // that a player left, or a start
  };

  bool ended(int i) const { return peers_[i]->fightEnd() != OnlinePeer::FightEnd::None; }

  // A property, with where both ends stood when it broke.
  void require(bool holds, const char* property) const {
    if (holds) return;
    for (int i : {0, 1}) {
      const OnlinePeer& peer = *peers_[i];
      const net::RollbackFight* fight = peer.fight();
      constexpr const char* kEnds[] = {"none", "over", "desync", "lost"};
      std::fprintf(stderr,
                   "%s at %lld ms: end %s at %lld, ran %lld, presses %lld + %lld, confirmed %lld, "
                   "both knew %lld, bad datagrams %lld; %s\n",
                   i == 0 ? "host" : "joiner", static_cast<long long>((now_ - kStart) / 1ms),
                   kEnds[static_cast<int>(peer.fightEnd())], peer.endEvent(), fight ? fight->ran() : 0,
                   fight ? fight->localKnown() : 0, fight ? fight->remoteKnown() : 0,
                   fight ? fight->confirmed() : 0, players_[i].bothKnew, peer.figures().packetsBad,
                   peer.problem().c_str());
    }
    fuzz::require(false, property);
  }

  bool pass(MemoryWire::Datagram& d) {
    // Only the datagrams a replay may reach back to are kept.
    if (wire_.seen.size() > 2 * kMostHeld)
      wire_.seen.erase(wire_.seen.begin(), wire_.seen.begin() + kMostHeld);
    Way& way = ways_[d.from == addresses_[0] ? 0 : 1];
    switch (way.mode) {
      case Way::Pass:
      case Way::Double: {
        const int copies = way.mode == Way::Double ? 2 : 1;
        if (way.delay == Clock::duration{}) {
          if (copies == 2) wire_.inject(d.from, d.to, d.bytes);
          return true;
        }
        for (int k = 0; k < copies; ++k) way.flying.emplace_back(now_ + way.delay, d);
        return false;
      }
      case Way::Drop:
        return false;
      case Way::Hold:
        if (way.held.size() < kMostHeld) way.held.push_back(d);
        return false;
    }
    return true;
  }

  // The session and the number of the last datagram an end sent, as the wire showed them.
  std::pair<std::uint32_t, std::uint32_t> lastSent(int from) const {
    for (auto d = wire_.seen.rbegin(); d != wire_.seen.rend(); ++d)
      if (d->from == addresses_[from] && d->bytes.size() > net::kTagSize)
        if (const auto read = net::decode({d->bytes.data(), d->bytes.size() - net::kTagSize}))
          return {read->session, read->sequence};
    return {0, 0};
  }

  void setWay(int from, Way::Mode mode) {
    Way& way = ways_[from];
    way.mode = mode;
    if (mode == Way::Hold) return;
    for (auto d = way.held.rbegin(); d != way.held.rend(); ++d) wire_.inject(d->from, d->to, d->bytes);
    way.held.clear();
  }

  void replay(int from, int back) {
    for (auto d = wire_.seen.rbegin(); d != wire_.seen.rend(); ++d)
      if (d->from == addresses_[from] && back-- == 0) return wire_.inject(d->from, d->to, d->bytes);
  }

  // The clock moves on by `span`, each end that runs polling at every event and heartbeat.
  void run(Clock::duration span, bool hostRuns = true, bool joinerRuns = true) {
    const bool runs[] = {hostRuns, joinerRuns};
    const Clock::time_point until = now_ + span;
    while (now_ < until) {
      Clock::time_point next = std::min(until, now_ + kPeriod);
      for (int i : {0, 1}) {
        if (runs[i]) next = std::min(next, std::max(now_ + 1ms, peers_[i]->eventDue()));
        if (!ways_[i].flying.empty())
          next = std::min(next, std::max(now_ + 1ms, ways_[i].flying.front().first));
      }
      now_ = next;
      for (Way& way : ways_)
        for (; !way.flying.empty() && way.flying.front().first <= now_; way.flying.pop_front()) {
          const MemoryWire::Datagram& d = way.flying.front().second;
          wire_.inject(d.from, d.to, d.bytes);
        }
      for (int i : {0, 1})
        if (runs[i]) step(i);
    }
  }

  void step(int i) {
    OnlinePeer& peer = *peers_[i];
    Player& player = players_[i];
    peer.poll(now_);
    if (peer.fighting() && peer.fight()->ran() + 1 > player.pressedFor) {
      // A look at the keys before each event: now and then one of them.
      player.pressedFor = peer.fight()->ran() + 1;
      if (player.draw() % 4 == 0) {
        const std::uint16_t key = kKeys[player.draw() % std::size(kKeys)];
        peer.press(key);
        const auto at = static_cast<std::size_t>(player.pressedFor + kDelay);
        if (player.pressed.size() < at) player.pressed.resize(at);
        player.pressed[at - 1].add(key);
      }
    }
    peer.runDue(now_);
    if (ended(i) && !player.finished && !peer.peerStillNeeds(now_)) {
      peer.finish();
      player.finished = true;
    }
    if (const net::RollbackFight* fight = peer.fight()) {
      if (!ended(i)) player.bothKnew = std::max(player.bothKnew, peer.bothKnow());
      require(fight->remoteKnown() <= fight->localKnown() + kKept,
              "an end keeps none of the other's presses beyond what it can use");
      require(peer.checksKept() <= static_cast<std::size_t>(kKept),
              "an end keeps none of the other's checksums beyond what it can compare");
    }
  }

  // An event number from where either end stands, moved by a few, or any.
  std::uint32_t counter(Script& in, const net::RollbackFight& to, const net::RollbackFight& from) {
    const int base = in.byte() % 8;
    if (base == 7) return in.number<std::uint32_t>();
    const long long at[] = {0,          to.ran(),         to.localKnown(), to.remoteKnown(), to.confirmed(),
                            from.ran(), from.localKnown()};
    return static_cast<std::uint32_t>(
        std::clamp<long long>(at[base] + in.delta(), 0, std::numeric_limits<std::uint32_t>::max()));
  }

  std::uint16_t key(Script& in) {
    const std::uint8_t b = in.byte();
    return b < 0xf0 ? kKeys[b % std::size(kKeys)] : in.number<std::uint16_t>();
  }

  // `heard`: sealed and sent so that the end may take it as the other's.
  net::Inputs inputs(Script& in, int to, bool heard) {
    const net::RollbackFight &mine = *peers_[to]->fight(), &theirs = *peers_[1 - to]->fight();
    net::Inputs m;
    m.fight = in.byte() % 8 == 7 ? in.number<std::uint16_t>() : fight_;
    Said said;
    for (std::uint32_t* n : {&m.ran, &m.pressesAck, &m.checksAck, &m.bothHave, &m.ended, &m.desyncAt})
      *n = counter(in, mine, theirs);
    said.desync = m.desyncAt != 0;
    // Presses: the other player's own (as seen on the wire), none, or keys of the input's.
    m.firstPress = counter(in, mine, theirs);
    const int presses = in.byte() % (net::kMaxEventsPerDatagram + 2), pressMode = in.byte() % 3;
    for (int k = 0; k < presses; ++k) {
      const long long event = static_cast<long long>(m.firstPress) + k;
      const bool known = event >= 1 && event <= theirs.localKnown();
      net::Presses p;
      if (pressMode == 0 && !known) break;
      if (pressMode == 0) p = theirs.localPresses(event);
      if (pressMode == 2)
        for (int c = in.byte() % (net::kMaxPressesPerEvent + 1); c > 0; --c) p.add(key(in));
      said.presses = said.presses || !known || !(p == theirs.localPresses(event));
      m.presses.push_back(p);
    }
    // Checksums: the other end's own, the receiver's own (read off its datagrams), or any.
    m.firstCheck = counter(in, mine, theirs);
    const int checks = in.byte() % (net::kMaxEventsPerDatagram + 2), checkMode = in.byte() % 3;
    for (int k = 0; k < checks; ++k) {
      const long long event = static_cast<long long>(m.firstCheck) + k;
      const net::RollbackFight& source = checkMode == 1 ? mine : theirs;
      if (checkMode != 2 && (event < 0 || event > source.confirmed())) break;
      const std::uint64_t sum = checkMode == 2 ? in.number<std::uint64_t>() : source.confirmedChecksum(event);
      said.checks =
          said.checks || event < 1 || event > theirs.confirmed() || sum != theirs.confirmedChecksum(event);
      m.checksums.push_back(sum);
    }
    if (heard && m.fight == fight_) {
      said_.presses = said_.presses || said.presses;
      said_.checks = said_.checks || said.checks;
      said_.desync = said_.desync || said.desync;
    }
    return m;
  }

  net::Start start(Script& in, int to) {
    net::Start m;
    const std::uint8_t which = in.byte() % 4;
    m.fight = which == 0 ? fight_ : which == 1 ? fight_ + 1 : which == 2 ? 0 : in.number<std::uint16_t>();
    m.setup.player = in.byte() % 9;
    m.setup.opponent = in.byte() % 9;
    m.setup.speed = in.byte() % 22;
    for (int side : {0, 1}) m.setup.pow[side] = in.byte() % 102, m.setup.score[side] = in.delta();
    m.setup.seed = in.byte();
    m.inputDelay = in.byte() % 10;
    const std::uint8_t resolution = in.byte();
    m.timerResolution = resolution == 0 ? fightStart().timerResolution : resolution * 1'000'000LL;
    const std::uint8_t events = in.byte() % 4;
    m.maxEvents = events == 0   ? kEvents
                  : events == 1 ? in.byte()
                  : events == 2 ? std::max(0LL, peers_[to]->fight()->confirmed() + in.delta())
                                : in.number<std::uint32_t>();
    return m;
  }

  net::Message message(Script& in, int op, int to, bool heard) {
    switch (op) {
      case 2:
        return inputs(in, to, heard);
      case 3:
        return net::Pick{static_cast<std::int8_t>(in.delta()), in.byte() % 3 == 1};
      case 4:
        return start(in, to);
      case 5: {
        const auto reason = static_cast<net::Bye::Reason>(in.byte() % 3);
        return net::Bye{reason, counter(in, *peers_[to]->fight(), *peers_[1 - to]->fight())};
      }
      case 6: {
        const std::uint8_t b = in.byte();
        return net::Hello{b & 1 ? "0.9" : "1.0", battle::rulesChecksum() + (b >> 1 & 1), in.byte()};
      }
      default:
        if (in.byte() & 1) return net::Welcome{in.byte()};
        return net::Refusal{static_cast<net::Refusal::Reason>(1 + in.byte() % 4), in.byte(), "1.0"};
    }
  }

  // A datagram sealed with the key, into one end, as from the other (or a stranger).
  void inject(Script& in, int op) {
    const std::uint8_t flags = in.byte(), more = in.byte();
    const int to = flags & 1, from = 1 - to;
    const bool stranger = (flags >> 1 & 3) == 3, wrongRole = flags & 8;
    const auto [realSession, lastNumber] = lastSent(from);
    std::uint32_t session = realSession;
    if ((flags >> 4 & 3) == 2) session = 0;
    if ((flags >> 4 & 3) == 3) session = in.number<std::uint32_t>();
    // Near the number the other last sent, or any.
    std::uint32_t sequence =
        flags >> 6 == 3 ? in.number<std::uint32_t>() : lastNumber + static_cast<std::uint32_t>(in.delta());
    net::Datagram d{session, 0, 0, 0, 0, {}};
    if (more & 0x08) d.stamp = in.number<std::uint32_t>();
    if (more & 0x10) d.echo = in.number<std::uint32_t>();
    if (more & 0x20) d.held = in.number<std::uint32_t>();
    const bool heard = !stranger && !wrongRole && session == realSession;
    d.message = message(in, op, to, heard);
    said_.ending = said_.ending || (heard && (op == 4 || op == 5));
    const net::Role sealer = from == 0 ? net::Role::Host : net::Role::Joiner;
    const net::Address fromAddress = stranger ? testing::loopbackAddress(9, 6000) : addresses_[from];
    for (int k = 0; k <= more % 8; ++k) {
      d.sequence = sequence++;
      std::vector<std::uint8_t> bytes = net::encode(d);
      room().key.seal(wrongRole ? net::otherRole(sealer) : sealer, bytes);
      wire_.inject(fromAddress, addresses_[to], std::move(bytes));
    }
  }

  void check(bool onlyTime) {
    for (int i : {0, 1}) {
      const OnlinePeer& peer = *peers_[i];
      const net::RollbackFight& fight = *peer.fight();
      const long long end = peer.endEvent();
      require(end >= 0 && end <= fight.confirmed(), "a fight ends at an event its end confirmed");
      if (peer.fightEnd() != OnlinePeer::FightEnd::Desync && !said_.ending)
        require(end >= players_[i].bothKnew, "a fight ends after every event its end knew both knew of");
      if (peer.fightEnd() != OnlinePeer::FightEnd::Over) continue;
      const std::vector<net::Presses>& pressed = players_[i].pressed;
      battle::FightState replay = room().loaded.state;
      for (long long event = 1; event <= end; ++event) {
        const auto e = static_cast<std::size_t>(event);
        require(fight.localPresses(event) == (e <= pressed.size() ? pressed[e - 1] : net::Presses{}),
                "an end's own player's presses are what that player pressed");
        const net::Presses &mine = fight.localPresses(event), &theirs = fight.remotePresses(event);
        const net::EventKeys keys =
            peer.player() == 1 ? net::EventKeys(mine, theirs) : net::EventKeys(theirs, mine);
        battle::advance(replay, room().loaded.rules, keys.downs());
      }
      require(battle::checksum(replay) == fight.confirmedChecksum(end),
              "an end's record of its fight, played from the start, is the fight it confirmed");
    }
    const OnlinePeer &host = *peers_[0], &joiner = *peers_[1];
    const bool bothOver =
        host.fightEnd() == OnlinePeer::FightEnd::Over && joiner.fightEnd() == OnlinePeer::FightEnd::Over;
    if (bothOver && !said_.presses) {
      require(host.endEvent() == joiner.endEvent(), "both ends' fights are over at the same event");
      require(host.mergedPresses(host.endEvent()) == joiner.mergedPresses(joiner.endEvent()),
              "both ends recorded the same presses");
      require(host.fight()->confirmedChecksum(host.endEvent()) ==
                  joiner.fight()->confirmedChecksum(joiner.endEvent()),
              "both ends confirmed the same fight at its end");
    }
    if (!said_.presses && !said_.checks && !said_.desync)
      for (const OnlinePeer* peer : {&host, &joiner})
        require(peer->fightEnd() != OnlinePeer::FightEnd::Desync,
                "no desync is called on fights that never parted");
    if (onlyTime) {
      require(bothOver, "a fight nobody meddles with is over on both ends");
      for (const OnlinePeer* peer : {&host, &joiner})
        require(peer->figures().packetsBad == 0, "no datagram of the other end's is taken for a bad one");
    }
  }

  MemoryWire wire_;
  static constexpr Clock::time_point kStart = Clock::time_point{} + 1000h;
  Clock::time_point now_ = kStart;
  std::array<net::Address, 2> addresses_;
  std::array<std::unique_ptr<OnlinePeer>, 2> peers_;
  std::array<Way, 2> ways_;
  std::array<Player, 2> players_;
  std::uint16_t fight_ = 0;
  Said said_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Script script(data, size);
  Match match;
  match.play(script);
  return 0;
}

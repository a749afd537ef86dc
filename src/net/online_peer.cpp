#include "net/online_peer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "app/battle_keys.h"

namespace mojara::net {

namespace {

using std::chrono::milliseconds;

constexpr auto kHelloEvery = milliseconds(250);
constexpr auto kStartEvery = milliseconds(50);
constexpr auto kFightHeartbeat = milliseconds(20);
constexpr auto kWindowHeartbeat = milliseconds(100);
// After its own end, a peer answers a moment longer for the other to end too; a peer that has
// all it needs ends on this much silence rather than waiting for the silence timeout.
constexpr auto kSettledSilence = milliseconds(1000);
constexpr int kSyncEvery = 8;       // events between looks at which peer is ahead
constexpr double kMaxSlipStep = 4;  // events a peer ahead slows by at most, at one look
constexpr int kMaxDatagramsAPoll = 256;

// A number no other session is likely to have drawn (never 0, which means "none yet").
std::uint32_t randomNumber() {
  std::random_device device;
  return device() | 1u;
}

double millisOf(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string secondsText(Clock::duration d) {
  return std::to_string(std::chrono::duration_cast<std::chrono::seconds>(d).count()) + " s";
}

}  // namespace

OnlinePeer::OnlinePeer(UdpSocket socket, PeerSettings settings, bool hosting, Clock::time_point now)
    : socket_(std::move(socket)), settings_(std::move(settings)), hosting_(hosting), began_(now), lastHeard_(now) {
  // A number of the joiner's own, so that the host's welcome is known for the answer to this
  // joiner's hello.
  nonce_ = randomNumber();
}

std::unique_ptr<OnlinePeer> OnlinePeer::host(UdpSocket socket, PeerSettings settings, Clock::time_point now) {
  return std::unique_ptr<OnlinePeer>(new OnlinePeer(std::move(socket), std::move(settings), true, now));
}

std::unique_ptr<OnlinePeer> OnlinePeer::join(UdpSocket socket, const Address& address, PeerSettings settings,
                                             Clock::time_point now) {
  std::unique_ptr<OnlinePeer> peer(new OnlinePeer(std::move(socket), std::move(settings), false, now));
  peer->peer_ = address;
  return peer;
}

std::uint32_t OnlinePeer::stampOf(Clock::time_point now) const {
  return static_cast<std::uint32_t>(std::chrono::duration_cast<milliseconds>(now - began_).count()) + 1;
}

void OnlinePeer::send(const Message& message) {
  if (!peer_) return;
  const std::vector<std::uint8_t> bytes = encode({session_, message});
  socket_.send(*peer_, bytes);
  ++packetsOut_;
}

void OnlinePeer::poll(Clock::time_point now) {
  std::array<std::uint8_t, kMaxDatagram + 1> buffer;
  for (int k = 0; k < kMaxDatagramsAPoll; ++k) {
    const auto received = socket_.receive(buffer);
    if (!received) break;
    ++packetsIn_;
    const auto datagram = received->size <= kMaxDatagram
                              ? decode(std::span<const std::uint8_t>(buffer.data(), received->size))
                              : std::nullopt;
    if (!datagram) {
      ++packetsBad_;
      continue;
    }
    receive(*datagram, received->from, now);
  }

  if (link_ == Link::Waiting && now - began_ > settings_.connectTimeout)
    lose(hosting_ ? "nobody joined within " + secondsText(settings_.connectTimeout)
                  : "the host did not answer within " + secondsText(settings_.connectTimeout));
  if (link_ == Link::Connected && now - lastHeard_ > settings_.silenceTimeout)
    lose("the other player's program has been silent for " + secondsText(settings_.silenceTimeout));

  if (link_ == Link::Waiting && !hosting_ && now - lastSent_ >= kHelloEvery) {
    send(Hello{settings_.version, settings_.rulesChecksum, nonce_});
    lastSent_ = now;
  }
  if (link_ != Link::Connected) return;
  // The start again until the joiner's first presses of that fight show it began (the first may
  // be lost, or overtake the welcome).
  if (hosting_ && fight_ && !startHeard_ && now - lastStartSent_ >= kStartEvery) {
    send(start_);
    lastStartSent_ = now;
  }
  const auto heartbeat = fighting() ? kFightHeartbeat : kWindowHeartbeat;
  if (now - lastSent_ >= heartbeat) {
    if (fighting())
      sendInputs(now);
    else
      send(myPick_);
    lastSent_ = now;
  }
}

void OnlinePeer::waitUntil(Clock::time_point now, Clock::time_point until) {
  if (until > now) socket_.wait(std::chrono::duration_cast<std::chrono::microseconds>(until - now));
}

void OnlinePeer::receive(const Datagram& d, const Address& from, Clock::time_point now) {
  const bool fromPeer = peer_ && from == *peer_;
  if (const auto* hello = std::get_if<Hello>(&d.message)) {
    if (!hosting_ || d.session != 0) {
      ++packetsBad_;
    } else if (link_ == Link::Waiting) {
      const bool sameVersion = hello->version == settings_.version;
      if (!sameVersion || hello->rulesChecksum != settings_.rulesChecksum) {
        const Refusal refusal{sameVersion ? Refusal::Rules : Refusal::Version, settings_.version};
        const std::vector<std::uint8_t> bytes = encode({0, refusal});
        for (int k = 0; k < 3; ++k, ++packetsOut_) socket_.send(from, bytes);
        link_ = Link::Refused;
        problem_ = sameVersion ? "the other player's program has other rules (the same version " + hello->version +
                                     ", built differently): the fights would part"
                               : "the other player's program is version " + hello->version +
                                     " and this one " + settings_.version + ": both need the same version";
        return;
      }
      peer_ = from;
      nonce_ = hello->nonce;
      session_ = randomNumber();  // so that datagrams of an earlier session are not taken
      link_ = Link::Connected;
      lastHeard_ = now;
      send(Welcome{nonce_});
    } else if (fromPeer && hello->nonce == nonce_) {
      send(Welcome{nonce_});  // the welcome was lost
    } else {
      ++packetsBad_;
    }
    return;
  }
  if (!fromPeer) {
    ++packetsBad_;
    return;
  }
  if (const auto* welcome = std::get_if<Welcome>(&d.message)) {
    if (!hosting_ && link_ == Link::Waiting && welcome->nonce == nonce_ && d.session != 0) {
      session_ = d.session;
      link_ = Link::Connected;
      lastHeard_ = now;
    } else if (hosting_ || d.session != session_) {
      ++packetsBad_;
    }
    return;
  }
  if (const auto* refusal = std::get_if<Refusal>(&d.message)) {
    if (hosting_ || link_ != Link::Waiting) {
      ++packetsBad_;
      return;
    }
    link_ = Link::Refused;
    problem_ = refusal->reason == Refusal::Version
                   ? "the host's program is version " + refusal->version + " and this one " + settings_.version +
                         ": both need the same version"
               : refusal->reason == Refusal::Rules
                   ? "the host's program has other rules (built differently): the fights would part"
                   : "the host is already playing someone else";
    return;
  }
  // The host's datagrams that overtook its welcome are early, not bad: they come again.
  if (link_ == Link::Waiting && !hosting_ && d.session != 0) return;
  if (d.session != session_ || link_ == Link::Waiting || link_ == Link::Refused) {
    ++packetsBad_;
    return;
  }
  if (link_ == Link::Lost) return;  // the session's last words, after its end
  lastHeard_ = now;
  if (const auto* pick = std::get_if<Pick>(&d.message)) {
    peerPick_ = *pick;
    // A peer says its pick only outside a fight: after one here has ended, the other's has too.
    if (fight_ && end_ != FightEnd::None) peerInWindow_ = true;
  } else if (const auto* start = std::get_if<Start>(&d.message)) {
    if (hosting_) {
      ++packetsBad_;
    } else if (start->fight != fightNumber_) {
      fightNumber_ = start->fight;
      start_ = *start;
      startTaken_ = false;
    }
  } else if (const auto* inputs = std::get_if<Inputs>(&d.message)) {
    onInputs(*inputs, now);
  } else if (const auto* bye = std::get_if<Bye>(&d.message)) {
    if (bye->reason == Bye::Finished) {
      peerFinished_ = true;
    } else {
      peerLeft_ = true;
      lose("the other player left");
    }
  }
}

void OnlinePeer::onInputs(const Inputs& in, Clock::time_point now) {
  if (!fight_ || in.fight != fightNumber_) return;  // an earlier fight's, or one not begun here yet
  if (hosting_ && !startHeard_) {
    // The joiner began when the start reached it: about halfway between the host's last start
    // and this answer. The host's fight starts its clock then too, so that neither begins ahead.
    startHeard_ = true;
    fightBegan_ = lastStartSent_ + (now - lastStartSent_) / 2;
  }
  if (in.echo != 0) {
    const double rtt = static_cast<double>(stampOf(now)) - in.echo - in.held;
    if (rtt >= 0 && rtt < 60'000) rttMs_ = rttMs_ == 0 ? rtt : 0.875 * rttMs_ + 0.125 * rtt;
  }
  echo_ = in.stamp;
  echoHeard_ = now;
  if (in.ran >= peerRan_) {
    peerRan_ = in.ran;
    peerRanHeard_ = now;
  }
  peerPressesAck_ = std::max<long long>(peerPressesAck_, in.pressesAck);
  peerChecksAck_ = std::max<long long>(peerChecksAck_, in.checksAck);
  for (std::size_t k = 0; k < in.presses.size(); ++k) {
    const long long event = in.firstPress + static_cast<long long>(k);
    if (event == fight_->remoteKnown() + 1) fight_->setRemote(event, in.presses[k]);
  }
  for (std::size_t k = 0; k < in.checksums.size(); ++k) {
    const long long event = in.firstCheck + static_cast<long long>(k);
    if (event == checksReceived_ + 1) {
      peerChecks_[event] = in.checksums[k];
      checksReceived_ = event;
    }
  }
  if (in.desyncAt != 0) desyncAt_ = desyncAt_ == 0 ? in.desyncAt : std::min<long long>(desyncAt_, in.desyncAt);
  compareChecks();
  // A peer whose fight has ended answers one that has not, or lacks its presses, so that it can
  // end too: not once the other is back in the versus window (two ended peers would answer each
  // other's answers for ever), at most once a heartbeat (duplicated datagrams do not multiply the
  // answers), and not in place of the versus window's heartbeat, which tells the other so.
  const bool peerNeeds = in.ended == 0 || in.pressesAck < endEvent_;
  if (end_ != FightEnd::None && !peerInWindow_ && peerNeeds && now - lastAnswer_ >= kFightHeartbeat) {
    sendInputs(now);
    lastAnswer_ = now;
  }
}

void OnlinePeer::compareChecks() {
  while (!peerChecks_.empty() && peerChecks_.begin()->first <= fight_->confirmed()) {
    const auto [event, sum] = *peerChecks_.begin();
    if (fight_->confirmedChecksum(event) != sum && (desyncAt_ == 0 || event < desyncAt_)) desyncAt_ = event;
    checkedThrough_ = event;
    peerChecks_.erase(peerChecks_.begin());
  }
  if (desyncAt_ != 0 && end_ == FightEnd::None) endFight(FightEnd::Desync, desyncAt_);
}

void OnlinePeer::endFight(FightEnd end, long long event) {
  end_ = end;
  endEvent_ = event;
  waiting_ = false;
  // The other player was ready for the fight that has now been played: the next one waits for
  // them to say so again (their last word before this fight would otherwise start it at once).
  peerPick_.ready = false;
  // The versus window's heartbeat goes at once: it tells the other that this fight has ended.
  lastSent_ = Clock::time_point{};
}

void OnlinePeer::lose(const std::string& why) {
  if (link_ == Link::Lost) return;
  link_ = Link::Lost;
  problem_ = why;
  if (fight_ && end_ == FightEnd::None) endFight(FightEnd::Lost, fight_->confirmed());
}

void OnlinePeer::leave() {
  if (link_ == Link::Connected)
    for (int k = 0; k < 3; ++k) send(Bye{Bye::Left});
  lose("this player left");
}

void OnlinePeer::start(Start start, Clock::time_point now) {
  start.fight = ++fightNumber_;
  start.setup.versus = true;
  start_ = start;
  startTaken_ = false;
  startHeard_ = false;
  send(start_);
  lastStartSent_ = now;
}

std::optional<Start> OnlinePeer::takeStart() {
  if (startTaken_) return std::nullopt;
  startTaken_ = true;
  return start_;
}

void OnlinePeer::begin(const battle::FightState& loaded, const battle::FightRules& rules, Clock::time_point now) {
  fight_ = std::make_unique<RollbackFight>(loaded, rules, player(), settings_.predictionLimit, settings_.damageBonus);
  for (long long event = 1; event <= start_.inputDelay; ++event) fight_->setLocal(event, {});
  pending_ = {};
  fightBegan_ = now;
  slip_ = {};
  end_ = FightEnd::None;
  endEvent_ = 0;
  peerFinished_ = false;
  peerInWindow_ = false;
  waiting_ = false;
  waitedEvent_ = -1;
  peerPressesAck_ = peerChecksAck_ = peerRan_ = 0;
  checksReceived_ = checkedThrough_ = desyncAt_ = 0;
  peerChecks_.clear();
  lastHeard_ = now;
}

void OnlinePeer::press(std::uint16_t keyCode) {
  if (commandOfKey(keyCode) == command::Pause) return;
  pending_.add(keyCode);
}

Clock::time_point OnlinePeer::eventDue() const {
  // None while the fight cannot run: it has ended, waits for the other's presses or has handed
  // over as predicted (until both confirm it, or going back undoes it).
  if (!fight_ || end_ != FightEnd::None || fight_->mustWait() || fight_->predictedOver() ||
      fight_->ran() >= start_.maxEvents || !joinerBegan())
    return Clock::time_point::max();
  return fightBegan_ + slip_ + std::chrono::nanoseconds(fight_->state().timerDue);
}

OnlinePeer::Progress OnlinePeer::runDue(Clock::time_point now) {
  Progress progress;
  if (!fight_ || end_ != FightEnd::None) return progress;
  progress.changed = fight_->catchUp();
  compareChecks();
  if (end_ != FightEnd::None) return progress;

  // The end both have confirmed: the hand-over, or the events' limit.
  const long long limit = start_.maxEvents;
  std::optional<long long> over = fight_->handedOver();
  if (!over && fight_->confirmed() >= limit) over = limit;
  if (over) {
    const bool peerHasAll = peerPressesAck_ >= *over || peerFinished_ || now - lastHeard_ > kSettledSilence;
    if (peerHasAll) endFight(FightEnd::Over, *over);
    return progress;
  }
  if (fight_->ran() >= limit || fight_->predictedOver() || !joinerBegan()) return progress;
  if (now < fightBegan_ + slip_ + std::chrono::nanoseconds(fight_->state().timerDue)) return progress;
  if (fight_->mustWait()) {
    waiting_ = progress.waiting = true;
    if (waitedEvent_ != fight_->ran() + 1) {
      waitedEvent_ = fight_->ran() + 1;
      fight_->countWait();
    }
    return progress;
  }
  waiting_ = false;
  const long long next = fight_->ran() + 1;
  if (fight_->localKnown() < next + start_.inputDelay) fight_->setLocal(next + start_.inputDelay, pending_);
  pending_ = {};
  progress.step = fight_->advance();
  progress.changed = progress.changed || progress.step.ran;
  if (!progress.step.ran) return progress;
  sendInputs(now);
  lastSent_ = now;
  if (fight_->ran() % kSyncEvery == 0) syncTime(now);
  compareChecks();
  return progress;
}

void OnlinePeer::syncTime(Clock::time_point now) {
  // Where the peer is now, from where it said it was, how long ago, and half the round trip: a
  // peer steadily ahead slows by half its lead, as the other, behind, sees no need to.
  if (rttMs_ <= 0 || peerRanHeard_ == Clock::time_point{} || fight_->rules().tickPeriod <= 0) return;
  const double period = static_cast<double>(fight_->rules().tickPeriod) / 1e6;  // ms
  const double peerNow = static_cast<double>(peerRan_) + (millisOf(now - peerRanHeard_) + rttMs_ / 2) / period;
  const double lead = static_cast<double>(fight_->ran()) - peerNow;
  if (lead > 1) {
    const double slow = std::min(lead / 2, kMaxSlipStep) * period;
    slip_ += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(slow));
  }
}

void OnlinePeer::sendInputs(Clock::time_point now) {
  if (!fight_) return;
  Inputs in;
  in.fight = fightNumber_;
  in.ran = static_cast<std::uint32_t>(fight_->ran());
  in.pressesAck = static_cast<std::uint32_t>(fight_->remoteKnown());
  in.checksAck = static_cast<std::uint32_t>(checksReceived_);
  in.stamp = stampOf(now);
  in.echo = echo_;
  in.held = echo_ == 0 ? 0
                       : static_cast<std::uint16_t>(std::min<long long>(
                             65535, std::chrono::duration_cast<milliseconds>(now - echoHeard_).count()));
  in.ended = end_ == FightEnd::None ? 0 : static_cast<std::uint32_t>(endEvent_);
  in.desyncAt = static_cast<std::uint32_t>(desyncAt_);
  const long long firstPress = peerPressesAck_ + 1;
  for (long long event = firstPress; event <= fight_->localKnown() && in.presses.size() < kMaxEventsPerDatagram; ++event)
    in.presses.push_back(fight_->localPresses(event));
  if (!in.presses.empty()) in.firstPress = static_cast<std::uint32_t>(firstPress);
  const long long firstCheck = peerChecksAck_ + 1;
  for (long long event = firstCheck; event <= fight_->confirmed() && in.checksums.size() < kMaxEventsPerDatagram;
       ++event)
    in.checksums.push_back(fight_->confirmedChecksum(event));
  if (!in.checksums.empty()) in.firstCheck = static_cast<std::uint32_t>(firstCheck);
  send(in);
}

bool OnlinePeer::peerStillNeeds(Clock::time_point now) const {
  if (!fight_ || end_ == FightEnd::None || end_ == FightEnd::Lost || link_ != Link::Connected) return false;
  return !peerFinished_ && !peerInWindow_ && now - lastHeard_ < milliseconds(300);
}

void OnlinePeer::finish() {
  if (link_ == Link::Connected && fight_ && end_ == FightEnd::Over)
    for (int k = 0; k < 2; ++k) send(Bye{Bye::Finished});
}

std::vector<KeyPress> OnlinePeer::mergedPresses(long long through) const {
  std::vector<KeyPress> presses;
  if (!fight_) return presses;
  through = std::min({through, fight_->localKnown(), fight_->remoteKnown()});
  for (long long event = 1; event <= through; ++event) {
    const Presses& player1 = hosting_ ? fight_->localPresses(event) : fight_->remotePresses(event);
    const Presses& player2 = hosting_ ? fight_->remotePresses(event) : fight_->localPresses(event);
    for (std::uint16_t code : player1.codes()) presses.push_back({event, code, 0});
    for (std::uint16_t code : player2.codes()) presses.push_back({event, code, 1});
  }
  return presses;
}

NetFigures OnlinePeer::figures() const {
  NetFigures f;
  if (fight_) f.fight = fight_->figures();
  f.rttMs = rttMs_;
  f.packetsIn = packetsIn_;
  f.packetsOut = packetsOut_;
  f.packetsBad = packetsBad_;
  return f;
}

}  // namespace mojara::net

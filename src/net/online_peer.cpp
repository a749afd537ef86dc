#include "net/online_peer.h"

#include <algorithm>

#include "app/battle_keys.h"

namespace mojara::net {

namespace {

using std::chrono::milliseconds;

constexpr auto kStartEvery = milliseconds(50);
constexpr auto kFightHeartbeat = milliseconds(20);
constexpr auto kWindowHeartbeat = milliseconds(100);
// After its own end, a peer answers a moment longer for the other to end too; a peer that has
// all it needs ends on this much silence rather than waiting for the silence timeout.
constexpr auto kSettledSilence = milliseconds(1000);
constexpr int kSyncEvery = 8;  // events between looks at which peer is ahead
// Events a peer runs at once to reach where the other left the fight (a few: the input delay).
constexpr int kMaxEventsAtLeaving = 64;

std::string secondsText(Clock::duration d) {
  return std::to_string(std::chrono::duration_cast<std::chrono::seconds>(d).count()) + " s";
}

// The fight's shortest regular period, against which lateness is measured.
long long periodOf(const battle::FightRules& rules) {
  return rules.tickPeriod > 0 ? rules.tickPeriod : rules.sequencePeriod;
}

}  // namespace

OnlinePeer::OnlinePeer(std::unique_ptr<Transport> transport, PeerLink link, PeerSettings settings,
                       Clock::time_point now)
    : transport_(std::move(transport)),
      link_(std::move(link)),
      settings_(std::move(settings)),
      hosting_(link_.hosting()),
      began_(now) {}

std::unique_ptr<OnlinePeer> OnlinePeer::host(std::unique_ptr<Transport> transport, const RoomKey& key,
                                             PeerSettings settings, Clock::time_point now) {
  Transport& t = *transport;
  PeerLink link(t, key, {settings.version, settings.rulesChecksum}, now);
  return std::unique_ptr<OnlinePeer>(
      new OnlinePeer(std::move(transport), std::move(link), std::move(settings), now));
}

std::unique_ptr<OnlinePeer> OnlinePeer::join(std::unique_ptr<Transport> transport, const Address& address,
                                             const RoomKey& key, PeerSettings settings,
                                             Clock::time_point now) {
  Transport& t = *transport;
  PeerLink link(t, key, {settings.version, settings.rulesChecksum}, address, now);
  return std::unique_ptr<OnlinePeer>(
      new OnlinePeer(std::move(transport), std::move(link), std::move(settings), now));
}

void OnlinePeer::poll(Clock::time_point now) {
  link_.receive(now, [&](const Message& m, bool newest) { return heard(m, newest, now); });

  if (link() == Link::Waiting && now - began_ > settings_.connectTimeout)
    lose(hosting_ ? "nobody joined within " + secondsText(settings_.connectTimeout)
                  : "the host did not answer within " + secondsText(settings_.connectTimeout),
         0);
  if (link() == Link::Connected && now - link_.lastHeard() > settings_.silenceTimeout)
    // Nothing comes: this end ends at what it knows both have, as the other, still hearing it,
    // will too.
    lose("the other player's program has been silent for " + secondsText(settings_.silenceTimeout),
         bothHave());
  if (link() == Link::Connected && starting() && !joinerBegan_ &&
      now - startSent_ > settings_.silenceTimeout) {
    stuck_ = true;
    lose("the other player's program did not begin the fight within " + secondsText(settings_.silenceTimeout),
         0);
  }
  if (link() != Link::Connected) return;

  // The start again until the joiner shows it began (the first may be lost, or overtake the
  // welcome).
  if (starting() && !joinerBegan_ && now - lastStartSent_ >= kStartEvery) {
    link_.send(start_, now);
    lastStartSent_ = now;
  }
  const auto heartbeat = fighting() ? kFightHeartbeat : kWindowHeartbeat;
  if (now - link_.lastBeat() >= heartbeat) {
    if (fighting())
      sendInputs(now);
    else
      link_.send(myPick_, now);
    link_.beat(now);
  }
}

void OnlinePeer::waitUntil(Clock::time_point now, Clock::time_point until) {
  if (until > now) transport_->wait(std::chrono::duration_cast<std::chrono::microseconds>(until - now));
}

bool OnlinePeer::heard(const Message& message, bool newest, Clock::time_point now) {
  if (const auto* pick = std::get_if<Pick>(&message)) {
    onPick(*pick, newest);
  } else if (const auto* start = std::get_if<Start>(&message)) {
    // A host starts the next fight only once this one has ended on both.
    if (hosting_ || (fighting() && start->fight != fightNumber_)) return false;
    if (start->fight != fightNumber_) {
      fightNumber_ = start->fight;
      start_ = *start;
      startTaken_ = false;
    } else if (fight_ && channel_ && channel_->fight() == start->fight) {
      sendInputs(now);  // the host has not heard that this fight began here
    }
  } else if (const auto* inputs = std::get_if<Inputs>(&message)) {
    return onInputs(*inputs, newest, now);
  } else if (const auto* bye = std::get_if<Bye>(&message)) {
    if (bye->reason == Bye::Finished) {
      peerFinished_ = true;
    } else if (fighting()) {
      // The other ended where it knew both had every press, which this end has too (and never
      // before what this end has told of): the fight ends there once this end has run that far.
      peerLeft_ = true;
      leftAt_ = std::clamp<long long>(bye->event, bothKnow(),
                                      std::min(fight_->localKnown(), fight_->remoteKnown()));
    } else {
      peerLeft_ = true;
      lose("the other player left", 0);
    }
  } else {
    return false;  // hellos and the host's answers are the link's
  }
  return true;
}

void OnlinePeer::onPick(const Pick& pick, bool newest) {
  if (!newest) return;  // an older word than one already heard
  peerPick_ = pick;
  // A peer says its pick only outside a fight: after one here has ended, the other's has too.
  if (fight_ && end_ != FightEnd::None) peerInWindow_ = true;
}

bool OnlinePeer::onInputs(const Inputs& in, bool newest, Clock::time_point now) {
  if (hosting_ && starting() && in.fight == fightNumber_ && !joinerBegan_) {
    // The joiner began when the start reached it: about halfway between the host's last start
    // and this answer. The host's fight starts its clock then too, so that neither begins ahead.
    joinerBegan_ = lastStartSent_ + (now - lastStartSent_) / 2;
  }
  if (!fight_ || !channel_ || in.fight != channel_->fight())
    return true;  // an earlier fight's, or one not begun
  if (!channel_->take(in, newest, *fight_, now)) return false;
  if (channel_->desyncAt() != 0 && end_ == FightEnd::None) endFight(FightEnd::Desync, channel_->desyncAt());
  // A peer whose fight has ended answers one that has not, or lacks its presses, so that it can
  // end too: not once the other is back in the versus window (two ended peers would answer each
  // other's answers for ever), at most once a heartbeat (duplicated datagrams do not multiply the
  // answers), and not in place of the versus window's heartbeat, which tells the other so.
  const bool peerNeeds = in.ended == 0 || in.pressesAck < endEvent_;
  if (end_ != FightEnd::None && !peerInWindow_ && peerNeeds && now - lastAnswer_ >= kFightHeartbeat) {
    sendInputs(now);
    lastAnswer_ = now;
  }
  return true;
}

void OnlinePeer::endFight(FightEnd end, long long event) {
  end_ = end;
  endEvent_ = event;
  waiting_ = false;
  // The other player was ready for the fight that has now been played: the next one waits for
  // them to say so again (their last word before this fight would otherwise start it at once).
  peerPick_.ready = false;
  // The versus window's heartbeat goes at once: it tells the other that this fight has ended.
  link_.hurry();
}

void OnlinePeer::lose(const std::string& why, long long event) {
  if (link() == Link::Lost) return;
  link_.lose(why);
  if (fight_ && end_ == FightEnd::None) endFight(FightEnd::Lost, event);
}

void OnlinePeer::leave() {
  const long long event = bothHave();
  if (link() == Link::Connected)
    for (int k = 0; k < 3; ++k) link_.send(Bye{Bye::Left, static_cast<std::uint32_t>(event)});
  lose("this player left", event);
}

void OnlinePeer::start(Start start, Clock::time_point now) {
  start.fight = ++fightNumber_;
  start.setup.versus = true;
  start_ = start;
  startTaken_ = false;
  joinerBegan_.reset();
  link_.send(start_, now);
  lastStartSent_ = startSent_ = now;
}

std::optional<Start> OnlinePeer::takeStart() {
  if (startTaken_ || (hosting_ && !joinerBegan_)) return std::nullopt;
  startTaken_ = true;
  return start_;
}

void OnlinePeer::begin(const battle::FightState& loaded, const battle::FightRules& rules,
                       Clock::time_point now, RollbackFight::Step step) {
  fight_ = std::make_unique<RollbackFight>(loaded, rules, player(), settings_.predictionLimit, step);
  running_ = start_;
  leftAt_.reset();
  for (long long event = 1; event <= running_.inputDelay; ++event) fight_->setLocal(event, {});
  channel_.emplace(running_.fight, running_.inputDelay, settings_.predictionLimit, now);
  pending_ = {};
  pacer_.start(hosting_ && joinerBegan_ ? *joinerBegan_ : now);
  end_ = FightEnd::None;
  endEvent_ = 0;
  peerFinished_ = peerInWindow_ = false;
  waiting_ = false;
  waitedEvent_ = -1;
  // The other hears at once that this end has begun (the host waits for that).
  sendInputs(now);
}

void OnlinePeer::press(std::uint16_t keyCode) {
  if (commandOfKey(keyCode) == command::Pause) return;
  pending_.add(keyCode);
}

Clock::time_point OnlinePeer::eventDue() const {
  // None while the fight cannot run: it has ended, waits for the other's presses or has handed
  // over as predicted (until both confirm it, or going back undoes it).
  if (!fight_ || end_ != FightEnd::None || fight_->mustWait() || fight_->predictedOver() ||
      fight_->ran() >= running_.maxEvents)
    return Clock::time_point::max();
  return pacer_.due(fight_->state().timerDue);
}

OnlinePeer::Progress OnlinePeer::runDue(Clock::time_point now) {
  Progress progress;
  if (!fight_ || end_ != FightEnd::None) return progress;
  progress.changed = fight_->catchUp();
  channel_->compare(*fight_);
  if (channel_->desyncAt() != 0) {
    endFight(FightEnd::Desync, channel_->desyncAt());
    return progress;
  }

  // The end both have confirmed: the hand-over, or the events' limit.
  if (leftAt_) {
    // The other has left: the fight runs at once to where it left it (it has every press of
    // that far), and ends there.
    for (int k = 0; k < kMaxEventsAtLeaving && fight_->confirmed() < *leftAt_; ++k)
      if (!fight_->advance().ran) break;
    progress.changed = true;
    lose("the other player left", std::min(*leftAt_, fight_->confirmed()));
    return progress;
  }
  const long long limit = running_.maxEvents;
  std::optional<long long> over = fight_->handedOver();
  if (!over && fight_->confirmed() >= limit) over = limit;
  if (over) {
    const bool peerHasAll =
        channel_->peerPressesAck() >= *over || peerFinished_ || now - link_.lastHeard() > kSettledSilence;
    if (peerHasAll) {
      endFight(FightEnd::Over, *over);
      return progress;
    }
  }
  const bool blocked = over || fight_->ran() >= limit || fight_->predictedOver() || fight_->mustWait();
  if (blocked && now - channel_->lastProgress() > settings_.silenceTimeout) {
    // The other still sends, but nothing that moves the fight: it ends where the other knows it
    // does (what the other says both have, if this end has that too).
    stuck_ = true;
    lose("the other player's program has sent nothing new of the fight for " +
             secondsText(settings_.silenceTimeout),
         bothKnow());
    return progress;
  }
  if (over || fight_->ran() >= limit || fight_->predictedOver()) return progress;
  const long long at = fight_->state().timerDue;
  if (now < pacer_.due(at)) return progress;
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
  if (fight_->localKnown() < next + running_.inputDelay)
    fight_->setLocal(next + running_.inputDelay, pending_);
  pending_ = {};
  progress.step = fight_->advance();
  progress.changed = progress.changed || progress.step.ran;
  if (!progress.step.ran) return progress;
  pacer_.ran(now, at, periodOf(fight_->rules()));
  channel_->ranEvent(now);
  sendInputs(now);
  link_.beat(now);
  if (fight_->ran() % kSyncEvery == 0 && channel_->peerRanHeard() != Clock::time_point{})
    pacer_.keepPace(fight_->ran(), channel_->peerRan(), now - channel_->peerRanHeard(), link_.rttMs(),
                    periodOf(fight_->rules()));
  channel_->compare(*fight_);
  return progress;
}

void OnlinePeer::sendInputs(Clock::time_point now) {
  if (!fight_ || !channel_) return;
  link_.send(channel_->outgoing(*fight_, end_ == FightEnd::None ? 0 : endEvent_), now);
}

bool OnlinePeer::peerStillNeeds(Clock::time_point now) const {
  if (!fight_ || end_ == FightEnd::None || end_ == FightEnd::Lost || link() != Link::Connected) return false;
  return !peerFinished_ && !peerInWindow_ && now - link_.lastHeard() < milliseconds(300);
}

void OnlinePeer::finish() {
  if (link() == Link::Connected && fight_ && end_ == FightEnd::Over)
    for (int k = 0; k < 2; ++k) link_.send(Bye{Bye::Finished, static_cast<std::uint32_t>(endEvent_)});
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
  f.rttMs = link_.rttMs().value_or(0);
  f.packetsIn = link_.packetsIn();
  f.packetsOut = link_.packetsOut();
  f.packetsBad = link_.packetsBad();
  return f;
}

}  // namespace mojara::net

#include "net/online_versus.h"

#include <algorithm>

#include "app/fight_setup.h"
#include "battle/battle_window.h"
#include "net/fight_start.h"
#include "net/udp_socket.h"

namespace mojara::net {

namespace {

using std::chrono::milliseconds;

// What the versus window says when a session or a fight ends otherwise than by the fight's result.
constexpr const char* kPeerLeft = "相手が対戦をやめました";
constexpr const char* kPeerSilent = "相手からの通信が %1 秒とだえました";
constexpr const char* kNobodyCame = "%1 秒待っても相手が来ませんでした";
constexpr const char* kHostSilent = "ホストから %1 秒返事がありません";
constexpr const char* kRefused = "バージョンかルールが相手とちがいます";
constexpr const char* kWrongCode = "ルームコードがちがいます";
constexpr const char* kHostBusy = "ホストはほかの人と対戦中です";
constexpr const char* kNobodyThere = "%1 では誰もホストしていません";
constexpr const char* kPeerStuck = "相手の対戦が %1 秒進みませんでした";
constexpr const char* kFightsParted = "対戦がずれたので、勝負なしにしました";
constexpr const char* kTooLong = "対戦が長すぎるので、勝負なしにしました";
constexpr const char* kGameIsOn = "ゲームの途中なので対戦はできません";

// A pump runs at most this many events when it is late (the program was held up), so that the
// windows are painted now and then while it catches up.
constexpr int kEventsAPump = 8;
// How often a pump is needed at the latest: the peer's heartbeats in a fight and outside one.
constexpr auto kFightWake = milliseconds(20);
constexpr auto kWindowWake = milliseconds(100);

std::string seconds(Clock::duration d) {
  return std::to_string(std::chrono::duration_cast<std::chrono::seconds>(d).count());
}

// The peer's settings from the session's.
PeerSettings peerSettings(const OnlineVersus::Settings& settings, bool hosting) {
  PeerSettings peer;
  peer.version = settings.version;
  peer.rulesChecksum = battle::rulesChecksum();
  peer.connectTimeout = hosting ? settings.hostWait : settings.connectTimeout;
  peer.silenceTimeout = settings.silenceTimeout;
  return peer;
}

}  // namespace

std::unique_ptr<OnlineVersus> OnlineVersus::host(Game& game, VersusSession& versus, std::uint16_t port,
                                                 std::optional<RoomCode> code, Settings settings,
                                                 Clock::time_point now) {
  const RoomCode room = code.value_or(RoomKey::randomCode());
  auto socket = std::make_unique<UdpSocket>(UdpSocket::bound("", port));
  auto peer = OnlinePeer::host(std::move(socket), RoomKey(room), peerSettings(settings, true), now);
  return std::unique_ptr<OnlineVersus>(
      new OnlineVersus(game, versus, std::move(peer), room, std::move(settings)));
}

std::unique_ptr<OnlineVersus> OnlineVersus::join(Game& game, VersusSession& versus, const Address& address,
                                                 const RoomCode& code, Settings settings,
                                                 Clock::time_point now) {
  auto socket = std::make_unique<UdpSocket>(UdpSocket::towards(address));
  auto peer = OnlinePeer::join(std::move(socket), address, RoomKey(code), peerSettings(settings, false), now);
  return std::unique_ptr<OnlineVersus>(
      new OnlineVersus(game, versus, std::move(peer), code, std::move(settings)));
}

OnlineVersus::OnlineVersus(Game& game, VersusSession& versus, std::unique_ptr<OnlinePeer> peer, RoomCode code,
                           Settings settings)
    : game_(game), versus_(versus), peer_(std::move(peer)), code_(code), settings_(std::move(settings)) {
  // Each player starts on the fighter their side starts on in the versus window.
  mine_.slot = static_cast<std::int8_t>(side());
  peer_->pick(mine_);
}

OnlineVersus::~OnlineVersus() { peer_->leave(); }

void OnlineVersus::leave() {
  peer_->leave();
  stage_ = Stage::Ended;
}

void OnlineVersus::pick(int slot) {
  if (stage_ == Stage::Fighting || stage_ == Stage::Ended || slot < 0 ||
      slot >= static_cast<int>(kRoster.size()))
    return;
  mine_.slot = static_cast<std::int8_t>(slot);
  peer_->pick(mine_);
}

void OnlineVersus::setReady(bool ready) {
  // Once the host has offered a fight, its player is in it.
  if (stage_ == Stage::Fighting || stage_ == Stage::Ended || peer_->starting()) return;
  mine_.ready = ready;
  saidReady_ = saidReady_ || ready;
  peer_->pick(mine_);
}

Pick OnlineVersus::theirs() const {
  if (stage_ == Stage::Connecting) return {};
  return peer_->peerPick();
}

Clock::time_point OnlineVersus::pump(Clock::time_point now) {
  if (stage_ == Stage::Ended) return now + kWindowWake;
  peer_->poll(now);
  if (stage_ == Stage::Connecting && peer_->link() == OnlinePeer::Link::Connected) stage_ = Stage::Picking;
  if (stage_ == Stage::Fighting) {
    runFight(now);
  } else if (peer_->link() == OnlinePeer::Link::Refused || peer_->link() == OnlinePeer::Link::Lost) {
    linkGone();
  } else if (stage_ == Stage::Picking) {
    if (lingering_ && !peer_->peerStillNeeds(now)) {
      // The other player's fight has ended too, or never will: this end needs nothing more of it.
      peer_->finish();
      lingering_ = false;
    }
    // A fight starts once the last one's window has closed and the front end has seen its end;
    // a joiner plays only a fight its player said ready for.
    if (!versus_.fighting()) {
      startFightIfReady(now);
      if (const auto start = peer_->takeStart(); start && (hosting() || saidReady_)) beginFight(*start, now);
    }
  }
  if (stage_ != Stage::Fighting) return now + kWindowWake;
  // While the fight waits for the other player, or for both to confirm its end, the next event
  // is overdue: a datagram wakes the pump, or the next heartbeat.
  const Clock::time_point due = peer_->eventDue();
  return due > now ? std::min(due, now + kFightWake) : now + kFightWake;
}

void OnlineVersus::startFightIfReady(Clock::time_point now) {
  const Pick other = peer_->peerPick();
  if (!hosting() || peer_->starting() || !mine_.ready || !other.ready || other.slot < 0 || versus_.refusal())
    return;
  Start start;
  start.setup = practiceFight(mine_.slot, other.slot);
  start.setup.speed = settings_.speed;
  start.setup.seed = game_.desktop.clockSeed();
  start.setup.versus = true;
  start.inputDelay = static_cast<std::uint8_t>(std::clamp(settings_.inputDelay, 0, 8));
  start.timerResolution = game_.desktop.timerResolution();
  start.maxEvents = settings_.maxEvents;
  peer_->start(start, now);
}

void OnlineVersus::beginFight(const Start& start, Clock::time_point now) {
  message_.reset();
  // What each player was ready for is this fight: after it, each says so again.
  mine_.ready = saidReady_ = false;
  peer_->pick(mine_);
  // Both players' programs run the fight from a window of its own, which no fight came before.
  FightSetup setup = start.setup;
  setup.carried = CarriedOver{};
  if (!versus_.fight(setup)) {
    // A one-player game has a window open here: the fight cannot be played, nor the session.
    message_ = Wording{kGameIsOn, {}};
    leave();
    return;
  }
  ++fights_;
  stage_ = Stage::Fighting;
  lingering_ = false;
  recorded_ = 0;
  // The player's keys, whichever player's keys or buttons they are, play this machine's side.
  game_.battle.goOnline([this](int, int keyCode) { peer_->press(static_cast<std::uint16_t>(keyCode)); });
  if (recorder_) recorder_->followConfirmed();
  const LoadedFight loaded = loadOnlineFight(start, game_.desktop.programFolder());
  peer_->begin(loaded.state, loaded.rules, now);
}

void OnlineVersus::runFight(Clock::time_point now) {
  if (!game_.battle.loaded()) {
    // The window went from under the fight (the program is ending): nothing more to show.
    leave();
    return;
  }
  for (int k = 0; k < kEventsAPump && peer_->fightEnd() == OnlinePeer::FightEnd::None; ++k) {
    const OnlinePeer::Progress progress = peer_->runDue(now);
    if (progress.step.ran || progress.changed) {
      game_.battle.showEvent(peer_->fight()->state(), progress.step);
      ++shown_;
    }
    if (!progress.step.ran) break;
  }
  // The recording goes as far as every end of the fight comes after, and to its end once there.
  const bool ended = peer_->fightEnd() != OnlinePeer::FightEnd::None;
  const long long confirmed = peer_->fight()->confirmed();
  recordConfirmed(ended ? std::min(confirmed, peer_->endEvent()) : peer_->bothKnow());
  if (ended) endFight();
}

void OnlineVersus::recordConfirmed(long long through) {
  if (!recorder_) return;
  const RollbackFight& fight = *peer_->fight();
  for (; recorded_ < through; ++recorded_) {
    const long long event = recorded_ + 1;
    const Presses& player1 = hosting() ? fight.localPresses(event) : fight.remotePresses(event);
    const Presses& player2 = hosting() ? fight.remotePresses(event) : fight.localPresses(event);
    std::vector<KeyPress> presses;
    for (std::uint16_t code : player1.codes()) presses.push_back({event, code, 0});
    for (std::uint16_t code : player2.codes()) presses.push_back({event, code, 1});
    recorder_->confirmed(event, presses, fight.confirmedChecksum(event));
  }
}

void OnlineVersus::endFight() {
  const OnlinePeer::FightEnd end = peer_->fightEnd();
  const RollbackFight& fight = *peer_->fight();
  stage_ = Stage::Picking;
  if (end == OnlinePeer::FightEnd::Over && fight.handedOver()) {
    // The window shows the fight as both confirmed it, and hands over with its result.
    game_.battle.showEvent(fight.state(), {});
    ++shown_;
    lingering_ = true;
    game_.battle.handOver(fight.handOverKind());
    return;
  }
  if (recorder_) recorder_->cutShort();
  versus_.stopFight();
  if (end == OnlinePeer::FightEnd::Over) {
    message_ = Wording{kTooLong, {}};
    lingering_ = true;
  } else if (end == OnlinePeer::FightEnd::Desync) {
    message_ = Wording{kFightsParted, {}};
  } else {
    linkGone();
  }
}

void OnlineVersus::linkGone() {
  const auto refusal = peer_->refusal();
  if (peer_->link() == OnlinePeer::Link::Refused)
    message_ = Wording{refusal == Refusal::WrongCode ? kWrongCode
                       : refusal == Refusal::Busy    ? kHostBusy
                                                     : kRefused,
                       {}};
  else if (peer_->unreachable())
    message_ = Wording{kNobodyThere, {peer_->peerAddress() ? peer_->peerAddress()->text() : std::string()}};
  else if (peer_->peerLeft())
    message_ = Wording{kPeerLeft, {}};
  else if (peer_->stuck())
    message_ = Wording{kPeerStuck, {seconds(settings_.silenceTimeout)}};
  else if (stage_ != Stage::Connecting)
    message_ = Wording{kPeerSilent, {seconds(settings_.silenceTimeout)}};
  else
    message_ = Wording{hosting() ? kNobodyCame : kHostSilent,
                       {seconds(hosting() ? settings_.hostWait : settings_.connectTimeout)}};
  stage_ = Stage::Ended;
}

}  // namespace mojara::net

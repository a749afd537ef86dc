// One end of an online versus: the players' picks and the fights, over a PeerLink (handshake,
// keys, silence, round trip), each fight's presses and checksums over an InputChannel, its clock
// kept by a Pacer, and the fight itself run ahead on a RollbackFight. Both ends run the fight in
// real time, send their own player's presses until acknowledged, and compare the checksums of the
// events they have confirmed, so that fights that part are caught at the first event that differs.
// It is driven by poll(): no thread, no clock of its own, no window, no sound.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/datagram.h"
#include "net/input_channel.h"
#include "net/pacer.h"
#include "net/peer_link.h"
#include "net/rollback_fight.h"
#include "net/room_key.h"
#include "net/transport.h"
#include "play/input/key_script.h"

namespace mojara::net {

inline constexpr int kDefaultInputDelay = 2;
inline constexpr int kDefaultPredictionLimit = 8;
inline constexpr std::uint16_t kDefaultPort = 4913;

struct PeerSettings {
  std::string version;              // the program's version: peers of two versions do not play
  std::uint64_t rulesChecksum = 0;  // the rules' tables: nor peers whose rules differ
  // No joiner (a host) or no welcome (a joiner) within this; max(): wait until told to stop.
  Clock::duration connectTimeout = std::chrono::seconds(30);
  // A peer silent this long, or sending nothing new of a fight that waits for it, is lost.
  Clock::duration silenceTimeout = std::chrono::seconds(5);
  int predictionLimit = kDefaultPredictionLimit;
};

// What the network has cost and carried, for the figures line.
struct NetFigures {
  RollbackFigures fight;
  double rttMs = 0;
  long long packetsIn = 0, packetsOut = 0, packetsBad = 0;
};

class OnlinePeer {
 public:
  using Link = PeerLink::State;
  enum class FightEnd {
    None,
    Over,    // handed over (or the events' limit reached), confirmed by both
    Desync,  // the fights parted at endEvent()
    Lost,    // the peer fell silent, stuck or left; endEvent() is the last event both confirmed
  };

  // Player 1: waits on `transport` for a joiner with the room's key.
  static std::unique_ptr<OnlinePeer> host(std::unique_ptr<Transport> transport, const RoomKey& key,
                                          PeerSettings settings, Clock::time_point now);
  // Player 2: joins the host at `address`.
  static std::unique_ptr<OnlinePeer> join(std::unique_ptr<Transport> transport, const Address& address,
                                          const RoomKey& key, PeerSettings settings, Clock::time_point now);

  int player() const { return hosting_ ? 1 : 2; }
  std::uint16_t port() const { return transport_->port(); }
  Link link() const { return link_.state(); }
  const std::string& problem() const { return link_.problem(); }
  std::optional<Refusal::Reason> refusal() const { return link_.refusal(); }
  bool unreachable() const { return link_.unreachable(); }
  std::optional<Address> peerAddress() const { return link_.peer(); }
  // Whether the link was lost because the other player said they were leaving, or because the
  // other's program went on sending but never moved the fight on.
  bool peerLeft() const { return peerLeft_; }
  bool stuck() const { return stuck_; }
  // The transport's descriptor, for an event loop to wake when a datagram arrives.
  int descriptor() const { return transport_->descriptor(); }

  // Takes every datagram waiting, answers and sends what is due, and notices silence.
  void poll(Clock::time_point now);
  // Sleeps until a datagram arrives or `until`.
  void waitUntil(Clock::time_point now, Clock::time_point until);

  // The versus window: this player's pick, told to the other; the other's as last heard.
  void pick(const Pick& mine) { myPick_ = mine; }
  const Pick& peerPick() const { return peerPick_; }

  // The host starts a fight on this set-up (the fight's number is its own) and the joiner hears
  // of it; takeStart() gives it once, to the joiner as soon as it is heard, to the host once the
  // joiner has begun it; then the front end loads the fight and calls begin().
  void start(Start start, Clock::time_point now);
  bool starting() const { return hosting_ && !startTaken_; }
  std::optional<Start> takeStart();
  void begin(const battle::FightState& loaded, const battle::FightRules& rules, Clock::time_point now,
             RollbackFight::Step step = &battle::advance);
  bool fighting() const { return fight_ != nullptr && end_ == FightEnd::None; }

  // A key of this player, now: it takes effect before the event D events after the next one. The
  // pause key does nothing online and is not sent.
  void press(std::uint16_t keyCode);
  // When the next event is due on the wall clock (while fighting).
  Clock::time_point eventDue() const;
  // Runs the next event if it is due and may run (going back first where the other's presses
  // changed what ran). `changed` says the fight shown changed even if no event ran.
  struct Progress {
    battle::FightStep step;
    bool changed = false;
    bool waiting = false;  // too far ahead of the other player's presses
  };
  Progress runDue(Clock::time_point now);

  const RollbackFight* fight() const { return fight_.get(); }
  const Start& fightStart() const { return start_; }
  FightEnd fightEnd() const { return end_; }
  long long endEvent() const { return endEvent_; }
  // The events that every end of this fight comes after: what a recording may hold while it runs.
  long long bothKnow() const { return fight_ && channel_ ? channel_->bothKnow(*fight_) : 0; }
  // Both players' confirmed presses of events 1..through, as a versus keys list: the events they
  // take effect before, player 1's first within an event.
  std::vector<KeyPress> mergedPresses(long long through) const;

  // This player leaves: the peer is told, and the link is lost.
  void leave();
  // Whether the peer may still wait for something of the fight that ended here: answering it a
  // moment longer lets it end too.
  bool peerStillNeeds(Clock::time_point now) const;
  // Tells the peer that this end has all it needs of the fight that ended.
  void finish();

  NetFigures figures() const;
  // The round trip in ms, once known, and whether the fight waits now.
  std::optional<double> rttMs() const { return link_.rttMs(); }
  bool waiting() const { return waiting_; }
  // What this end keeps of the other's datagrams beyond the fight's own record: for tests.
  std::size_t checksKept() const { return channel_ ? channel_->checksKept() : 0; }

 private:
  OnlinePeer(std::unique_ptr<Transport> transport, PeerLink link, PeerSettings settings,
             Clock::time_point now);
  bool heard(const Message& message, bool newest, Clock::time_point now);
  bool onInputs(const Inputs& in, bool newest, Clock::time_point now);
  void onPick(const Pick& pick, bool newest);
  void sendInputs(Clock::time_point now);
  void endFight(FightEnd end, long long event);
  // The link is lost: a fight on ends at `event`, the last both are known to have.
  void lose(const std::string& why, long long event);
  long long bothHave() const { return fight_ && channel_ ? channel_->bothHave(*fight_) : 0; }

  std::unique_ptr<Transport> transport_;
  PeerLink link_;
  PeerSettings settings_;
  bool hosting_;
  Clock::time_point began_;
  Clock::time_point lastStartSent_{}, startSent_{}, lastAnswer_{};

  Pick myPick_, peerPick_;
  std::uint16_t fightNumber_ = 0;
  Start start_;    // the last heard or started
  Start running_;  // the fight's own, from its begin()
  bool startTaken_ = true;
  std::optional<Clock::time_point> joinerBegan_;  // the host's estimate of when the joiner began

  std::unique_ptr<RollbackFight> fight_;
  std::optional<InputChannel> channel_;
  Pacer pacer_;
  Presses pending_;  // this player's presses since the last event
  FightEnd end_ = FightEnd::None;
  long long endEvent_ = 0;
  bool peerFinished_ = false;
  bool peerInWindow_ = false;  // the other's fight has ended too: it says its pick again
  bool peerLeft_ = false;
  std::optional<long long> leftAt_;  // where the fight ends, the other having left it
  bool stuck_ = false;
  bool waiting_ = false;
  long long waitedEvent_ = -1;
};

}  // namespace mojara::net

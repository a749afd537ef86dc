// One end of an online versus: the handshake, the players' picks, and the fights, over UDP. Both
// ends run the fight in real time on a RollbackFight, send their own player's presses (several
// times over, until acknowledged, so one lost datagram loses nothing), and the checksums of the
// events they have confirmed, so that fights that part are caught at the first event that differs.
// It is driven by poll(): no thread, no clock of its own, no window, no sound.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/datagram.h"
#include "net/rollback_fight.h"
#include "net/udp_socket.h"
#include "play/key_script.h"

namespace mojara::net {

using Clock = std::chrono::steady_clock;

inline constexpr int kDefaultInputDelay = 2;
inline constexpr int kDefaultPredictionLimit = 8;
inline constexpr std::uint16_t kDefaultPort = 4913;

struct PeerSettings {
  std::string version;              // the program's version: peers of two versions do not play
  std::uint64_t rulesChecksum = 0;  // the rules' tables: nor peers whose rules differ
  Clock::duration connectTimeout = std::chrono::seconds(30);  // no peer at all
  Clock::duration silenceTimeout = std::chrono::seconds(5);   // a peer that falls silent
  int predictionLimit = kDefaultPredictionLimit;
  std::int32_t damageBonus = 0;  // tests only: hits on this peer take this much more life
};

// What the network has cost and carried, for the figures line.
struct NetFigures {
  RollbackFigures fight;
  double rttMs = 0;
  long long packetsIn = 0, packetsOut = 0, packetsBad = 0;
};

class OnlinePeer {
 public:
  enum class Link {
    Waiting,    // for a peer, or the host's welcome
    Connected,  // in the versus window or in a fight
    Refused,    // at the handshake (another version or other rules); problem() says why
    Lost,       // no peer in time, the peer fell silent or left; problem() says which
  };
  enum class FightEnd {
    None,
    Over,       // handed over (or the events' limit reached), confirmed by both
    Desync,     // the fights parted at endEvent()
    Lost,       // the peer fell silent or left; endEvent() is the last event both confirmed
  };

  // Player 1: waits on `socket` for a joiner.
  static std::unique_ptr<OnlinePeer> host(UdpSocket socket, PeerSettings settings, Clock::time_point now);
  // Player 2: joins the host at `address`.
  static std::unique_ptr<OnlinePeer> join(UdpSocket socket, const Address& address, PeerSettings settings,
                                          Clock::time_point now);

  int player() const { return hosting_ ? 1 : 2; }
  std::uint16_t port() const { return socket_.port(); }
  Link link() const { return link_; }
  const std::string& problem() const { return problem_; }
  std::optional<Address> peerAddress() const { return peer_; }
  // Whether the link was lost because the other player said they were leaving.
  bool peerLeft() const { return peerLeft_; }
  // The socket's descriptor, for an event loop to wake when a datagram arrives.
  int descriptor() const { return socket_.descriptor(); }

  // Takes every datagram waiting, answers and sends what is due, and notices silence.
  void poll(Clock::time_point now);
  // Sleeps until a datagram arrives or `until`.
  void waitUntil(Clock::time_point now, Clock::time_point until);

  // The versus window: this player's pick, told to the other; the other's as last heard.
  void pick(const Pick& mine) { myPick_ = mine; }
  const Pick& peerPick() const { return peerPick_; }

  // The host starts a fight on this set-up (the fight's number is its own); the joiner hears of
  // it. Either way takeStart() gives it once, and the front end loads the fight and calls begin().
  void start(Start start, Clock::time_point now);
  std::optional<Start> takeStart();
  void begin(const battle::FightState& loaded, const battle::FightRules& rules, Clock::time_point now);
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
  // The round trip in ms (0 before the first answer), and whether the fight waits now.
  double rttMs() const { return rttMs_; }
  bool waiting() const { return waiting_; }

 private:
  OnlinePeer(UdpSocket socket, PeerSettings settings, bool hosting, Clock::time_point now);
  void receive(const Datagram& d, const Address& from, Clock::time_point now);
  void onInputs(const Inputs& in, Clock::time_point now);
  void send(const Message& message);
  void sendInputs(Clock::time_point now);
  void compareChecks();
  void endFight(FightEnd end, long long event);
  void lose(const std::string& why);
  void syncTime(Clock::time_point now);
  std::uint32_t stampOf(Clock::time_point now) const;
  // The host runs no event before it hears that the joiner has begun the fight.
  bool joinerBegan() const { return !hosting_ || startHeard_; }

  UdpSocket socket_;
  PeerSettings settings_;
  bool hosting_;
  Clock::time_point began_;         // for stamps
  Clock::time_point lastHeard_;
  Clock::time_point lastSent_{}, lastStartSent_{}, lastAnswer_{};
  Link link_ = Link::Waiting;
  std::string problem_;
  std::optional<Address> peer_;
  std::uint32_t session_ = 0, nonce_ = 0;

  Pick myPick_, peerPick_;
  std::uint16_t fightNumber_ = 0;
  Start start_;
  bool startTaken_ = true;
  bool startHeard_ = false;  // the host: the joiner has begun the fight it started

  std::unique_ptr<RollbackFight> fight_;
  Presses pending_;  // this player's presses since the last event
  Clock::time_point fightBegan_{};
  Clock::duration slip_{};  // how much later than its own clock says the fight runs, to keep pace
  FightEnd end_ = FightEnd::None;
  long long endEvent_ = 0;
  bool peerFinished_ = false;
  bool peerInWindow_ = false;  // the other's fight has ended too: it says its pick again
  bool peerLeft_ = false;
  bool waiting_ = false;
  long long waitedEvent_ = -1;

  // What the peer has said.
  long long peerPressesAck_ = 0, peerChecksAck_ = 0, peerRan_ = 0;
  Clock::time_point peerRanHeard_{};
  long long checksReceived_ = 0;  // the peer's checksums known, through this event
  std::map<long long, std::uint64_t> peerChecks_;  // beyond what is confirmed here
  long long checkedThrough_ = 0;
  long long desyncAt_ = 0;
  std::uint32_t echo_ = 0;
  Clock::time_point echoHeard_{};
  double rttMs_ = 0;

  long long packetsIn_ = 0, packetsOut_ = 0, packetsBad_ = 0;
};

}  // namespace mojara::net

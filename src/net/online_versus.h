// Online versus in the game's windows: one player at each of two machines. The host waits for a
// joiner; each player picks a fighter in their own versus window and says when they are ready;
// the host then starts the fight, which both machines load in their battle windows. The session
// moves the fight on (the window's own timers stay off) and shows each event once any going back
// is done; the window hands over when both have confirmed the end, and both players pick again.
// The session ends when either player leaves or the other falls silent, with a message for the
// versus window. No Qt and no clock of its own: the front end calls pump() when a datagram
// arrives and when pump() last said.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/game.h"
#include "net/online_peer.h"
#include "play/replays/replay_session.h"
#include "play/session/room_code.h"
#include "play/session/versus_session.h"
#include "play/texts/wording.h"

namespace mojara::net {

class OnlineVersus {
 public:
  struct Settings {
    std::string version;                  // the program's: only the same version plays
    int inputDelay = kDefaultInputDelay;  // the host's, 0..8 events
    std::int32_t speed = 5;               // the host's SPEED
    long long maxEvents = 100000;         // a fight that runs longer ends without a result
    // The host waits for its friend until its player leaves; a joiner waits this long for the host.
    Clock::duration hostWait = Clock::duration::max();
    Clock::duration connectTimeout = std::chrono::seconds(30);
    Clock::duration silenceTimeout = std::chrono::seconds(5);
  };
  enum class Stage {
    Connecting,  // the host waits for a joiner, or the joiner for the host's welcome
    Picking,     // both in their versus windows
    Fighting,
    Ended,  // the link is gone; message() says why
  };

  // Player 1: waits for a joiner with the room's code (`code`, or one drawn at random) on UDP
  // `port` (0: any free one) of every address of this machine. Throws NetError when the port
  // cannot be had.
  static std::unique_ptr<OnlineVersus> host(Game& game, VersusSession& versus, std::uint16_t port,
                                            std::optional<RoomCode> code, Settings settings,
                                            Clock::time_point now);
  // Player 2: joins the host at `address`, with its room's code.
  static std::unique_ptr<OnlineVersus> join(Game& game, VersusSession& versus, const Address& address,
                                            const RoomCode& code, Settings settings, Clock::time_point now);
  // Leaves, telling the other player.
  ~OnlineVersus();
  OnlineVersus(const OnlineVersus&) = delete;
  OnlineVersus& operator=(const OnlineVersus&) = delete;

  // The fights' recording (mojara --record), if any: it takes what both players confirmed.
  void setRecorder(ReplayRecorder* recorder) { recorder_ = recorder; }

  // Takes the datagrams waiting and moves everything on: the handshake, the picks, the fight (its
  // events due by `now` shown in the battle window). Returns when to be called again at the
  // latest, unless a datagram comes first.
  Clock::time_point pump(Clock::time_point now);
  // The player leaves the session (the versus window closed): the other is told.
  void leave();

  Stage stage() const { return stage_; }
  bool hosting() const { return peer_->player() == 1; }
  // The side this machine plays: 0 for the host, 1 for the joiner.
  int side() const { return hosting() ? 0 : 1; }
  std::uint16_t port() const { return peer_->port(); }
  // The room's code: the host tells it to its friend.
  const RoomCode& code() const { return code_; }
  int descriptor() const { return peer_->descriptor(); }

  // This player's pick (a roster slot) and readiness, told to the other; the other's as heard
  // (slot -1 until heard). The picks cannot change while a fight is on.
  void pick(int slot);
  void setReady(bool ready);
  Pick mine() const { return mine_; }
  Pick theirs() const;

  // The round trip in ms (0 before it is known), and whether the fight waits for the other's
  // presses now.
  double rttMs() const { return peer_->rttMs().value_or(0); }
  bool waiting() const { return stage_ == Stage::Fighting && peer_->waiting(); }
  // Why the session ended, or why the last fight ended without a result, in the game's words.
  const std::optional<Wording>& message() const { return message_; }
  // The network's own words for the same, for standard error.
  const std::string& problem() const { return peer_->problem(); }
  // The fights begun so far, and the times the battle window was given the fight to show.
  int fights() const { return fights_; }
  long long shown() const { return shown_; }
  const OnlinePeer& peer() const { return *peer_; }

 private:
  OnlineVersus(Game& game, VersusSession& versus, std::unique_ptr<OnlinePeer> peer, RoomCode code,
               Settings settings);
  void startFightIfReady(Clock::time_point now);
  void beginFight(const Start& start, Clock::time_point now);
  void runFight(Clock::time_point now);
  void endFight();
  void recordConfirmed(long long through);
  void linkGone();

  Game& game_;
  VersusSession& versus_;
  std::unique_ptr<OnlinePeer> peer_;
  RoomCode code_;
  Settings settings_;
  ReplayRecorder* recorder_ = nullptr;
  Stage stage_ = Stage::Connecting;
  Pick mine_;
  bool saidReady_ = false;  // this player has said ready since the last fight began
  std::optional<Wording> message_;
  bool lingering_ = false;  // a fight has ended here: the other may still need answers
  long long recorded_ = 0;  // the events of this fight given to the recorder
  int fights_ = 0;
  long long shown_ = 0;
};

}  // namespace mojara::net

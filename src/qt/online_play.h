// Online versus in the windowed program: the session with the other player's machine, woken by
// its socket and by a precise timer when the next event or heartbeat is due (nothing runs in
// between), and what the windows show of it: the picks and the network's lines in the versus
// window, the ping and any wait in the battle window's title.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "game/game.h"
#include "net/online_versus.h"
#include "play/replays/replay_session.h"
#include "play/session/versus_session.h"
#include "qt/front_end.h"
#include "qt/versus_window.h"

namespace mojara::qt {

class OnlinePlay : public QObject {
 public:
  OnlinePlay(Game& game, FrontEnd& frontEnd, VersusSession& versus, VersusWindow& window,
             net::OnlineVersus::Settings settings);
  ~OnlinePlay() override;

  void setRecorder(ReplayRecorder* recorder) { recorder_ = recorder; }
  // Waits for a joiner on UDP `port` (0: any free port) with the room's code (drawn at random when
  // none is given), or joins the host that `text` names with its code: the invitation whole
  // (HOST:PORT/CODE), an address and a code apart ("192.168.1.20 ABCD-EFGH"), or an address alone
  // (HOST or HOST:PORT, the default port when none is given) with `code`. The versus window says
  // how it goes, and asks for the code when there is none. A code given here (mojara --code) is
  // kept for the window's own buttons.
  void host(std::uint16_t port, std::optional<RoomCode> code = std::nullopt);
  void join(const std::string& text, std::optional<RoomCode> code = std::nullopt);
  // This player leaves the session, if one is on (the other is told), and the versus window is
  // for two players at this keyboard again.
  void leave();
  // Whether a session is on (connecting, picking or fighting).
  bool active() const { return session_ != nullptr || lookUp_ != nullptr; }
  // The versus window has opened again after a fight: it shows the session as it stands.
  void windowOpened() { show(); }

 private:
  struct LookUp;
  void joinAt(const std::string& address, const RoomCode& code);
  void start(std::unique_ptr<net::OnlineVersus> session);
  void pump();
  void lookedUp();
  void drop();  // the session and its socket gone, the windows left as they are
  void end(const QStringList& status);
  void show();
  void showFightTitle();
  QStringList statusLines() const;
  void showRoom();
  // ADDRESS:PORT/CODE, for a friend to join this host with.
  QString invitation(const net::OnlineVersus& session) const;

  Game& game_;
  FrontEnd& frontEnd_;
  VersusSession& versus_;
  VersusWindow& window_;
  net::OnlineVersus::Settings settings_;
  ReplayRecorder* recorder_ = nullptr;
  std::unique_ptr<net::OnlineVersus> session_;
  std::unique_ptr<QSocketNotifier> datagrams_;
  QTimer due_;                      // the next event or heartbeat
  std::shared_ptr<LookUp> lookUp_;  // a host's name being looked up, away from the window
  QTimer lookUpDone_;
  int fightsShown_ = 0;                // the fights the window has been put away for
  QStringList addresses_;              // this machine's, for a friend to join at
  std::optional<RoomCode> givenCode_;  // mojara --code
  QString fightTitle_;
  forms::Nanos titleShownAt_ = 0;
};

}  // namespace mojara::qt

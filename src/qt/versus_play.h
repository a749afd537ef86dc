// Two players in the windowed program: the versus window opened by F3 on the title (or at once by
// --versus), its fights, and back to it after each one; or, online, one player at each of two
// machines (--host, --join, or the window's own buttons).
#pragma once

#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>

#include "game/game.h"
#include "net/online_versus.h"
#include "play/replay_session.h"
#include "play/versus_session.h"
#include "qt/front_end.h"
#include "qt/online_play.h"
#include "qt/versus_window.h"

namespace mojara::qt {

class VersusPlay {
 public:
  VersusPlay(Game& game, FrontEnd& frontEnd, net::OnlineVersus::Settings online);

  // A versus fight of these roster slots at once (mojara --versus P0 P1); false, said on screen,
  // when a game or another fight has a window open.
  bool fight(int p0, int p1);
  // The versus window, open on the title, hosting a game on UDP `port` (mojara --host) or joining
  // the host at `address` (mojara --join), with the room's code if given (the host's own; the
  // one to join).
  void host(std::uint16_t port, std::optional<RoomCode> code);
  void join(const std::string& address, std::optional<RoomCode> code);
  // Online fights are recorded from what both players confirmed.
  void setRecorder(ReplayRecorder* recorder) { online_.setRecorder(recorder); }
  // Whether the players are in a versus fight or choosing the next one.
  bool busy() const { return session_.active() || window_.isVisible() || online_.active(); }
  VersusWindow& window() { return window_; }
  VersusSession& session() { return session_; }

 private:
  void open();

  Game& game_;
  FrontEnd& frontEnd_;
  VersusSession session_;
  VersusWindow window_;
  OnlinePlay online_;
  QTimer look_;
};

}  // namespace mojara::qt

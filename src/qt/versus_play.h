// Two players in the windowed program: the versus window the play session opens (F3 on the title,
// after each fight, or at once by --versus), its fights, and, online, one player at each of two
// machines (--host, --join, or the window's own buttons).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "net/online_versus.h"
#include "play/session/play_session.h"
#include "qt/front_end.h"
#include "qt/online_play.h"
#include "qt/versus_window.h"

namespace mojara::qt {

class VersusPlay {
 public:
  VersusPlay(PlaySession& play, FrontEnd& frontEnd, net::OnlineVersus::Settings online);

  // The versus window, open on the title, hosting a game on UDP `port` (mojara --host) or joining
  // the host at `address` (mojara --join), with the room's code if given (the host's own; the
  // one to join).
  void host(std::uint16_t port, std::optional<RoomCode> code);
  void join(const std::string& address, std::optional<RoomCode> code);
  // Online fights are recorded from what both players confirmed.
  void setRecorder(ReplayRecorder* recorder) { online_.setRecorder(recorder); }
  // Whether the window is open or an online session is on.
  bool busy() const { return window_.isVisible() || online_.active(); }
  VersusWindow& window() { return window_; }
  // What the play session asks: the window opened; the window gone, a game having taken over.
  void open(const VersusOpening& opening);
  void takenOver();

 private:
  PlaySession& play_;
  FrontEnd& frontEnd_;
  VersusWindow window_;
  OnlinePlay online_;
};

}  // namespace mojara::qt

// Two players in the windowed program: the versus window opened by F3 on the title (or at once by
// --versus), its fights, and back to it after each one.
#pragma once

#include <QTimer>

#include "game/game.h"
#include "play/versus_session.h"
#include "qt/front_end.h"
#include "qt/versus_window.h"

namespace mojara::qt {

class VersusPlay {
 public:
  VersusPlay(Game& game, FrontEnd& frontEnd);

  // A versus fight of these roster slots at once (mojara --versus P0 P1); false, said on screen,
  // when a game or another fight has a window open.
  bool fight(int p0, int p1);
  // Whether the players are in a versus fight or choosing the next one.
  bool busy() const { return session_.active() || window_.isVisible(); }
  VersusWindow& window() { return window_; }
  VersusSession& session() { return session_; }

 private:
  Game& game_;
  FrontEnd& frontEnd_;
  VersusSession session_;
  VersusWindow window_;
  QTimer look_;
};

}  // namespace mojara::qt

// Game controllers in the windowed program: each press goes to the key-settings window when it
// waits for a button (B closes it), to the versus window while it is open, and otherwise to the
// play session, for the player the controller belongs to.
#pragma once

#include <QTimer>

#include "pads/game_controllers.h"
#include "play/session/play_session.h"
#include "qt/front_end.h"
#include "qt/player_settings.h"
#include "qt/versus_play.h"

namespace mojara::qt {

class ControllerInput {
 public:
  static constexpr int kPollMillis = 16;
  ControllerInput(FrontEnd& frontEnd, PlaySession& play, PlayerSettings& settings, VersusPlay& versus);

 private:
  void pressed(const pads::PadPress& press);

  FrontEnd& frontEnd_;
  PlaySession& play_;
  PlayerSettings& settings_;
  VersusPlay& versus_;
  pads::GameControllers controllers_;
  QTimer poll_;
};

}  // namespace mojara::qt

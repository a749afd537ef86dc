// Game controllers in the windowed program: each press of a bound button goes where a key of the
// same command would go (the key-settings window when it waits for a button, the versus window,
// or the game window in front), for the player the controller belongs to. Outside a fight, A,
// Start, B and the d-pad move about the window in front as Enter, Escape and the arrow keys do
// (KeyboardNavigation); B closes the key-settings window.
#pragma once

#include <QTimer>

#include "pads/game_controllers.h"
#include "qt/front_end.h"
#include "qt/player_settings.h"
#include "qt/versus_play.h"

namespace mojara::qt {

class ControllerInput {
 public:
  static constexpr int kPollMillis = 16;
  ControllerInput(FrontEnd& frontEnd, PlayerSettings& settings, VersusPlay& versus);

 private:
  void pressed(const pads::PadPress& press);

  FrontEnd& frontEnd_;
  PlayerSettings& settings_;
  VersusPlay& versus_;
  pads::GameControllers controllers_;
  QTimer poll_;
};

}  // namespace mojara::qt

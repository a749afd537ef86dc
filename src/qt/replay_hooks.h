// Connects a replay recorder or player to the windowed front end.
#pragma once

#include "play/replay_session.h"
#include "qt/front_end.h"

namespace mojara::qt {

inline void attachRecorder(FrontEnd& frontEnd, ReplayRecorder& recorder) {
  frontEnd.hooks.key = [&recorder](forms::Form& form, int code, int player) {
    recorder.keyPressed(form, code, player);
    return true;
  };
}

inline void attachPlayer(FrontEnd& frontEnd, ReplayPlayer& player) {
  frontEnd.hooks.key = [&player](forms::Form&, int code, int) { return player.takeKey(code); };
  frontEnd.hooks.timerFired = [&player] { player.timerFired(); };
}

}  // namespace mojara::qt

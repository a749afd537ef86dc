// Connects a replay recorder or player to the windowed front end.
#pragma once

#include <iostream>

#include "app/replay_session.h"
#include "qt/front_end.h"

namespace mojara::qt {

inline void attachRecorder(FrontEnd& frontEnd, ReplayRecorder& recorder) {
  frontEnd.hooks.loaded = [&recorder](forms::Form& form) { recorder.formLoaded(form); };
  frontEnd.hooks.seedUsed = [&recorder](std::uint64_t seed) { recorder.seedUsed(seed); };
  frontEnd.hooks.key = [&recorder](forms::Form& form, int code) {
    recorder.keyPressed(form, code);
    return true;
  };
  frontEnd.hooks.unloaded = [&recorder](forms::Form& form) {
    std::string error;
    recorder.formUnloaded(form, error);
    if (!error.empty()) std::cerr << "mojara: " << error << "\n";
  };
}

inline void attachPlayer(FrontEnd& frontEnd, ReplayPlayer& player) {
  frontEnd.hooks.seed = [&player]() -> std::optional<std::uint64_t> { return player.seed(); };
  frontEnd.hooks.key = [&player](forms::Form&, int code) { return player.takeKey(code); };
  frontEnd.hooks.timerFired = [&player] { player.timerFired(); };
}

}  // namespace mojara::qt

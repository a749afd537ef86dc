// Attract mode in the windows: the demo fight after the title has been left alone, ended by any key
// or click, and marked over its window while it plays ("DEMO" and that any key ends it), outside
// the battle's own controls.
#pragma once

#include <QTimer>
#include <functional>

#include "play/attract_mode.h"
#include "qt/front_end.h"

namespace mojara::qt {

class AttractPlay {
 public:
  // `busy`: whether the player is at one of the front end's own windows (not idle, then).
  AttractPlay(Game& game, FrontEnd& frontEnd, std::uint64_t seed, std::function<bool()> busy);
  ~AttractPlay();
  AttractPlay(const AttractPlay&) = delete;
  AttractPlay& operator=(const AttractPlay&) = delete;

  // Looked at by its clock between events: starts or ends a demo fight when it is time.
  void look(forms::Nanos now);
  bool running() const { return attract_.running(); }

 private:
  void showMark();

  FrontEnd& frontEnd_;
  AttractMode attract_;
  std::function<bool()> busy_;
  QTimer clock_;
};

}  // namespace mojara::qt

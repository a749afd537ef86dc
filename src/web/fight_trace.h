// A fight's trace as the headless fight runner prints it, kept by the page while it logs: a line
// after each timer event of the battle window from its load to its hand-over, then the end line.
// What the page does once the fight is decided (the title again) is not the fight's: the closing
// event's line shows the battle as it closed, with the sounds and beeps up to its hand-over.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "game/game.h"
#include "sim/battle_trace.h"
#include "web/web_sound.h"

namespace mojara::web {

class FightTrace : public FightObserver {
 public:
  FightTrace(Game& game, WebSound& sound, std::ostream& out);
  FightTrace(const FightTrace&) = delete;
  FightTrace& operator=(const FightTrace&) = delete;
  ~FightTrace() override;

  // Where the desktop writes the name of the timer it fires next.
  std::string* timerName() { return &timer_; }
  // A timer has fired: its line, when it was the battle's.
  void timerFired();
  void beep() { ++beeps_; }
  bool tracing() const { return active_; }

  void fightStarting(const FightSetup& fight) override;
  void fightOver(Window next) override;
  void windowShowing(Window window) override;

 private:
  // The closing event's line and the end line, as the hand-over leaves the game.
  void closingLines();

  Game& game_;
  WebSound& sound_;
  std::ostream& out_;
  bool active_ = false;
  bool versus_ = false;
  long long written_ = 0;  // the battle's timer events traced so far
  int beeps_ = 0;
  std::string handedTo_;   // set once the fight is decided
  std::optional<sim::BattleView> closedView_;
  std::vector<sim::SoundPlay> closedPlays_;
  int closedBeeps_ = 0;
  std::string closing_;  // the last lines, once the hand-over is done
  std::string timer_;
  std::string line_;
};

}  // namespace mojara::web

// The event lines of a whole game: one JSON line for each window event on the game's clock (load,
// show, unload, beep, message box, input, a fight's result, the end). The headless runner's host
// writes them, and so does the browser page when it keeps a log: the same lines, byte for byte.
#pragma once

#include <map>
#include <ostream>
#include <string>

#include "forms/form.h"
#include "forms/scheduler.h"
#include "game/game.h"

namespace mojara::sim {

class EventLines : public FightObserver {
 public:
  EventLines(const forms::Clock& clock, std::ostream& out) : clock_(clock), out_(out) {}
  EventLines(const EventLines&) = delete;
  EventLines& operator=(const EventLines&) = delete;

  // The battle window's load lines then also give the fight it is set up with, and every fight
  // ends with a result line. The game tells these lines of its fights: they outlive it.
  void watch(Game& game);

  void loaded(forms::Form& form);
  void shown(forms::Form& form);
  void moved(forms::Form& form) { ++moves_[&form]; }
  void unloaded(forms::Form& form);
  void beep();
  void messageBox(const std::string& text, const std::string& caption);
  // An input delivered, as the script's action without its time ("key SPACE").
  void input(const std::string& action);
  // The last line: why the run stopped ("quit" when the program ended).
  void end(const std::string& reason);

  void fightOver(Window next) override;

  // Starts a line with the time and the event name; the caller adds fields and the closing brace.
  std::ostream& line(const char* event);

 private:
  const forms::Clock& clock_;
  std::ostream& out_;
  Game* game_ = nullptr;
  std::map<const forms::Form*, int> moves_;
  std::map<const forms::Form*, float> topAtLoad_;
};

}  // namespace mojara::sim

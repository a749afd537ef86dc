// Recording fights as they are played, and playing a recorded fight again in the window.
#pragma once

#include <cstdint>
#include <string>

#include "app/replay.h"
#include "forms/form.h"

namespace mojara {

class Game;

// Writes a replay file for every fight played: what the state was before the battle window's load,
// the seed its load drew, and every key press with the number of the timer event it came before.
class ReplayRecorder {
 public:
  ReplayRecorder(Game& game, std::string path) : game_(game), path_(std::move(path)) {}

  void formLoaded(const forms::Form& form);  // before the window's own load handler
  void seedUsed(std::uint64_t seed);
  void keyPressed(const forms::Form& form, int code);
  // When the battle window closes its fight is written; a file that cannot be written is
  // reported once in `error` and the game goes on.
  void formUnloaded(const forms::Form& form, std::string& error);

 private:
  Game& game_;
  std::string path_;
  bool recording_ = false;
  int fights_ = 0;
  ReplayFight fight_;
};

// Plays one recorded fight in the battle window: the same start, the same seed, the same keys at
// the same timer events. The player's own keys are not taken; Escape ends the program.
class ReplayPlayer {
 public:
  ReplayPlayer(Game& game, ReplayFight fight) : game_(game), fight_(std::move(fight)) {}

  void start();
  std::uint64_t seed() const { return fight_.seed; }
  // Whether a real key press may go to the game (only Escape, which ends the program).
  bool takeKey(int code);
  // After every timer event: the recorded keys that came before the battle's next event.
  void timerFired();

 private:
  Game& game_;
  ReplayFight fight_;
  std::size_t nextKey_ = 0;
};

}  // namespace mojara

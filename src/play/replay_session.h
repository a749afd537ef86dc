// Recording fights as they are played, and playing a recorded fight again in the window.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "forms/form.h"
#include "game/game.h"
#include "play/replay.h"

namespace mojara {

// Writes a replay file for every fight played: the fight's set-up with the seed its load drew,
// and every key press with the number of the timer event it came before.
class ReplayRecorder : public FightObserver {
 public:
  // `warn` is told, once, when a replay file cannot be written; the game goes on.
  ReplayRecorder(Game& game, std::string path, std::function<void(const std::string&)> warn);
  ~ReplayRecorder() override { game_.removeObserver(*this); }

  void fightStarting(const FightSetup& fight) override;
  void fightOver(Window next) override;
  // A key press of `player` (0 or 1) about to be delivered to `form`.
  void keyPressed(const forms::Form& form, int code, int player = 0);
  // The program is ending (a window closed, a signal, the ending): a fight still being played is
  // written as far as it went, to be replayed up to there.
  void programEnding();

 private:
  // Writes the fight being recorded, as it stands; `cutShort` marks where it stopped.
  void save(bool cutShort);

  Game& game_;
  std::string path_;
  std::function<void(const std::string&)> warn_;
  bool recording_ = false;
  bool warned_ = false;
  int fights_ = 0;
  RecordedFight fight_;
};

// Plays one recorded fight in the battle window: the same start, the same seed, the same keys at
// the same timer events; where the fight hands over, the program ends. The player's own keys are
// not taken; Escape ends the program.
class ReplayPlayer {
 public:
  ReplayPlayer(Game& game, RecordedFight fight)
      : game_(game), fight_(fight.fight), keys_(std::move(fight.keys)), cutShortAfter_(fight.cutShortAfter) {}

  void start();
  // Whether a real key press may go to the game (none may; Escape ends the program).
  bool takeKey(int code);
  // After every timer event: the recorded keys that come before the battle's next event.
  void timerFired();

 private:
  Game& game_;
  FightSetup fight_;
  KeyFeed keys_;
  std::optional<long long> cutShortAfter_;  // the program ends there, as the recording did
};

}  // namespace mojara

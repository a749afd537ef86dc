// Two players: versus fights one after another, with no campaign, no continue and no points
// carried. The game's own state (points, power, stage, the random generator) is put aside when
// the first fight starts and put back when the players return to the title.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "app/module1.h"
#include "app/program_random.h"
#include "game/game.h"

namespace mojara {

class VersusSession : public FightObserver {
 public:
  explicit VersusSession(Game& game) : game_(game) { game_.addObserver(*this); }
  ~VersusSession() override { game_.removeObserver(*this); }

  // Opens a fresh versus fight: player 1 as roster slot p0 on side 0, player 2 as p1 on side 1,
  // at the default speed, no power, no points. The title closes while the players fight.
  void fight(std::int32_t p0, std::int32_t p1);
  // From the first fight until the players return to the title.
  bool active() const { return saved_.has_value(); }
  // Whether a versus fight is on (its battle window open).
  bool fighting() const { return fighting_; }
  // Looked at between events: true once, when the fight has ended and its window has closed.
  bool look();
  // The side whose player won the last fight (0 or 1).
  std::optional<int> winner() const { return winner_; }
  std::pair<std::int32_t, std::int32_t> fighters() const { return fighters_; }
  // Back to the title, with the game as it was before the first versus fight.
  void toTitle();

  void fightOver(Window next) override;

 private:
  Game& game_;
  struct Saved {
    Module1 state;
    ProgramRandom random;
  };
  std::optional<Saved> saved_;
  bool fighting_ = false;
  std::optional<int> winner_;
  std::pair<std::int32_t, std::int32_t> fighters_{0, 1};
};

}  // namespace mojara

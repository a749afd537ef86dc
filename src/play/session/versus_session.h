// Two players: versus fights one after another, with no campaign, no continue and no points
// carried. The game's own state (points, power, stage, the random generator) is put aside when
// the first fight starts and put back when the players return to the title. The session and the
// one-player game never share a fight: a game, a practice fight or a demo fight that starts while
// the players choose in the versus window ends the session (the front end closes the window and
// says why), and no versus fight starts while any of them has a window open.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/module1.h"
#include "app/program_random.h"
#include "game/game.h"

namespace mojara {

class VersusSession : public FightObserver {
 public:
  explicit VersusSession(Game& game) : game_(game) { game_.addObserver(*this); }
  ~VersusSession() override { game_.removeObserver(*this); }

  // The players have opened the versus window (F3 on the title) and choose their fighters; they
  // are in the session until they close it.
  void opened() { open_ = true; }
  void closed() { open_ = false; }
  bool open() const { return open_; }
  // Told, with the notice to show, when a game or another fight takes over while the players
  // choose: the session has ended, and the versus window is to close without going to the title.
  std::function<void(const std::string& notice)> takenOver;
  // Why a versus fight cannot start now, as the notice to show: a game, a practice fight or a demo
  // fight has a window open. None when it can.
  std::optional<std::string> refusal() const;

  // Opens a fresh versus fight: player 1 as roster slot p0 on side 0, player 2 as p1 on side 1,
  // at the default speed, no power, no points. The title closes while the players fight. Returns
  // false, and starts nothing, while a fight is on or refusal() says why not.
  bool fight(std::int32_t p0, std::int32_t p1);
  // The same for a fight set up elsewhere (online, by the host: its seed and speed).
  bool fight(const FightSetup& versus);
  // Ends the fight on without a result (online, when the other player is gone): its window closes
  // and look() says so once, with no winner.
  void stopFight();
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

  void fightStarting(const FightSetup& fight) override;
  void fightOver(Window next) override;
  void windowShowing(Window window) override;

 private:
  void takeOver();

  Game& game_;
  struct Saved {
    Module1 state;
    ProgramRandom random;
  };
  std::optional<Saved> saved_;
  bool open_ = false;
  bool fighting_ = false;
  bool stopped_ = false;  // the fight was ended without a result
  std::optional<int> winner_;
  std::pair<std::int32_t, std::int32_t> fighters_{0, 1};
};

}  // namespace mojara

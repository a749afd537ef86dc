// A stand-in for the player, for demo play: it starts a game on the title window, picks a fighter
// on the select window and continues after every lost fight, so that a whole campaign runs by
// itself. Its own choices come from a generator of its own, so the game's draws stay as they are.
#pragma once

#include <cstdint>

#include "app/program_random.h"
#include "forms/scheduler.h"

namespace mojara {

class Game;

class StandInPlayer {
 public:
  StandInPlayer(Game& game, std::uint64_t seed);

  // How often the stand-in looks at the screen, and how long it waits before it acts.
  static constexpr forms::Nanos kLookInterval = 100'000'000;
  static constexpr forms::Nanos kThinkingTime = 700'000'000;

  // Looks at what is shown and acts if it has waited long enough; returns whether it acted.
  bool look(forms::Nanos now);

 private:
  enum class Scene { None, Title, Choosing, Pointing, Continue, GameOver };
  Scene sceneNow() const;

  Game& game_;
  ProgramRandom choices_;
  Scene scene_ = Scene::None;
  forms::Nanos since_ = 0;
  int pointedAt_ = 0;
};

}  // namespace mojara

// A stand-in for the player, for demo play: it starts a game on the title window, picks a fighter
// on the select window and continues after every lost fight, so that a whole campaign runs by
// itself. It looks at the windows as a player sees them and acts through input-script lines; its
// own choices come from a generator of its own, so the game's draws stay as they are.
#pragma once

#include <cstdint>
#include <optional>

#include "app/program_random.h"
#include "forms/scheduler.h"
#include "game/game.h"
#include "play/input/input_script.h"

namespace mojara {

class StandInPlayer {
 public:
  StandInPlayer(Game& game, std::uint64_t seed);
  // The stand-in's own seed in a run of seed `runSeed`, apart from the game's draws.
  static constexpr std::uint64_t seedOfRun(std::uint64_t runSeed) { return runSeed ^ 0x5EED5EED5EED5EEDull; }

  // How often the stand-in looks at the screen, and how long it waits before it acts.
  static constexpr forms::Nanos kLookInterval = 100'000'000;
  static constexpr forms::Nanos kThinkingTime = 700'000'000;

  // Looks at what is shown; once it has waited long enough, returns what it does (to be
  // delivered by the caller).
  std::optional<ScriptLine> look(forms::Nanos now);

 private:
  enum class Scene { None, Title, Choosing, Pointing, Continue, GameOver };
  Scene sceneNow() const;

  Game& game_;
  ProgramRandom choices_;
  Scene scene_ = Scene::None;
  forms::Nanos since_ = 0;
};

}  // namespace mojara

// The players' game controllers, through SDL's GameController API. The first controller plugged
// in plays for player 1, the second for player 2; one pulled out frees its player, and the next
// one plugged in takes the lowest free player. The d-pad and the left stick both give the d-pad
// buttons' presses, and a held button repeats like a held keyboard key. No window of SDL's is
// needed: the game's windows are Qt's.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/scheduler.h"
#include "play/input/key_bindings.h"

namespace mojara::pads {

// A press of `button` on the controller of `player` (0 or 1); `repeat` when it comes from the
// button being held.
struct PadPress {
  int player = 0;
  PadButton button = PadButton::A;
  bool repeat = false;
  bool operator==(const PadPress&) const = default;
};

// A held button's first repeat comes this long after its press, the next ones this far apart.
inline constexpr forms::Nanos kFirstRepeat = 300'000'000;
inline constexpr forms::Nanos kRepeatPeriod = 33'000'000;

class GameControllers {
 public:
  // Opens SDL's game controller subsystem. When it cannot, `warn` is told why, once, and the game
  // goes on without controllers.
  explicit GameControllers(std::function<void(const std::string&)> warn);
  // The same with `openSdl` in place of opening the subsystem (tests stand in an SDL that fails):
  // it returns whether it opened it, and SDL_GetError() says why not.
  GameControllers(std::function<void(const std::string&)> warn, const std::function<bool()>& openSdl);
  ~GameControllers();
  GameControllers(const GameControllers&) = delete;
  GameControllers& operator=(const GameControllers&) = delete;

  bool available() const;
  // Handles SDL's pending events (controllers plugged in or pulled out, buttons, the left stick),
  // then the repeats of held buttons due by `now`; calls `press` for each press.
  void poll(forms::Nanos now, const std::function<void(const PadPress&)>& press);
  // Each connected controller's player and name, by player.
  std::vector<std::pair<int, std::string>> connected() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace mojara::pads

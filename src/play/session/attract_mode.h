// Attract mode: when the title window has had no key or mouse input for 30 seconds, with neither
// the help window nor a message box open, a demo fight between two random fighters plays in the
// battle window; any key or click ends it and the title returns with the game's state exactly as
// it was before (saved and restored around the demo).
#pragma once

#include <cstdint>
#include <optional>

#include "app/module1.h"
#include "app/program_random.h"
#include "forms/scheduler.h"
#include "game/game.h"

namespace mojara {

// The mark shown over a demo fight while it plays.
inline constexpr const char* kDemoMark = "デモ　なにかキーを押すとタイトルへ";

class AttractMode {
 public:
  static constexpr forms::Nanos kIdleTime = 30'000'000'000;
  static constexpr forms::Nanos kLookInterval = 100'000'000;

  AttractMode(Game& game, std::uint64_t seed) : game_(game) { choices_.reseed(seed); }

  // A key press, a click or a mouse move at `now`. Returns false when it ended a demo: the input
  // was for the demo and goes no further.
  bool input(forms::Nanos now);
  // Looked at now and then (between events): starts a demo after the title has idled long
  // enough, and returns to the title after a demo fight has ended by itself. Returns whether
  // anything changed.
  bool look(forms::Nanos now);
  bool running() const { return saved_.has_value(); }

 private:
  void start();
  void stop();

  Game& game_;
  ProgramRandom choices_;  // its own: picking the fighters takes nothing from the game's draws
  forms::Nanos lastInput_ = 0;
  bool titleSeen_ = false;
  struct Saved {
    Module1 state;
    ProgramRandom random;
  };
  std::optional<Saved> saved_;
};

}  // namespace mojara

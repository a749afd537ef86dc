// One line of a fight's trace: the battle's state after a timer event, as JSON.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/module1.h"
#include "sim/headless_sound.h"

namespace mojara {
class Form2;
struct BattleControls;
}  // namespace mojara

namespace mojara::sim {

// The battle window's controls as the trace reports them. Taken from the live window, or at its
// unload for the event that closed it.
struct BattleView {
  std::array<float, 2> lifeWidth{}, powWidth{};
  std::array<std::array<long, 3>, 2> sprites{};  // left, top, picture
  bool bannerVisible = false;
  std::string banner;
  bool messageVisible = false;
  std::string message;
  std::array<int, 3> messageColor{};
  std::string clock;
  std::array<std::string, 2> names;
  long markerLeft = 0;
  bool overlayVisible = false;
  std::array<bool, 3> timers{};
};

BattleView viewOf(const BattleControls& controls);
// The battle window's, or an empty view when it is not loaded.
BattleView viewOf(const Form2& battle);
// The same into a view kept from line to line, reusing the room its texts already have.
void readView(const BattleControls& controls, BattleView& view);

using SoundPlay = HeadlessSound::Play;

// Appends the trace line of event `e` (no line break) to `out`; a two-player fight's line also
// gives KEYCMD2.
void appendTraceLine(std::string& out, long long e, const std::string& timer, const Module1& M,
                     const Form2& battle, const BattleView& view, const std::vector<SoundPlay>& sounds,
                     int beeps, bool versus = false);

}  // namespace mojara::sim

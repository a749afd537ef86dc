// The keys every front end keeps for itself before the game sees a key: full screen (F11, or
// Alt+Enter), M to mute, minus and equals the volume of everything, [ and ] the music's, ; and '
// the effects', F2 the key settings, F3 two players. None of them is in the battle's key table.
#pragma once

namespace mojara {

struct FrontEndKey {
  enum class Action { None, FullScreen, Mute, Volume, Settings, Versus };
  Action action = Action::None;
  int musicSteps = 0;    // for Volume: softer (-1) or louder (+1)
  int effectsSteps = 0;
};

// The modifier bits a key press carries, as the game's key handlers see them.
inline constexpr int kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;

// What the front end does with `code` pressed with `shift`; Action::None: the key goes on (to the
// keyboard navigation, then to the game).
FrontEndKey frontEndKeyOf(int code, int shift);

}  // namespace mojara

// Playing without the mouse. Outside a fight, a key that the front end does not keep for itself
// moves about the window in front as the window system lets it (Desktop::navigate: Tab, Enter on
// the button with the keyboard or the default one, Escape on the cancel button, the arrow keys),
// and on the select window the arrow keys move a pointer between the portraits that does there
// exactly what the mouse does: moving it is a mouse move onto the portrait, Enter a left press at
// its place, so the window's own mouse rules decide. A controller does the same: A or Start is
// Enter, B is Escape, the d-pad (and the stick) are the arrow keys. In a fight, keys and buttons
// are the fight's. In demo play, Escape (or B) ends the program, as it ends a replay. Every front
// end hands it the keys and buttons it does not use itself, and draws its mark.
#pragma once

#include <optional>

#include "forms/types.h"
#include "game/game.h"
#include "play/input/key_bindings.h"

namespace mojara {

class KeyboardNavigation {
 public:
  explicit KeyboardNavigation(Game& game) : game_(game) {}

  // A key pressed while `form` is in front; whether it was taken here (it then goes no further).
  bool keyPressed(forms::Form& form, int keyCode, int shift = 0);
  // A controller button pressed while `form` is in front, `repeat` when the button is held:
  // whether it was taken here. Outside a fight only the d-pad repeats.
  bool padPressed(forms::Form& form, PadButton button, bool repeat = false);
  // The key a controller button stands for outside a fight, or 0.
  static int keyOfButton(PadButton button);

  // Where the front end marks the keyboard on `form` (form twips): the button that has it, always
  // (Enter presses it); once the keyboard has been used there, the portrait under the select
  // window's pointer while a fighter can be picked, or a scroll bar or picture box that has the
  // keyboard (lists mark it themselves).
  std::optional<forms::Box> mark(const forms::Form& form) const;
  // The portrait the select window's pointer is on (0 to 7): the one the click target covers, or
  // before it shows, the player's last fighter.
  int pointer() const;

 private:
  bool selectKey(forms::Form& select, int keyCode, int shift);
  // Whether the computer plays what is on: Escape then ends the program, as it ends a replay.
  bool demoRun() const;

  Game& game_;
};

}  // namespace mojara

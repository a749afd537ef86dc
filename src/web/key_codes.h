// The browser's keys as the game's virtual-key codes, as the desktop's keyboard gives them: by the
// key's place on the keyboard (KeyboardEvent.code), so that the players' keys stay where they are
// on any layout, as a US keyboard names them. The number pad's keys are keys of their own; with
// Num Lock off, its digits are its arrows, Home, End and the others (KeyboardEvent.key says which).
#pragma once

#include <string_view>

namespace mojara::web {

// The virtual-key code of the key at `code` ("KeyA", "ArrowLeft", "Numpad4", ...), `key` being
// what it types ("4", or "ArrowLeft" with Num Lock off); 0 for a key the game has no code for.
int virtualKeyOf(std::string_view code, std::string_view key = {});

}  // namespace mojara::web

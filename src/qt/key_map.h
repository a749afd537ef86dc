// Qt's keys as the game's virtual-key codes.
#pragma once

class QKeyEvent;

namespace mojara::qt {

// The virtual-key code of a key event, or 0 for a key the game has no code for.
int virtualKeyOf(const QKeyEvent& event);
int virtualKeyOf(int qtKey);
// The code of a key of the number pad (a key event with the keypad modifier).
int keypadKeyOf(int qtKey);

}  // namespace mojara::qt

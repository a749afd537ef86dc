// Qt's keys as the game's virtual-key codes.
#pragma once

class QKeyEvent;

namespace mojara::qt {

// The virtual-key code of a key event, or 0 for a key the game has no code for.
int virtualKeyOf(const QKeyEvent& event);
int virtualKeyOf(int qtKey);

}  // namespace mojara::qt

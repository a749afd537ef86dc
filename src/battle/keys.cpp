// The player's keys and the pause.
#include "battle/battle_window.h"
#include "forms/types.h"

namespace mojara {

namespace {

// The command code of a key, or 0 for a key that commands nothing.
std::int32_t commandOfKey(int keyCode) {
  switch (keyCode) {
    case forms::vk::Left:
      return 1;  // walk left
    case forms::vk::Right:
      return 2;  // walk right
    case forms::vk::Up:
      return 3;  // flying kick
    case 'P':
      return 4;  // no move, but it replaces a pending command
    case 'A':
      return 5;  // punch
    case 'Z':
      return 6;  // kick
    case 'S':
      return 7;  // rising dragon punch
    case 'Q':
      return 8;  // power charge
    case 'X':
      return 9;  // heel drop
    case 'W':
      return 10;  // rampage
    default:
      return 0;
  }
}

}  // namespace

void Form2::Form_KeyDown(int keyCode, int /*shift*/) {
  BattleControls& c = *ctl;
  M.PRESSED = 1;
  const bool live = M.LIFE[1] > 0 && INPUTON != 0 && CLOCK > 0 && M.LIFE[0] > 0 && !c.Label2.Visible;
  if (live) {
    if (keyCode == forms::vk::Space) {
      desktop.beep();
      togglePause();
    } else if (const std::int32_t command = commandOfKey(keyCode)) {
      KEYCMD = command;
    }
  } else if (keyCode == forms::vk::Space && !c.Timer3.Enabled() && !c.Timer2.Enabled()) {
    desktop.beep();
    togglePause();
  }
}

void Form2::togglePause() {
  BattleControls& c = *ctl;
  if (c.Timer1.Enabled()) {
    c.Timer1.disable();
    c.Label2.Visible = true;  // the fight freezes under "待った！！"
  } else {
    c.Timer1.enable();
    c.Label2.Visible = false;
  }
}

}  // namespace mojara

// The player's keys and the pause.
#include "app/game_numbers.h"
#include "battle/battle_window.h"
#include "forms/types.h"

namespace mojara {

namespace {

// The command code of a key, or 0 for a key that commands nothing.
std::int32_t commandOfKey(int keyCode) {
  switch (keyCode) {
    case forms::vk::Left:
      return command::WalkLeft;
    case forms::vk::Right:
      return command::WalkRight;
    case forms::vk::Up:
      return command::FlyingKick;
    case 'P':
      return command::Wait;  // no move, but it replaces a pending command
    case 'A':
      return command::Punch;
    case 'Z':
      return command::Kick;
    case 'S':
      return command::RisingDragonPunch;
    case 'Q':
      return command::PowerCharge;
    case 'X':
      return command::HeelDrop;
    case 'W':
      return command::Rampage;
    default:
      return command::None;
  }
}

}  // namespace

void Form2::Form_KeyDown(int keyCode, int /*shift*/) { takeKey(keyCode, KEYCMD); }

void Form2::secondPlayerKeyDown(int keyCode) { takeKey(keyCode, KEYCMD2); }

// A key press of either player: `pending` is that player's command, waiting for the next tick.
void Form2::takeKey(int keyCode, std::int32_t& pending) {
  BattleControls& c = *ctl;
  M.PRESSED = 1;
  const bool live = M.LIFE[1] > 0 && INPUTON != 0 && CLOCK > 0 && M.LIFE[0] > 0 && !c.Label2.Visible;
  if (live) {
    if (keyCode == forms::vk::Space) {
      desktop.beep();
      togglePause();
    } else if (const std::int32_t command = commandOfKey(keyCode)) {
      pending = command;
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

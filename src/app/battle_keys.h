// The battle's own keys, one table: the command each key stores for the next tick, and the space
// bar's pause. The battle reads a key through it; the key bindings map a player's keys and buttons
// onto these keys; the runners name them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "app/game_numbers.h"

namespace mojara {

// What a battle key asks for: a command code, or the pause.
enum class KeyAction : std::uint8_t { Command, Pause };

struct BattleKey {
  std::int32_t keyCode;  // the window system's virtual-key code
  KeyAction action;
  command::Command command;  // command::None for the pause
};

// clang-format off
inline constexpr std::array<BattleKey, 11> kBattleKeys{{
    {37, KeyAction::Command, command::WalkLeft},           // left arrow
    {39, KeyAction::Command, command::WalkRight},          // right arrow
    {38, KeyAction::Command, command::FlyingKick},         // up arrow
    {'P', KeyAction::Command, command::Wait},              // no move, but it replaces a pending command
    {'A', KeyAction::Command, command::Punch},
    {'Z', KeyAction::Command, command::Kick},
    {'S', KeyAction::Command, command::RisingDragonPunch},
    {'Q', KeyAction::Command, command::PowerCharge},
    {'X', KeyAction::Command, command::HeelDrop},
    {'W', KeyAction::Command, command::Rampage},
    {32, KeyAction::Pause, command::None},                 // space bar
}};
// clang-format on

// The row of a battle key; none for every other key (the down arrow included).
constexpr std::optional<BattleKey> battleKeyOf(std::int32_t keyCode) {
  for (const BattleKey& key : kBattleKeys)
    if (key.keyCode == keyCode) return key;
  return std::nullopt;
}

// The battle key that stores `command` (WalkLeft, ..., Rampage), or the space bar for the pause.
constexpr std::int32_t keyOfCommand(command::Command command) {
  for (const BattleKey& key : kBattleKeys)
    if (key.action == KeyAction::Command && key.command == command) return key.keyCode;
  return 0;
}
inline constexpr std::int32_t kPauseKey = 32;

}  // namespace mojara

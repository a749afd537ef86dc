// The battle's own keys, one table: the command each key asks for. The battle reads a key through
// it; the key bindings hand a player's keys and buttons to the battle as these keys.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "app/game_numbers.h"
#include "forms/types.h"

namespace mojara {

struct BattleKey {
  std::int32_t keyCode;  // the window system's virtual-key code
  command::Command command;
};

// clang-format off
inline constexpr std::array<BattleKey, 11> kBattleKeys{{
    {forms::vk::Left, command::WalkLeft},
    {forms::vk::Right, command::WalkRight},
    {forms::vk::Up, command::FlyingKick},
    {'P', command::Wait},
    {'A', command::Punch},
    {'Z', command::Kick},
    {'S', command::RisingDragonPunch},
    {'Q', command::PowerCharge},
    {'X', command::HeelDrop},
    {'W', command::Rampage},
    {forms::vk::Space, command::Pause},
}};
// clang-format on

// The command of a battle key; none for every other key (the down arrow included).
constexpr std::optional<command::Command> commandOfKey(std::int32_t keyCode) {
  for (const BattleKey& key : kBattleKeys)
    if (key.keyCode == keyCode) return key.command;
  return std::nullopt;
}

// The battle key of a command, or 0 for a command no key asks for (none, and the computer's
// second walks).
constexpr std::int32_t keyOf(command::Command command) {
  for (const BattleKey& key : kBattleKeys)
    if (key.command == command) return key.keyCode;
  return 0;
}

}  // namespace mojara

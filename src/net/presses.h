// A player's key presses before one timer event of an online fight: what travels between peers.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "battle/fight.h"

namespace mojara::net {

// The presses of one player before one event, in order. More than this many in one event is
// refused where presses come from (a keys file) or dropped (keys held down in a window).
inline constexpr int kMaxPressesPerEvent = 8;

struct Presses {
  std::uint8_t count = 0;
  std::array<std::uint16_t, kMaxPressesPerEvent> keys{};

  // Adds a key; false when the event has no room left.
  bool add(std::uint16_t keyCode) {
    if (count >= kMaxPressesPerEvent) return false;
    keys[count++] = keyCode;
    return true;
  }
  std::span<const std::uint16_t> codes() const { return {keys.data(), count}; }
  bool operator==(const Presses& other) const {
    return count == other.count && std::equal(keys.begin(), keys.begin() + count, other.keys.begin());
  }
};

// Both players' presses before one event as the fight's step takes them: player 1's, then
// player 2's.
struct EventKeys {
  std::uint8_t count = 0;
  std::array<battle::KeyDown, 2 * kMaxPressesPerEvent> keys{};
  EventKeys(const Presses& player1, const Presses& player2) {
    for (std::uint16_t code : player1.codes()) keys[count++] = {code, 1};
    for (std::uint16_t code : player2.codes()) keys[count++] = {code, 2};
  }
  std::span<const battle::KeyDown> downs() const { return {keys.data(), count}; }
};

}  // namespace mojara::net

// The values every window shares: the two fighters of the current fight, the game's progress and
// the settings. They live for the whole run; windows read and write them directly.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>

namespace mojara {

// A fixed array indexed from 0 whose every index is checked: going outside its bounds is a fatal
// error of the program, never a quiet read of something else.
template <class T, int N>
class Bounded {
 public:
  T& operator[](std::int32_t i) { return items_[checked(i)]; }
  const T& operator[](std::int32_t i) const { return items_[checked(i)]; }
  static constexpr int size() { return N; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  bool operator==(const Bounded&) const = default;

 private:
  // Read on every step of a fight: the check stays a compare, the error is built out of the way.
  static std::size_t checked(std::int32_t i) {
    if (static_cast<std::uint32_t>(i) >= static_cast<std::uint32_t>(N)) [[unlikely]]
      outOfBounds(i);
    return static_cast<std::size_t>(i);
  }
  [[noreturn, gnu::cold, gnu::noinline]] static void outOfBounds(std::int32_t i) {
    throw std::out_of_range("array index " + std::to_string(i) + " outside 0 To " + std::to_string(N - 1));
  }
  std::array<T, N> items_{};
};

template <class T>
using BySide = Bounded<T, 2>;  // side 0 the player, side 1 the computer

struct Module1 {
  // The two fighters of the current fight.
  BySide<std::string> PNAME;
  BySide<std::int32_t> LIFEFULL, LIFE, POW, SCORE, WALKSPD, ATK, CHARA;
  BySide<std::int32_t> XPOS, YPOS, XSPD, YSPD, POSE, FACING, ACTION;

  // Progress and settings.
  // The shared loop counter and side argument of the battle procedures.
  // Kept: the windows' loops run on this one shared variable and leave their end value in it (2, 8, 9).
  std::int32_t IX = 0;
  std::int32_t SPEED = 0;  // battle tick interval, ms
  std::int32_t STAGE = 0;  // fights won in this game
  // Per roster slot: already drawn as an opponent.
  // Kept: nine flags (0 To 8) for eight fighters; the ninth is cleared with the others and never drawn.
  Bounded<std::int32_t, 9> BEATEN;
  std::int32_t PICKSLOT = 0;
  // The last input: the select click's mouse button, 1 on every key of a fight, 0 at the continue window.
  std::int32_t PRESSED = 0;
  std::string NL;  // line break inside captions

  bool operator==(const Module1&) const = default;
};
// Every value by its name, the texts quoted: "PNAME ["だいさく","みよ"] LIFEFULL [380,320] ...".
std::ostream& operator<<(std::ostream& out, const Module1& M);

}  // namespace mojara

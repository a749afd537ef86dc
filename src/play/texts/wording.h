// A message the game composes from parts, kept as its form and parts so that a window can show it
// in another language: the form ("%1の「%2」を%3にしました") and each part are looked up on their
// own, then the parts go in where the form says, in the order the form's language wants them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace mojara {

struct Wording {
  std::string form;                // %1 .. %9 stand for the parts
  std::vector<std::string> parts;  // each a text of its own (a player, a command, a key)

  // The message with the form and every part shown through `shown`.
  std::string text(const std::function<std::string(const std::string&)>& shown) const;
  // The message as the game writes it.
  std::string text() const;

  friend bool operator==(const Wording&, const Wording&) = default;
};

}  // namespace mojara

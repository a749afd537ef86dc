// The game's seven windows by name. A window asks for another one by this name, never by its type,
// so no window's code depends on another's.
#pragma once

#include <iosfwd>
#include <string_view>

namespace mojara {

enum class Window { Store, Battle, Title, Help, Select, Continue, Ending };

// The form name of each window: Form1 the sprite store, Form2 the battle, Form3 the title, Form4
// the help, Form5 the player select, Form6 the continue countdown, Form7 the ending.
constexpr std::string_view formName(Window w) {
  constexpr std::string_view kNames[] = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7"};
  return kNames[static_cast<int>(w)];
}
std::ostream& operator<<(std::ostream& out, Window w);  // its form name

}  // namespace mojara

// The timed input of a whole-game run: one action a line, sorted by virtual time.
//   MS key CODE|NAME                      a key press on the window that has the keyboard
//   MS click FORM.CONTROL[(I)]            a click on a button
//   MS hover FORM.CONTROL[(I)]            the mouse moves onto the centre of that control
//   MS press FORM.CONTROL[(I)] BUTTON     a mouse button goes down at the centre of that control
//   MS scroll FORM.CONTROL VALUE          a scroll bar is moved to VALUE
//   MS choose FORM.CONTROL TEXT           an item of a drop-down list is chosen
//   MS ok                                 the open message box is closed
//   MS close FORM                         the window's title-bar close button
// Blank lines and lines starting with # are ignored. The whole-game runner reads such a script, and
// the stand-in player of demo play acts through the same lines.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mojara {

namespace forms {
struct Control;
class Form;
}  // namespace forms
class Game;

struct ScriptLine {
  enum class Action { Key, Click, Hover, Press, Scroll, Choose, Ok, Close };
  int lineNumber = 0;
  std::int64_t at = 0;  // virtual nanoseconds
  Action action = Action::Key;
  std::string form;
  std::string control;
  int index = -1;
  int number = 0;  // key code, mouse button or scroll value
  std::string text;
};

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws ScriptError "line N: ...".
std::vector<ScriptLine> readGameScript(std::string_view text);

// The line's action in the script's own syntax, without its time: "press Form5.KYARA(3) 1".
std::string actionText(const ScriptLine& line);

// What a line acts on, found on the game's windows as they are now: the window and the control
// it names, and the item it chooses.
struct LineTarget {
  forms::Form* form = nullptr;        // the window in front for a key; none for ok
  forms::Control* control = nullptr;  // for click, hover, press, scroll and choose
  int item = -1;                      // for choose: the item's place in the list
};

// A line naming a window that is not shown, a control it lacks or of another kind, a value out of
// the scroll bar's range, an item not in the list, or a message box that is (or is not) there
// throws ScriptError naming the line.
LineTarget targetOf(const Game& game, const ScriptLine& line);

// Carries the line's action out on the game's windows (checked by targetOf first).
void deliver(Game& game, const ScriptLine& line);

}  // namespace mojara

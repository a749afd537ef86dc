// The timed input of a whole-game run: one action a line, sorted by virtual time.
//   MS key CODE|NAME                      a key press on the window that has the keyboard
//   MS click FORM.CONTROL[(I)]            a click on a button
//   MS hover FORM.CONTROL[(I)]            the mouse moves onto the centre of that control
//   MS press FORM.CONTROL[(I)] BUTTON     a mouse button goes down at the centre of that control
//   MS scroll FORM.CONTROL VALUE          a scroll bar is moved to VALUE
//   MS choose FORM.CONTROL TEXT           an item of a drop-down list is chosen
//   MS ok                                 the open message box is closed
//   MS close FORM                         the window's title-bar close button
// Blank lines and lines starting with # are ignored.
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/key_names.h"

namespace mojara::sim {

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

std::vector<ScriptLine> readGameScript(std::istream& in);  // throws ScriptError

}  // namespace mojara::sim

#include "play/input/input_script.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>

#include "forms/layout.h"
#include "forms/types.h"
#include "game/game.h"
#include "play/options/cli_numbers.h"
#include "play/input/input_file.h"
#include "play/input/key_names.h"

namespace mojara {

namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

[[noreturn]] void fail(int line, const std::string& why) {
  throw ScriptError("line " + std::to_string(line) + ": " + why);
}

// FORM.CONTROL or FORM.CONTROL(I)
void readTarget(const std::string& word, int line, ScriptLine& out) {
  const auto dot = word.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == word.size())
    fail(line, "expected FORM.CONTROL, got " + quote(word));
  out.form = word.substr(0, dot);
  std::string control = word.substr(dot + 1);
  if (const auto open = control.find('('); open != std::string::npos) {
    if (control.back() != ')') fail(line, "unclosed control index in " + quote(word));
    auto index = parseInteger<int>(std::string_view(control).substr(open + 1, control.size() - open - 2));
    if (!index || *index < 0) fail(line, "bad control index in " + quote(word));
    out.index = *index;
    control.resize(open);
  }
  if (control.empty()) fail(line, "expected FORM.CONTROL, got " + quote(word));
  out.control = control;
}

}  // namespace

std::vector<ScriptLine> readGameScript(std::string_view text) {
  std::vector<ScriptLine> lines;
  int number = 0;
  std::int64_t last = 0;
  for (const std::string& raw : splitLines(text)) {
    ++number;
    std::istringstream words(raw);
    std::string when, verb;
    if (!(words >> when) || when[0] == '#') continue;
    ScriptLine line;
    line.lineNumber = number;
    auto at = parseMillis(when);
    if (!at) fail(number, "bad time " + quote(when) + " (milliseconds, 0 to 1000000000)");
    if (*at < last) fail(number, "lines are not sorted by time");
    last = line.at = *at;
    if (!(words >> verb)) fail(number, "missing action");
    std::string arg;
    using A = ScriptLine::Action;
    if (verb == "key") {
      line.action = A::Key;
      if (!(words >> arg)) fail(number, "missing key");
      line.number = keyCodeOf(arg, true);
      if (line.number < 0) fail(number, "unknown key " + quote(arg));
    } else if (verb == "click" || verb == "hover") {
      line.action = verb == "click" ? A::Click : A::Hover;
      if (!(words >> arg)) fail(number, "missing FORM.CONTROL");
      readTarget(arg, number, line);
    } else if (verb == "press") {
      line.action = A::Press;
      std::string button;
      if (!(words >> arg >> button)) fail(number, "expected FORM.CONTROL BUTTON");
      readTarget(arg, number, line);
      const std::string b = upper(button);
      line.number = b == "LEFT" || b == "1"     ? 1
                    : b == "RIGHT" || b == "2"  ? 2
                    : b == "MIDDLE" || b == "4" ? 4
                                                : 0;
      if (!line.number) fail(number, "unknown mouse button " + quote(button));
    } else if (verb == "scroll") {
      line.action = A::Scroll;
      std::string value;
      if (!(words >> arg >> value)) fail(number, "expected FORM.CONTROL VALUE");
      readTarget(arg, number, line);
      auto v = parseInteger<int>(value);
      if (!v) fail(number, "bad scroll value " + quote(value));
      line.number = *v;
    } else if (verb == "choose") {
      line.action = A::Choose;
      if (!(words >> arg)) fail(number, "expected FORM.CONTROL TEXT");
      readTarget(arg, number, line);
      std::getline(words >> std::ws, line.text);
      // The item runs to its last character: blanks or a stray carriage return after it are not
      // part of it, as they are not before it.
      while (!line.text.empty() && std::isspace(static_cast<unsigned char>(line.text.back()))) line.text.pop_back();
      if (line.text.empty()) fail(number, "missing item text");
    } else if (verb == "ok") {
      line.action = A::Ok;
    } else if (verb == "close") {
      line.action = A::Close;
      if (!(words >> line.form)) fail(number, "missing FORM");
    } else {
      fail(number, "unknown action " + quote(verb));
    }
    if (line.action != A::Choose && (words >> arg)) fail(number, "unexpected " + quote(arg));
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string actionText(const ScriptLine& line) {
  using A = ScriptLine::Action;
  const std::string target =
      line.form + "." + line.control + (line.index >= 0 ? "(" + std::to_string(line.index) + ")" : "");
  switch (line.action) {
    case A::Key:
      return "key " + keyNameOf(line.number, true);
    case A::Click:
      return "click " + target;
    case A::Hover:
      return "hover " + target;
    case A::Press:
      return "press " + target + " " + std::to_string(line.number);
    case A::Scroll:
      return "scroll " + target + " " + std::to_string(line.number);
    case A::Choose:
      return "choose " + target + " " + line.text;
    case A::Ok:
      return "ok";
    case A::Close:
      return "close " + line.form;
  }
  return "";
}

namespace {

forms::Form& shownFormOf(const Game& game, const ScriptLine& line) {
  forms::Form* form = game.findForm(line.form);
  if (!form) fail(line.lineNumber, "no window is called " + line.form);
  if (!form->shown()) fail(line.lineNumber, line.form + " is not shown");
  return *form;
}

forms::Control& controlOf(const Game& game, const ScriptLine& line, std::optional<forms::ControlKind> kind = {},
                          const char* what = "") {
  forms::Form& form = shownFormOf(game, line);
  forms::Control* control = form.findControl(line.control, line.index);
  if (!control) {
    const std::string name =
        line.index >= 0 ? line.control + "(" + std::to_string(line.index) + ")" : line.control;
    fail(line.lineNumber, line.form + " has no control " + name);
  }
  if (kind && control->Kind != *kind) fail(line.lineNumber, line.form + "." + line.control + " is not " + what);
  return *control;
}

}  // namespace

LineTarget targetOf(const Game& game, const ScriptLine& line) {
  const forms::Desktop& desktop = game.desktop;
  using A = ScriptLine::Action;
  if (line.action == A::Ok) {
    if (!desktop.messageBoxOpen()) fail(line.lineNumber, "no message box is open");
    return {};
  }
  if (desktop.messageBoxOpen() && line.action != A::Close) fail(line.lineNumber, "a message box is open");
  LineTarget target;
  switch (line.action) {
    case A::Key:
      target.form = desktop.foreground();
      if (!target.form) fail(line.lineNumber, "no window is shown");
      break;
    case A::Click:
    case A::Hover:
    case A::Press:
      target.control = &controlOf(game, line);
      break;
    case A::Scroll: {
      target.control = &controlOf(game, line, forms::ControlKind::HScrollBar, "a scroll bar");
      const auto& bar = static_cast<const forms::HScrollBar&>(*target.control);
      if (line.number < std::min(bar.Min, bar.Max) || line.number > std::max(bar.Min, bar.Max))
        fail(line.lineNumber, "value " + std::to_string(line.number) + " is outside the scroll bar's range");
      break;
    }
    case A::Choose: {
      target.control = &controlOf(game, line, forms::ControlKind::ComboBox, "a drop-down list");
      const auto& list = static_cast<const forms::ComboBox&>(*target.control).List;
      const auto item = std::find(list.begin(), list.end(), line.text);
      if (item == list.end())
        fail(line.lineNumber, "no item " + quote(line.text) + " in " + line.form + "." + line.control);
      target.item = static_cast<int>(item - list.begin());
      break;
    }
    case A::Close:
      target.form = &shownFormOf(game, line);
      break;
    case A::Ok:
      break;
  }
  return target;
}

void deliver(Game& game, const ScriptLine& line) {
  const LineTarget target = targetOf(game, line);
  forms::Desktop& desktop = game.desktop;
  using A = ScriptLine::Action;
  switch (line.action) {
    case A::Key:
      desktop.keyDown(*target.form, line.number);
      break;
    case A::Click:
      desktop.click(*target.control);
      break;
    case A::Hover:
    case A::Press: {
      const forms::Box box = forms::absoluteBox(*target.control);
      const float x = box.left + box.width / 2, y = box.top + box.height / 2;
      if (line.action == A::Hover)
        desktop.mouseMove(*target.control->Parent, x, y, 0);
      else
        desktop.mouseDown(*target.control->Parent, x, y, line.number);
      break;
    }
    case A::Scroll:
      desktop.change(static_cast<forms::HScrollBar&>(*target.control), line.number);
      break;
    case A::Choose:
      desktop.choose(static_cast<forms::ComboBox&>(*target.control), target.item);
      break;
    case A::Close:
      desktop.closeRequest(*target.form);
      break;
    case A::Ok:
      desktop.closeMessageBox();
      break;
  }
}

}  // namespace mojara

// The page's input on the windows it draws (the mouse, a widget's click, change or choice, a close
// box, the message box) and the whole-game script's lines carried out as that input.
#include "forms/layout.h"
#include "play/input/input_script.h"
#include "web/web_front_end.h"

namespace mojara::web {

forms::Form* WebFrontEnd::shownForm(const std::string& name) const {
  for (forms::Form* form : shown_)
    if (form->name() == name) return form;
  return nullptr;
}

forms::Form* WebFrontEnd::inputTo(const std::string& name) {
  forms::Form* form = shownForm(name);
  return !ended_ && form && play_.input() ? form : nullptr;
}

void WebFrontEnd::mouseDown(const std::string& name, float x, float y, int button) {
  if (forms::Form* form = inputTo(name))
    desktop_.mouseDown(*form, x * forms::kTwipsPerPixel, y * forms::kTwipsPerPixel, button);
}

void WebFrontEnd::mouseMove(const std::string& name, float x, float y, int buttons) {
  if (forms::Form* form = inputTo(name))
    desktop_.mouseMove(*form, x * forms::kTwipsPerPixel, y * forms::kTwipsPerPixel, buttons);
}

void WebFrontEnd::click(const std::string& name, const std::string& control, int index) {
  if (forms::Form* form = inputTo(name))
    if (forms::Control* c = form->findControl(control, index)) desktop_.click(*c);
}

void WebFrontEnd::change(const std::string& name, const std::string& control, int index, int value) {
  forms::Form* form = inputTo(name);
  forms::Control* c = form ? form->findControl(control, index) : nullptr;
  if (c && c->Kind == forms::ControlKind::HScrollBar) desktop_.change(static_cast<forms::HScrollBar&>(*c), value);
}

void WebFrontEnd::choose(const std::string& name, const std::string& control, int index, int listIndex) {
  forms::Form* form = inputTo(name);
  forms::Control* c = form ? form->findControl(control, index) : nullptr;
  if (c && c->Kind == forms::ControlKind::ComboBox) desktop_.choose(static_cast<forms::ComboBox&>(*c), listIndex);
}

void WebFrontEnd::closeRequest(const std::string& name) {
  if (forms::Form* form = shownForm(name); form && !ended_) desktop_.closeRequest(*form);
}

void WebFrontEnd::closeMessageBox() {
  if (messageBox_) desktop_.closeMessageBox();
}

void WebFrontEnd::scriptInput(std::string_view text) {
  const bool timed = !text.empty() && text.front() >= '0' && text.front() <= '9';
  const std::vector<ScriptLine> lines = readGameScript(timed ? std::string(text) : "0 " + std::string(text));
  if (lines.size() != 1) throw ScriptError("expected one input line");
  const ScriptLine& line = lines.front();
  // The runner's own checks, so that a line it refuses fails here too.
  using A = ScriptLine::Action;
  if (ended_) throw ScriptError("the game has ended");
  const LineTarget target = targetOf(game(), line);
  if (lines_) lines_->input(actionText(line));
  // Then as the page's own input comes: a key of the keyboard, a click, the mouse on a window.
  switch (line.action) {
    case A::Key:
      return keyDown(line.number, 0);
    case A::Click:
      return click(line.form, line.control, line.index);
    case A::Hover:
    case A::Press: {
      const forms::Box box = forms::absoluteBox(*target.control);
      const float x = (box.left + box.width / 2) / forms::kTwipsPerPixel;
      const float y = (box.top + box.height / 2) / forms::kTwipsPerPixel;
      if (line.action == A::Hover) return mouseMove(line.form, x, y, 0);
      return mouseDown(line.form, x, y, line.number);
    }
    case A::Scroll:
      return change(line.form, line.control, line.index, line.number);
    case A::Choose:
      return choose(line.form, line.control, line.index, target.item);
    case A::Ok:
      return closeMessageBox();
    case A::Close:
      return closeRequest(line.form);
  }
}

}  // namespace mojara::web

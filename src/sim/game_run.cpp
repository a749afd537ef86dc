#include "sim/game_run.h"

#include <algorithm>

#include "app/game.h"
#include "forms/layout.h"
#include "sim/recording_host.h"

namespace mojara::sim {

namespace {

[[noreturn]] void fail(const ScriptLine& line, const std::string& why) {
  throw ScriptError("line " + std::to_string(line.lineNumber) + ": " + why);
}

forms::Form& shownForm(const Game& game, const ScriptLine& line) {
  forms::Form* form = game.findForm(line.form);
  if (!form) fail(line, "no window is called " + line.form);
  if (!form->shown()) fail(line, line.form + " is not shown");
  return *form;
}

forms::Control& controlOf(const Game& game, const ScriptLine& line) {
  forms::Form& form = shownForm(game, line);
  forms::Control* control = form.findControl(line.control, line.index);
  if (!control) {
    const std::string name = line.index >= 0 ? line.control + "(" + std::to_string(line.index) + ")" : line.control;
    fail(line, line.form + " has no control " + name);
  }
  return *control;
}

template <class T>
T& controlOfKind(const Game& game, const ScriptLine& line, forms::ControlKind kind, const char* what) {
  forms::Control& control = controlOf(game, line);
  if (control.Kind != kind) fail(line, line.form + "." + line.control + " is not " + what);
  return static_cast<T&>(control);
}

void deliver(Game& game, const ScriptLine& line) {
  forms::Desktop& desktop = game.desktop;
  using A = ScriptLine::Action;
  if (line.action == A::Ok) {
    if (!desktop.messageBoxOpen()) fail(line, "no message box is open");
    desktop.closeMessageBox();
    return;
  }
  if (desktop.messageBoxOpen() && line.action != A::Close) fail(line, "a message box is open");
  switch (line.action) {
    case A::Key: {
      forms::Form* form = desktop.foreground();
      if (!form) fail(line, "no window is shown");
      desktop.keyDown(*form, line.number);
      break;
    }
    case A::Click:
      desktop.click(controlOf(game, line));
      break;
    case A::Hover:
    case A::Press: {
      forms::Control& control = controlOf(game, line);
      const forms::Box box = forms::absoluteBox(control);
      const float x = box.left + box.width / 2, y = box.top + box.height / 2;
      if (line.action == A::Hover)
        desktop.mouseMove(*control.Parent, x, y, 0);
      else
        desktop.mouseDown(*control.Parent, x, y, line.number);
      break;
    }
    case A::Scroll: {
      auto& bar = controlOfKind<forms::HScrollBar>(game, line, forms::ControlKind::HScrollBar, "a scroll bar");
      if (line.number < std::min(bar.Min, bar.Max) || line.number > std::max(bar.Min, bar.Max))
        fail(line, "value " + std::to_string(line.number) + " is outside the scroll bar's range");
      desktop.change(bar, line.number);
      break;
    }
    case A::Choose: {
      auto& combo = controlOfKind<forms::ComboBox>(game, line, forms::ControlKind::ComboBox, "a drop-down list");
      const auto item = std::find(combo.List.begin(), combo.List.end(), line.text);
      if (item == combo.List.end()) fail(line, "no item '" + line.text + "' in " + line.form + "." + line.control);
      desktop.choose(combo, static_cast<int>(item - combo.List.begin()));
      break;
    }
    case A::Close:
      desktop.closeRequest(shownForm(game, line));
      break;
    case A::Ok:
      break;
  }
}

}  // namespace

void runGame(const std::vector<ScriptLine>& script, const GameRunOptions& options, std::ostream& out) {
  forms::VirtualClock clock;
  RecordingHost host(clock, out, options.seed, options.programFolder);
  forms::Desktop desktop(host, clock, options.timerResolution);
  Game game(desktop);
  game.start();

  const std::int64_t until = options.until.value_or(
      (script.empty() ? 0 : script.back().at) + kIdleHorizon);
  for (const ScriptLine& line : script) {
    if (line.at > until) break;
    clock.runUntil(desktop, line.at);
    if (desktop.ended()) break;
    deliver(game, line);
    if (desktop.ended()) break;
  }
  const char* reason = "quit";
  if (!desktop.ended() && options.until) {
    clock.runUntil(desktop, until);
    if (!desktop.ended()) reason = "until";
  } else if (!desktop.ended()) {
    // Without an end time the run goes on while timers run, up to a horizon after the script.
    for (auto due = desktop.nextDue(); due && *due <= until; due = desktop.nextDue())
      clock.runUntil(desktop, *due);
    if (!desktop.ended()) reason = desktop.nextDue() ? "limit" : "idle";
  }
  host.line("end") << ",\"reason\":\"" << reason << "\"}\n";
}

}  // namespace mojara::sim

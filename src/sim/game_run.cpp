#include "sim/game_run.h"

#include <algorithm>
#include <optional>

#include "app/game.h"
#include "app/stand_in_player.h"
#include "forms/layout.h"
#include "select/select_window.h"
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
    const std::string name =
        line.index >= 0 ? line.control + "(" + std::to_string(line.index) + ")" : line.control;
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
      auto& bar =
          controlOfKind<forms::HScrollBar>(game, line, forms::ControlKind::HScrollBar, "a scroll bar");
      if (line.number < std::min(bar.Min, bar.Max) || line.number > std::max(bar.Min, bar.Max))
        fail(line, "value " + std::to_string(line.number) + " is outside the scroll bar's range");
      desktop.change(bar, line.number);
      break;
    }
    case A::Choose: {
      auto& combo =
          controlOfKind<forms::ComboBox>(game, line, forms::ControlKind::ComboBox, "a drop-down list");
      const auto item = std::find(combo.List.begin(), combo.List.end(), line.text);
      if (item == combo.List.end())
        fail(line, "no item '" + line.text + "' in " + line.form + "." + line.control);
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
  game.demo = options.demo || options.autoplay;
  game.onHandOver = [&](forms::Form& next) {
    host.fightEnded(game.M, &next == &game.select ? 0 : 1);
    desktop.show(next);
  };
  std::optional<StandInPlayer> standIn;
  if (options.autoplay) standIn.emplace(game, options.seed ^ 0x5EED5EED5EED5EEDull);
  game.start();

  const std::int64_t lastLine = script.empty() ? 0 : script.back().at;
  const std::int64_t until =
      options.until.value_or(lastLine + (options.autoplay ? kCampaignHorizon : kIdleHorizon));
  std::size_t next = 0;
  std::int64_t nextLook = StandInPlayer::kLookInterval;
  const char* reason = nullptr;
  while (!desktop.ended()) {
    // The next thing to happen besides timers: a script line or a look by the stand-in.
    std::int64_t t = until;
    if (next < script.size()) t = std::min(t, script[next].at);
    if (standIn) t = std::min(t, nextLook);
    const bool idle = next >= script.size() && !standIn && !options.until;
    if (idle) {
      // Without an end time the run goes on while timers run, up to a horizon after the script.
      const auto due = desktop.nextDue();
      if (!due) {
        reason = "idle";
        break;
      }
      if (*due > until) {
        reason = "limit";
        break;
      }
      clock.runUntil(desktop, *due);
      continue;
    }
    clock.runUntil(desktop, t);
    if (desktop.ended()) break;
    if (next < script.size() && script[next].at == t) {
      deliver(game, script[next++]);
    } else if (standIn && nextLook == t) {
      standIn->look(t);
      nextLook += StandInPlayer::kLookInterval;
    } else {
      reason = options.until ? "until" : "limit";
      break;
    }
  }
  host.line("end") << ",\"reason\":\"" << (reason && !desktop.ended() ? reason : "quit") << "\"}\n";
}

}  // namespace mojara::sim

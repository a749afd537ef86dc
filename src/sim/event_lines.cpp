#include "sim/event_lines.h"

#include "sim/fight_run.h"
#include "sim/json.h"

namespace mojara::sim {

void EventLines::watch(Game& game) {
  if (game_) game_->removeObserver(*this);
  game_ = &game;
  game.addObserver(*this);
}

std::ostream& EventLines::line(const char* event) {
  return out_ << "{\"t\":" << jsonMillis(clock_.now()) << ",\"ev\":\"" << event << "\"";
}

void EventLines::loaded(forms::Form& form) {
  moves_[&form] = 0;
  topAtLoad_[&form] = form.Top;
  std::ostream& out = line("load") << ",\"form\":" << jsonString(form.name());
  if (game_ && &form == &game_->form(Window::Battle) && game_->currentFight()) {
    // The state the battle is set up with, before its own load runs: enough to replay the fight.
    const Module1& M = game_->M;
    out << ",\"CHARA\":[" << M.CHARA[0] << "," << M.CHARA[1] << "],\"SPEED\":" << M.SPEED
        << ",\"STAGE\":" << M.STAGE << ",\"BEATEN\":[";
    for (int k = 0; k <= 8; ++k) out << (k ? "," : "") << M.BEATEN[k];
    out << "],\"POW\":[" << M.POW[0] << "," << M.POW[1] << "],\"SCORE\":[" << M.SCORE[0] << "," << M.SCORE[1]
        << "],\"seed\":" << game_->currentFight()->seed.value_or(0);
  }
  out << "}\n";
}

void EventLines::shown(forms::Form& form) { line("show") << ",\"form\":" << jsonString(form.name()) << "}\n"; }

void EventLines::unloaded(forms::Form& form) {
  // How far the window slid before it closed, and in how many moves.
  line("unload") << ",\"form\":" << jsonString(form.name()) << ",\"moves\":" << moves_[&form]
                 << ",\"rise\":" << static_cast<long>(topAtLoad_[&form] - form.Top) << "}\n";
}

void EventLines::beep() { line("beep") << "}\n"; }

void EventLines::messageBox(const std::string& text, const std::string& caption) {
  line("msgbox") << ",\"caption\":" << jsonString(caption) << ",\"text\":" << jsonString(text) << "}\n";
}

void EventLines::input(const std::string& action) { line("input") << ",\"line\":" << jsonString(action) << "}\n"; }

void EventLines::end(const std::string& reason) { line("end") << ",\"reason\":" << jsonString(reason) << "}\n"; }

void EventLines::fightOver(Window next) {
  if (!game_) return;
  // The fight runner's end fields, as the hand-over finds them.
  const FightOutcome outcome =
      outcomeOf(game_->M, std::string(formName(next)), game_->form(Window::Battle).timerEvents());
  line("result") << ",\"winner\":" << (next == Window::Select ? 0 : 1) << "," << outcomeFields(outcome) << "}\n";
}

}  // namespace mojara::sim

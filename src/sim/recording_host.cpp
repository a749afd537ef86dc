#include "sim/recording_host.h"

#include "game/game.h"
#include "sim/json.h"

namespace mojara::sim {

std::ostream& RecordingHost::line(const char* event) {
  return out_ << "{\"t\":" << jsonMillis(clock_.now()) << ",\"ev\":\"" << event << "\"";
}

void RecordingHost::formLoaded(forms::Form& form) {
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

void RecordingHost::formShown(forms::Form& form) {
  line("show") << ",\"form\":" << jsonString(form.name()) << "}\n";
}

void RecordingHost::formUnloaded(forms::Form& form) {
  // How far the window slid before it closed, and in how many moves.
  line("unload") << ",\"form\":" << jsonString(form.name()) << ",\"moves\":" << moves_[&form]
                 << ",\"rise\":" << static_cast<long>(topAtLoad_[&form] - form.Top) << "}\n";
}

void RecordingHost::beep() { line("beep") << "}\n"; }

void RecordingHost::messageBox(const std::string& text, const std::string& caption) {
  line("msgbox") << ",\"caption\":" << jsonString(caption) << ",\"text\":" << jsonString(text) << "}\n";
}

}  // namespace mojara::sim

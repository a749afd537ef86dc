#include "sim/recording_host.h"

#include "sim/json.h"

namespace mojara::sim {

std::ostream& RecordingHost::line(const char* event) {
  return out_ << "{\"t\":" << jsonMillis(clock_.now()) << ",\"ev\":\"" << event << "\"";
}

void RecordingHost::formLoaded(forms::Form& form) {
  moves_[&form] = 0;
  topAtLoad_[&form] = form.Top;
  line("load") << ",\"form\":" << jsonString(form.name()) << "}\n";
}

void RecordingHost::formShown(forms::Form& form) {
  line("show") << ",\"form\":" << jsonString(form.name()) << "}\n";
}

void RecordingHost::formUnloaded(forms::Form& form) {
  // How far the window slid before it closed, and in how many moves.
  line("unload") << ",\"form\":" << jsonString(form.name()) << ",\"moves\":" << moves_[&form]
                 << ",\"rise\":" << static_cast<long>(topAtLoad_[&form] - form.Top) << "}\n";
}

void RecordingHost::eventHandled() {
  if (winner_ < 0 || !state_) return;
  line("result") << ",\"winner\":" << winner_ << ",\"STAGE\":" << state_->STAGE << ",\"SCORE\":["
                 << state_->SCORE[0] << "," << state_->SCORE[1] << "]}\n";
  winner_ = -1;
}

void RecordingHost::beep() { line("beep") << "}\n"; }

void RecordingHost::messageBox(const std::string& text, const std::string& caption) {
  line("msgbox") << ",\"caption\":" << jsonString(caption) << ",\"text\":" << jsonString(text) << "}\n";
}

}  // namespace mojara::sim

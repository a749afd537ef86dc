#include "sim/headless_sound.h"

#include <filesystem>

namespace mojara::sim {

void HeadlessSound::command(forms::SoundSlot& slot, const std::string& command) {
  if (command == "Open") {
    files_[&slot] = slot.FileName;
    timing_.opened(slot, slot.FileName);
  } else if (command == "Prev") {
    // Rewinding changes nothing until the next play.
  } else if (command == "Play") {
    auto it = files_.find(&slot);
    if (it == files_.end()) return;  // a device plays only what it opened
    timing_.played(slot, clock_.now());
    if (recording_) plays_.push_back({slot.Name, std::filesystem::path(it->second).filename().string()});
  }
}

bool HeadlessSound::playing(const forms::SoundSlot& slot) const {
  return timing_.playing(slot, clock_.now());
}

void HeadlessSound::released(forms::SoundSlot& slot) {
  files_.erase(&slot);
  timing_.released(slot);
}

std::vector<HeadlessSound::Play> HeadlessSound::takePlays() {
  std::vector<Play> out;
  out.swap(plays_);
  return out;
}

}  // namespace mojara::sim

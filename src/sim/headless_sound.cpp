#include "sim/headless_sound.h"

#include <string_view>

namespace mojara::sim {

void HeadlessSound::command(forms::SoundSlot& slot, const std::string& command) {
  if (command == "Open") {
    timing_.opened(slot, slot.FileName);
  } else if (command == "Prev") {
    // Rewinding changes nothing until the next play.
  } else if (command == "Play") {
    const std::string* path = timing_.openedPath(slot);
    if (!path) return;  // a device plays only what it opened
    timing_.played(slot, now());
    if (recording_) {
      // The file's name without its folder.
      const std::string_view file = std::string_view(*path).substr(path->find_last_of('/') + 1);
      Play& play = plays_.emplace_back();
      play.slot.assign(slot.Name);
      play.file.assign(file);
    }
  }
}

void HeadlessSound::released(forms::SoundSlot& slot) {
  timing_.released(slot);
}

std::vector<HeadlessSound::Play> HeadlessSound::takePlays() {
  std::vector<Play> out;
  out.swap(plays_);
  return out;
}

}  // namespace mojara::sim

#include "sim/headless_sound.h"

#include <cmath>
#include <filesystem>

#include "assets/sound_length.h"

namespace mojara::sim {

forms::Nanos HeadlessSound::lengthOf(const std::string& path) {
  static std::map<std::string, forms::Nanos> lengths;
  auto known = lengths.find(path);
  if (known != lengths.end()) return known->second;
  const std::optional<double> seconds = assets::soundLengthSeconds(path);
  const forms::Nanos length = seconds ? static_cast<forms::Nanos>(std::llround(*seconds * 1e9)) : 0;
  lengths.emplace(path, length);
  return length;
}

void HeadlessSound::command(forms::SoundSlot& slot, const std::string& command) {
  if (command == "Open") {
    Device& device = slots_[&slot];
    device.file = slot.FileName;
    device.length = lengthOf(slot.FileName);
    device.playingUntil = 0;
  } else if (command == "Prev") {
    // Rewinding changes nothing until the next play.
  } else if (command == "Play") {
    auto it = slots_.find(&slot);
    if (it == slots_.end()) return;  // a device plays only what it opened
    it->second.playingUntil = clock_.now() + it->second.length;
    if (recording_) plays_.push_back({slot.Name, std::filesystem::path(it->second.file).filename().string()});
  }
}

bool HeadlessSound::playing(const forms::SoundSlot& slot) const {
  auto it = slots_.find(&slot);
  return it != slots_.end() && clock_.now() < it->second.playingUntil;
}

std::vector<HeadlessSound::Play> HeadlessSound::takePlays() {
  std::vector<Play> out;
  out.swap(plays_);
  return out;
}

}  // namespace mojara::sim

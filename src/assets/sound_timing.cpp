#include "assets/sound_timing.h"

#include <cmath>
#include <mutex>

#include "assets/sound_length.h"

namespace mojara::assets {

std::optional<forms::Nanos> soundLength(const std::string& path) {
  static std::mutex guard;
  static std::map<std::string, std::optional<forms::Nanos>> lengths;
  const std::lock_guard lock(guard);
  auto known = lengths.find(path);
  if (known != lengths.end()) return known->second;
  std::optional<forms::Nanos> length;
  if (const std::optional<double> seconds = soundLengthSeconds(path))
    length = static_cast<forms::Nanos>(std::llround(*seconds * 1e9));
  lengths.emplace(path, length);
  return length;
}

void SlotTiming::opened(const forms::SoundSlot& slot, const std::string& path) {
  slots_[&slot] = {soundLength(path).value_or(0), 0};
}

void SlotTiming::played(const forms::SoundSlot& slot, forms::Nanos now) {
  auto it = slots_.find(&slot);
  if (it != slots_.end()) it->second.playingUntil = now + it->second.length;
}

bool SlotTiming::playing(const forms::SoundSlot& slot, forms::Nanos now) const {
  auto it = slots_.find(&slot);
  return it != slots_.end() && now < it->second.playingUntil;
}

}  // namespace mojara::assets

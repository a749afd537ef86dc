#include "assets/sound_timing.h"

#include <cmath>
#include <map>
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

SlotTiming::Timing* SlotTiming::find(const forms::SoundSlot& slot) {
  for (Timing& t : slots_)
    if (t.slot == &slot) return &t;
  return nullptr;
}

const SlotTiming::Timing* SlotTiming::find(const forms::SoundSlot& slot) const {
  for (const Timing& t : slots_)
    if (t.slot == &slot) return &t;
  return nullptr;
}

void SlotTiming::opened(const forms::SoundSlot& slot, const std::string& path) {
  Timing* t = find(slot);
  if (!t) {
    slots_.push_back({&slot, path, soundLength(path).value_or(0), 0});
    return;
  }
  if (t->path != path) {
    t->path = path;
    t->length = soundLength(path).value_or(0);
  }
  t->playingUntil = 0;
}

void SlotTiming::played(const forms::SoundSlot& slot, forms::Nanos now) {
  if (Timing* t = find(slot)) t->playingUntil = now + t->length;
}

bool SlotTiming::playing(const forms::SoundSlot& slot, forms::Nanos now) const {
  const Timing* t = find(slot);
  return t && now < t->playingUntil;
}

void SlotTiming::released(const forms::SoundSlot& slot) {
  std::erase_if(slots_, [&](const Timing& t) { return t.slot == &slot; });
}

const std::string* SlotTiming::openedPath(const forms::SoundSlot& slot) const {
  const Timing* t = find(slot);
  return t ? &t->path : nullptr;
}

}  // namespace mojara::assets

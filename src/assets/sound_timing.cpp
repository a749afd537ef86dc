#include "assets/sound_timing.h"

#include <cmath>
#include <limits>
#include <map>
#include <mutex>

#include "assets/sound_length.h"

namespace mojara::assets {

namespace {
// Room for a sound file's path: the program's folder and the file's name.
constexpr std::size_t kPathRoom = 512;
}  // namespace

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

void SlotTiming::attached(const forms::SoundSlot& slot) {
  if (find(slot)) return;
  Timing& t = slots_.emplace_back();
  t.slot = &slot;
  t.path.reserve(kPathRoom);
}

void SlotTiming::opened(const forms::SoundSlot& slot, const std::string& path) {
  Timing* t = find(slot);
  if (!t) {
    attached(slot);
    t = &slots_.back();
  }
  if (!t->open || t->path != path) {
    t->path.assign(path);
    t->length = soundLength(path).value_or(0);
  }
  t->open = true;
  t->playingUntil = 0;
}

void SlotTiming::played(const forms::SoundSlot& slot, forms::Nanos now) {
  // A play that would end past the clock's range lasts to its end.
  if (Timing* t = find(slot); t && t->open)
    t->playingUntil = t->length > std::numeric_limits<forms::Nanos>::max() - now
                          ? std::numeric_limits<forms::Nanos>::max()
                          : now + t->length;
}

void SlotTiming::released(const forms::SoundSlot& slot) {
  std::erase_if(slots_, [&](const Timing& t) { return t.slot == &slot; });
}

const std::string* SlotTiming::openedPath(const forms::SoundSlot& slot) const {
  const Timing* t = find(slot);
  return t && t->open ? &t->path : nullptr;
}

}  // namespace mojara::assets

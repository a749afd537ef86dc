// When a sound slot plays: from its play until the file's own length has passed. The windowed
// program and headless runs both answer "is it playing" by this one rule, so the music loops on
// the first battle tick after its end in both, whatever the sound device still has in its buffers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/scheduler.h"

namespace mojara::assets {

// How long the file plays, read from what it holds (WAV frames over the rate, MIDI by its tempo
// map); none for a file the game cannot play. Each file is read once per run: the sound files do
// not change under the program.
std::optional<forms::Nanos> soundLength(const std::string& path);

class SlotTiming {
 public:
  SlotTiming() { slots_.reserve(16); }
  // The slot's window loaded: room is made for what it will open, so that its plays allocate
  // nothing (a slot that was never attached is taken on at its first opening).
  void attached(const forms::SoundSlot& slot);
  // The slot opened `path`: its plays last that file's length (no time at all if it cannot play).
  void opened(const forms::SoundSlot& slot, const std::string& path);
  // The slot started playing at `now`; a slot that opened nothing plays nothing.
  void played(const forms::SoundSlot& slot, forms::Nanos now);
  bool playing(const forms::SoundSlot& slot, forms::Nanos now) const {
    const Timing* t = find(slot);
    return t && now < t->playingUntil;
  }
  void released(const forms::SoundSlot& slot);
  // The path the slot opened last, if it is open.
  const std::string* openedPath(const forms::SoundSlot& slot) const;

 private:
  // A window has a handful of slots, so a short list beats a tree; a slot opening the file it
  // had open keeps its length, so the battle's repeated plays neither allocate nor read lengths.
  struct Timing {
    const forms::SoundSlot* slot;
    bool open = false;
    std::string path;
    forms::Nanos length = 0;
    forms::Nanos playingUntil = 0;
  };
  Timing* find(const forms::SoundSlot& slot) {
    for (Timing& t : slots_)
      if (t.slot == &slot) return &t;
    return nullptr;
  }
  const Timing* find(const forms::SoundSlot& slot) const {
    // The battle asks after the same slot tick after tick: the one found last is tried first.
    if (lastFound_ < slots_.size() && slots_[lastFound_].slot == &slot) return &slots_[lastFound_];
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].slot == &slot) {
        lastFound_ = i;
        return &slots_[i];
      }
    return nullptr;
  }
  std::vector<Timing> slots_;
  mutable std::size_t lastFound_ = 0;
};

}  // namespace mojara::assets

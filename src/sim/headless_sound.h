// Sound slots on the virtual clock: a slot plays from its "Play" until the file's own length has
// passed (a missing or unreadable file plays for no time at all). Nothing is heard; every play is
// remembered so that runs can report it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "assets/sound_timing.h"
#include "forms/controls.h"
#include "forms/scheduler.h"
#include "forms/virtual_clock.h"

namespace mojara::sim {

class HeadlessSound : public forms::SoundService {
 public:
  explicit HeadlessSound(const forms::Clock& clock)
      : clock_(clock), virtualClock_(dynamic_cast<const forms::VirtualClock*>(&clock)) {
    plays_.reserve(8);
  }

  void command(forms::SoundSlot& slot, const std::string& command) override;
  // Asked on every battle tick, of the music.
  bool playing(const forms::SoundSlot& slot) const override { return timing_.playing(slot, now()); }
  void attached(forms::SoundSlot& slot) override { timing_.attached(slot); }
  void released(forms::SoundSlot& slot) override;

  struct Play {
    std::string slot;  // the slot's name, e.g. MMControl3
    std::string file;  // the file's name without its folder
  };
  // The plays started since the last call (kept only while recording, as by default).
  std::vector<Play> takePlays();
  // The same without handing them over: read them, then clear them, keeping the room they took.
  const std::vector<Play>& plays() const { return plays_; }
  void clearPlays() { plays_.clear(); }
  void setRecording(bool on) { recording_ = on; }

 private:
  // The time; read straight from the clock when it is the virtual one, as it is in headless runs.
  forms::Nanos now() const { return virtualClock_ ? virtualClock_->now() : clock_.now(); }
  const forms::Clock& clock_;
  const forms::VirtualClock* virtualClock_;
  assets::SlotTiming timing_;  // also what each slot opened
  std::vector<Play> plays_;
  bool recording_ = true;
};

}  // namespace mojara::sim

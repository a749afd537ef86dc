// Sound slots on the virtual clock: a slot plays from its "Play" until the file's own length has
// passed (a missing or unreadable file plays for no time at all). Nothing is heard; every play is
// remembered so that runs can report it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "assets/sound_timing.h"
#include "forms/controls.h"
#include "forms/scheduler.h"

namespace mojara::sim {

class HeadlessSound : public forms::SoundService {
 public:
  explicit HeadlessSound(const forms::Clock& clock) : clock_(clock) {}

  void command(forms::SoundSlot& slot, const std::string& command) override;
  bool playing(const forms::SoundSlot& slot) const override;
  void released(forms::SoundSlot& slot) override;

  struct Play {
    std::string slot;  // the slot's name, e.g. MMControl3
    std::string file;  // the file's name without its folder
  };
  // The plays started since the last call (kept only while recording, as by default).
  std::vector<Play> takePlays();
  void setRecording(bool on) { recording_ = on; }

 private:
  const forms::Clock& clock_;
  std::map<const forms::SoundSlot*, std::string> files_;  // what each slot opened
  assets::SlotTiming timing_;
  std::vector<Play> plays_;
  bool recording_ = true;
};

}  // namespace mojara::sim

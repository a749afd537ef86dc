// Sound slots in the browser: the core decides what plays and for how long, the page only makes
// it heard. A slot plays from its "Play" until its file's own length has passed on the game's
// clock (one rule with the desktop and the headless runs), so the music loops on the first tick
// after its end whatever the page's audio does. Each play and each stop is handed to the page as
// an event: this file from this moment of the game's clock, or this slot silent now.
#pragma once

#include <string>
#include <vector>

#include "assets/sound_timing.h"
#include "forms/controls.h"
#include "forms/scheduler.h"
#include "play/settings/sound_levels.h"
#include "sim/headless_sound.h"

namespace mojara::web {

struct SoundEvent {
  enum class Kind { Play, Stop, Beep };
  Kind kind = Kind::Play;
  std::string slot;  // the slot's name (MMControl3 ...); empty for the beep
  std::string file;  // the file's name without its folder; empty for a stop
  bool music = false;  // a MIDI file: the page plays its rendering
  forms::Nanos at = 0;  // when, on the game's clock: a late page starts that far into the file
  bool operator==(const SoundEvent&) const = default;
};

class WebSound : public forms::SoundService {
 public:
  explicit WebSound(const forms::Clock& clock) : clock_(clock) {}

  void command(forms::SoundSlot& slot, const std::string& command) override;
  bool playing(const forms::SoundSlot& slot) const override { return timing_.playing(slot, clock_.now()); }
  void attached(forms::SoundSlot& slot) override { timing_.attached(slot); }
  void released(forms::SoundSlot& slot) override;
  void beep();

  // The events since the last call, oldest first.
  std::vector<SoundEvent> takeEvents();

  void changeVolume(int musicSteps, int effectsSteps) { levels_ = levels_.changed(musicSteps, effectsSteps); }
  void toggleMute() { levels_.muted = !levels_.muted; }
  void setLevels(const SoundLevels& levels) { levels_ = levels.valid(); }

  // Every play started, as a fight's trace gives them (a file too short to hear included), while
  // the page keeps a log.
  void setTracing(bool on) { tracing_ = on; }
  const std::vector<sim::HeadlessSound::Play>& plays() const { return plays_; }
  void clearPlays() { plays_.clear(); }
  const SoundLevels& levels() const { return levels_; }

 private:
  const forms::Clock& clock_;
  assets::SlotTiming timing_;
  std::vector<SoundEvent> events_;
  SoundLevels levels_;
  bool tracing_ = false;
  std::vector<sim::HeadlessSound::Play> plays_;
};

}  // namespace mojara::web

// The desktop host of headless runs: no windows, no sound device; it writes one JSON line for each
// window event on the virtual clock and takes its random seeds from the run's seed.
#pragma once

#include <cstdint>
#include <ostream>

#include "forms/desktop.h"
#include "forms/virtual_clock.h"
#include "sim/event_lines.h"
#include "sim/headless_sound.h"

namespace mojara::sim {

class RecordingHost : public forms::DesktopHost {
 public:
  RecordingHost(const forms::VirtualClock& clock, std::ostream& out, std::uint64_t seed,
                std::string programFolder)
      : clock_(clock), lines_(clock, out), seed_(seed), programFolder_(std::move(programFolder)), sound_(clock) {}

  void formLoaded(forms::Form& form) override { lines_.loaded(form); }
  void formShown(forms::Form& form) override { lines_.shown(form); }
  void formMoved(forms::Form& form) override { lines_.moved(form); }
  void formUnloaded(forms::Form& form) override { lines_.unloaded(form); }
  void beep() override { lines_.beep(); }
  void messageBox(const std::string& text, const std::string& caption) override { lines_.messageBox(text, caption); }
  void programEnded() override { ended_ = true; }
  std::uint64_t clockSeed() override { return seed_ + static_cast<std::uint64_t>(clock_.now() / 1'000'000); }

  forms::SoundService* soundService() override { return &sound_; }
  std::string programFolder() const override { return programFolder_; }
  HeadlessSound& sound() { return sound_; }

  // The battle window's load lines also give the fight it is set up with, and each fight ends
  // with a result line.
  void watch(Game& game) { lines_.watch(game); }

  bool ended() const { return ended_; }
  EventLines& lines() { return lines_; }

 private:
  const forms::VirtualClock& clock_;
  EventLines lines_;
  std::uint64_t seed_;
  std::string programFolder_;
  HeadlessSound sound_;
  bool ended_ = false;
};

}  // namespace mojara::sim

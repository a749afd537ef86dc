// The desktop host of headless runs: no windows, no sound device; it writes one JSON line for each
// window event on the virtual clock and takes its random seeds from the run's seed.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>

#include "app/module1.h"
#include "forms/desktop.h"
#include "forms/virtual_clock.h"
#include "sim/headless_sound.h"

namespace mojara::sim {

class RecordingHost : public forms::DesktopHost {
 public:
  RecordingHost(const forms::VirtualClock& clock, std::ostream& out, std::uint64_t seed,
                std::string programFolder)
      : clock_(clock), out_(out), seed_(seed), programFolder_(std::move(programFolder)), sound_(clock) {}

  void formLoaded(forms::Form& form) override;
  void formShown(forms::Form& form) override;
  void formMoved(forms::Form& form) override { ++moves_[&form]; }
  void formUnloaded(forms::Form& form) override;
  void beep() override;
  void messageBox(const std::string& text, const std::string& caption) override;
  void programEnded() override { ended_ = true; }
  std::uint64_t clockSeed() override { return seed_ + static_cast<std::uint64_t>(clock_.now() / 1'000'000); }

  forms::SoundService* soundService() override { return &sound_; }
  std::string programFolder() const override { return programFolder_; }
  HeadlessSound& sound() { return sound_; }

  // After the event in which the battle window handed over: a line with the fight's result.
  void eventHandled() override;
  void fightEnded(const Module1& state, int winner) {
    state_ = &state;
    winner_ = winner;
  }

  bool ended() const { return ended_; }
  // Starts a line with the time and the event name; the caller adds fields and the closing brace.
  std::ostream& line(const char* event);

 private:
  const forms::VirtualClock& clock_;
  std::ostream& out_;
  std::uint64_t seed_;
  std::string programFolder_;
  HeadlessSound sound_;
  bool ended_ = false;
  const Module1* state_ = nullptr;
  int winner_ = -1;
  std::map<const forms::Form*, int> moves_;
  std::map<const forms::Form*, float> topAtLoad_;
};

}  // namespace mojara::sim

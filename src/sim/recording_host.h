// The desktop host of headless runs: no windows, no sound device; it writes one JSON line for each
// window event on the virtual clock and takes its random seeds from the run's seed.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>

#include "forms/desktop.h"
#include "forms/virtual_clock.h"
#include "sim/headless_sound.h"

namespace mojara {
class Game;
}

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

  // The battle window's load lines also give the fight it is set up with, from this game.
  void showFightsOf(const Game& game) { game_ = &game; }

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
  const Game* game_ = nullptr;
  std::map<const forms::Form*, int> moves_;
  std::map<const forms::Form*, float> topAtLoad_;
};

}  // namespace mojara::sim

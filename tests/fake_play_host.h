// A play host for tests: records what the play session asked of its front end.
#pragma once

#include <functional>
#include <vector>

#include "play/session/play_host.h"

namespace mojara::testing {

struct FakePlayHost : PlayHost {
  std::vector<SoundLevels> levels;
  std::vector<bool> fullScreens;
  std::vector<Settings> kept;
  int keyWindows = 0;
  std::vector<VersusOpening> versusWindows;
  int takenOver = 0;
  bool busy = false;
  std::function<void()> notices;  // told when the notices change

  void soundLevelsChanged(const SoundLevels& l) override { levels.push_back(l); }
  void fullScreenChanged(bool on) override { fullScreens.push_back(on); }
  void keepSettings(const Settings&, const Settings& after) override { kept.push_back(after); }
  void openKeyWindow() override { ++keyWindows; }
  void openVersusWindow(const VersusOpening& opening) override { versusWindows.push_back(opening); }
  void versusTakenOver() override { ++takenOver; }
  bool playersBusy() const override { return busy; }
  void noticesChanged() override {
    if (notices) notices();
  }
};

}  // namespace mojara::testing

// A desktop host for tests: records what the desktop asked of it.
#pragma once

#include <string>
#include <vector>

#include "forms/desktop.h"
#include "forms/virtual_clock.h"

namespace mojara::testing {

struct FakeHost : forms::DesktopHost {
  std::vector<std::string> events;  // "load Form3", "show Form3", "unload Form3", ...
  std::vector<float> tops;          // every Top the host was told about
  int beeps = 0;
  std::vector<std::string> messages;
  int messagesClosed = 0;
  bool ended = false;
  std::uint64_t seed = 42;

  void formLoaded(forms::Form& f) override { events.push_back("load " + f.name()); }
  void formShown(forms::Form& f) override { events.push_back("show " + f.name()); }
  void formRaised(forms::Form& f) override { events.push_back("raise " + f.name()); }
  void formMoved(forms::Form& f) override { tops.push_back(f.Top); }
  void formUnloaded(forms::Form& f) override { events.push_back("unload " + f.name()); }
  void beep() override { ++beeps; }
  void messageBox(const std::string& text, const std::string&) override { messages.push_back(text); }
  void messageBoxClosed() override { ++messagesClosed; }
  void programEnded() override { ended = true; }
  std::uint64_t clockSeed() override { return seed; }
};

// A desktop on a virtual clock with a fake host.
struct VirtualDesktop {
  explicit VirtualDesktop(forms::Nanos resolution = forms::kDefaultTimerResolution)
      : desktop(host, clock, resolution) {}
  FakeHost host;
  forms::VirtualClock clock;
  forms::Desktop desktop;
  long runFor(forms::Nanos span) { return clock.runUntil(desktop, clock.now() + span); }
};

inline constexpr forms::Nanos ms(double v) { return static_cast<forms::Nanos>(v * 1'000'000); }

}  // namespace mojara::testing

// A sound service for tests that only records the commands each slot receives.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "forms/controls.h"

namespace mojara::testing {

struct RecordingSound : forms::SoundService {
  struct Command {
    std::string slot, command, file;
    bool operator==(const Command&) const = default;
    friend void PrintTo(const Command& c, std::ostream* out) {
      *out << c.slot << ' ' << c.command << (c.file.empty() ? "" : " " + c.file);
    }
  };
  std::vector<Command> commands;
  void command(forms::SoundSlot& slot, const std::string& command) override {
    commands.push_back({slot.Name, command, slot.FileName});
  }
  bool playing(const forms::SoundSlot&) const override { return false; }
};

}  // namespace mojara::testing

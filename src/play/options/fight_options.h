// The options that describe a fight's set-up, read the same way from the headless runner's
// command line and from a replay's header: P0 P1 --seed N --speed S --pow A,B --score A,B --demo --versus.
#pragma once

#include <string>
#include <vector>

#include "app/fight_setup.h"
#include "play/options/command_line.h"

namespace mojara {

struct FightOptions {
  FightSetup fight;
  std::vector<std::string> rosterSlots;  // P0 P1 as given
  bool anyGiven = false;                 // whether any set-up option was given
};

// Adds P0, P1, --seed, --speed, --pow, --score, --demo and --versus to `app`, written into `options`.
void addFightOptions(CLI::App& app, FightOptions& options);

// After the parse: the roster slots from P0 and P1 (UsageError when they are not two slots).
void takeSlots(FightOptions& options);

}  // namespace mojara

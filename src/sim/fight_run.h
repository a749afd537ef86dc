// One fight of the battle window on the virtual clock, from its load to its hand-over.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "forms/scheduler.h"
#include "play/options/command_line.h"
#include "play/options/fight_options.h"
#include "play/replays/replay.h"
#include "sim/event_limit.h"

namespace mojara::sim {

struct FightRun {
  RecordedFight recorded;  // the fight (seed 1 unless given) and its key presses
  bool trace = false;      // one line per timer event
  long long maxEvents = kDefaultMaxEvents;
  forms::Nanos timerResolution = forms::kDefaultTimerResolution;
  std::string programFolder = ".";  // where the sound files are
  std::string recordPath;           // where the fight is recorded, if anywhere
};

struct FightOutcome {
  // "Form5" (the player won), "Form6" (lost), "stalled", "limit", or "desync" (a replay whose
  // state checksum differed from its recording's: `problem` says where)
  std::string end;
  std::string problem;
  long long events = 0;
  std::int32_t STAGE = 0;
  std::array<std::int32_t, 9> BEATEN{};
  std::array<std::int32_t, 2> SCORE{}, POW{}, LIFE{};
  std::uint64_t checksum = 0;  // the fight's state checksum where it ended
};

// The options of `mojara-sim fight`, added to `app`; once it has parsed, takeFightRun() gives the
// run (reading the keys file or replay it names).
struct FightArguments {
  FightOptions setup;
  std::string keys, replay, record;
  FightRun run;
};
void addFightArguments(CLI::App& app, FightArguments& arguments);
FightRun takeFightRun(FightArguments& arguments);  // throws cli::UsageError or InputError

// `P0 P1 [options]` read at once (throws cli::UsageError or InputError saying what is wrong).
FightRun readFightArguments(const std::vector<std::string>& args);

// Runs the fight; with `run.trace` writes a line per timer event to `trace`.
FightOutcome runFight(const FightRun& run, std::ostream* trace);

// The outcome as the shared state stands: `end` and `events` as the fight ended.
FightOutcome outcomeOf(const Module1& M, std::string end, long long events);

// The end line's fields after "{": "\"end\":...,\"LIFE\":[a,b]" without the braces.
std::string outcomeFields(const FightOutcome& outcome);
std::string endLine(const FightOutcome& outcome);

}  // namespace mojara::sim

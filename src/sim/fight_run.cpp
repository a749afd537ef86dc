#include "sim/fight_run.h"

#include <algorithm>
#include <iostream>

#include <optional>

#include "battle/battle_window.h"
#include "forms/virtual_clock.h"
#include "game/game.h"
#include "play/input/input_file.h"
#include "play/replays/recording_file.h"
#include "play/replays/replay_session.h"
#include "sim/battle_trace.h"
#include "sim/headless_sound.h"

namespace mojara::sim {

namespace {

// The host of a fight run: beeps are counted and sounds play on virtual time.
class FightHost : public forms::DesktopHost {
 public:
  FightHost(const forms::Clock& clock, const FightRun& run) : run_(run), sound_(clock) {}
  std::uint64_t clockSeed() override { return run_.recorded.fight.seed.value_or(1); }
  void beep() override { ++beeps; }
  forms::SoundService* soundService() override { return &sound_; }
  std::string programFolder() const override { return run_.programFolder; }

  HeadlessSound& sound() { return sound_; }
  int beeps = 0;

 private:
  const FightRun& run_;
  HeadlessSound sound_;
};

// Where the battle window hands over, the run ends: the next window is only named, and the
// battle's controls are kept as they stood when it closed, for the closing event's trace line.
class FightEnd : public FightObserver {
 public:
  FightEnd(Form2& battle, bool keepView) : battle_(battle), keepView_(keepView) {}
  void fightOver(Window next) override {
    handedTo = std::string(formName(next));
    if (keepView_) closedView = viewOf(*battle_.ctl);
  }
  std::string handedTo;
  std::optional<BattleView> closedView;

 private:
  Form2& battle_;
  bool keepView_;
};

// The trace lines on their way out: written in large blocks, and whatever is still held when the
// run ends (or stops on an error) written then, so the output is the same line by line.
class TraceOutput {
 public:
  explicit TraceOutput(std::ostream* out) : out_(out) {
    if (out_) text.reserve(kBlock + kBlock / 4);
  }
  TraceOutput(const TraceOutput&) = delete;
  TraceOutput& operator=(const TraceOutput&) = delete;
  ~TraceOutput() { flush(); }
  void lineDone() {
    if (text.size() >= kBlock) flush();
  }
  void flush() {
    if (out_ && !text.empty()) out_->write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  }
  std::string text;

 private:
  static constexpr std::size_t kBlock = 64 * 1024;
  std::ostream* out_;
};

}  // namespace

FightOutcome runFight(const FightRun& run, std::ostream* trace) {
  const bool tracing = run.trace && trace;
  forms::VirtualClock clock;
  FightHost host(clock, run);
  forms::Desktop desktop(host, clock, run.timerResolution);
  Game game(desktop);
  Module1& M = game.M;
  Form2& battle = game.battle;
  host.sound().setRecording(tracing);
  FightEnd end(battle, tracing);
  game.addObserver(end);

  std::optional<ReplayRecorder> recorder;
  if (!run.recordPath.empty())
    recorder.emplace(game, run.recordPath, [](const std::string& problem) { std::cerr << "mojara-sim: " << problem << "\n"; });

  FightSetup fight = run.recorded.fight;
  if (!fight.seed) fight.seed = 1;
  game.startFight(fight, AfterFight::Stop);
  const std::vector<StateCheck>& checks = run.recorded.checks;
  std::size_t nextCheck = 0;

  FightOutcome outcome;
  KeyFeed keys(run.recorded.keys);
  TraceOutput out(tracing ? trace : nullptr);
  std::string timerName;
  // The view is kept from line to line; its texts have room for the longest captions from the
  // start, so that no event's line allocates.
  BattleView view;
  for (std::string* text : {&view.banner, &view.message, &view.clock, &view.names[0], &view.names[1]})
    text->reserve(256);
  while (true) {
    if (outcome.events >= run.maxEvents) {
      outcome.end = "limit";
      break;
    }
    const long long event = outcome.events + 1;
    keys.deliverBefore(event, [&](const KeyPress& press) {
      if (recorder && battle.loaded()) recorder->keyPressed(battle, press.code, press.player);
      pressKey(desktop, battle, press);
    });
    const auto due = desktop.nextDue();
    if (!due) {
      outcome.end = "stalled";
      break;
    }
    clock.set(*due);
    desktop.fireNextDueTimer(tracing ? &timerName : nullptr);
    outcome.events = event;
    if (tracing) {
      if (battle.loaded())
        readView(*battle.ctl, view);
      else if (end.closedView)
        view = *end.closedView;
      else
        view = BattleView{};
      appendTraceLine(out.text, event, timerName, M, battle, view, host.sound().plays(), host.beeps,
                      fight.versus);
      out.text += '\n';
      out.lineDone();
      host.sound().clearPlays();
      host.beeps = 0;
    }
    // A replay checks the fight against its recording's checksums.
    while (nextCheck < checks.size() && checks[nextCheck].event < event) ++nextCheck;
    if (nextCheck < checks.size() && checks[nextCheck].event == event &&
        game.fightChecksum() != checks[nextCheck].checksum) {
      outcome.end = "desync";
      outcome.problem = disagreement(event, checks, nextCheck);
      break;
    }
    if (!end.handedTo.empty()) {
      outcome.end = end.handedTo;
      break;
    }
  }
  // A fight that ends before it is decided is recorded as far as it went.
  if (recorder && end.handedTo.empty()) recorder->programEnding();
  FightOutcome result = outcomeOf(M, outcome.end, outcome.events);
  result.problem = outcome.problem;
  result.checksum = game.fightChecksum();
  return result;
}

FightOutcome outcomeOf(const Module1& M, std::string end, long long events) {
  FightOutcome o;
  o.end = std::move(end);
  o.events = events;
  o.STAGE = M.STAGE;
  for (int k = 0; k <= 8; ++k) o.BEATEN[k] = M.BEATEN[k];
  for (int i = 0; i <= 1; ++i) {
    o.SCORE[i] = M.SCORE[i];
    o.POW[i] = M.POW[i];
    o.LIFE[i] = M.LIFE[i];
  }
  return o;
}

std::string outcomeFields(const FightOutcome& o) {
  auto list = [](const auto& values) {
    std::string s = "[";
    for (std::size_t i = 0; i < values.size(); ++i) s += (i ? "," : "") + std::to_string(values[i]);
    return s + "]";
  };
  return "\"end\":\"" + o.end + "\",\"e\":" + std::to_string(o.events) +
         ",\"STAGE\":" + std::to_string(o.STAGE) + ",\"BEATEN\":" + list(o.BEATEN) +
         ",\"SCORE\":" + list(o.SCORE) + ",\"POW\":" + list(o.POW) + ",\"LIFE\":" + list(o.LIFE);
}

std::string endLine(const FightOutcome& o) { return "{" + outcomeFields(o) + "}"; }

void addFightArguments(CLI::App& app, FightArguments& a) {
  addFightOptions(app, a.setup);
  cli::addValue(app, "--keys", "FILE|-",
                "Key presses, a line 'EVENT KEY' (KEY: a code, A-Z, LEFT, UP, RIGHT, DOWN, SPACE; "
                "'2:KEY' the second player's in a --versus fight), each delivered just before that "
                "timer event; - reads standard input",
                [&a](const std::string& v) {
                  a.keys = v;
                  a.setup.anyGiven = true;
                });
  cli::addValue(app, "--replay", "FILE",
                "A fight recorded by mojara --record (or by this runner), played again exactly; a replay "
                "that comes to another state than its recording ends with \"end\":\"desync\"",
                [&a](const std::string& v) { a.replay = v; });
  cli::addValue(app, "--record", "FILE", "Records the fight into FILE as mojara --record does",
                [&a](const std::string& v) { a.record = v; });
  app.add_flag("--trace", a.run.trace, "Print the fight's state after every timer event as a JSON line");
  cli::addValue(app, "--max-events", "N", "Stop after N timer events; default 100000",
                [&a](const std::string& v) {
                  a.run.maxEvents = cli::wholeNumber<long long>("--max-events", v, 0, 1'000'000'000'000LL);
                });
  cli::addValue(app, "--timer-resolution", "MS",
                "The platform timer resolution, 0.001 to 60000; default 54.925", [&a](const std::string& v) {
                  a.run.timerResolution =
                      cli::millis("--timer-resolution", v, kMinTimerResolution, kMaxTimerResolution);
                });
}

FightRun takeFightRun(FightArguments& a) {
  FightRun run = a.run;
  if (!a.record.empty()) {
    if (const auto problem = recordingProblem(a.record))
      throw InputError("cannot record into " + shortened(a.record) + ": " + *problem);
    run.recordPath = a.record;
  }
  if (!a.replay.empty()) {
    if (!a.setup.rosterSlots.empty() || a.setup.anyGiven)
      throw cli::UsageError("--replay gives the fight's slots, seed, speed, power, points and keys itself");
    const std::string text = readInputFile(a.replay, "the replay");
    try {
      run.recorded = readReplay(text);
    } catch (const InputError& e) {
      throw InputError("the replay " + shortened(a.replay) + ": " + e.what());
    }
    // A fight the program left before it was decided plays as far as it went.
    if (run.recorded.cutShortAfter) run.maxEvents = std::min(run.maxEvents, *run.recorded.cutShortAfter);
    return run;
  }
  takeSlots(a.setup);
  run.recorded.fight = a.setup.fight;
  if (!a.keys.empty()) {
    const std::string text = readInputFile(a.keys, "the keys file");
    try {
      run.recorded.keys = readKeyLines(splitLines(text));
    } catch (const InputError& e) {
      throw InputError("keys file " + std::string(e.what()));
    }
    if (!run.recorded.fight.versus && anySecondPlayerKey(run.recorded.keys))
      throw InputError("keys file: it has keys of a second player (EVENT 2:KEY), for a --versus fight only");
  }
  return run;
}

FightRun readFightArguments(const std::vector<std::string>& args) {
  CLI::App app{"", "fight"};
  FightArguments arguments;
  addFightArguments(app, arguments);
  cli::parseOrThrow(app, args);
  return takeFightRun(arguments);
}

}  // namespace mojara::sim

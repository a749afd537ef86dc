#include "sim/game_run.h"

#include <algorithm>
#include <optional>

#include "game/game.h"
#include "play/stand_in_player.h"
#include "sim/fight_run.h"
#include "sim/json.h"
#include "sim/recording_host.h"

namespace mojara::sim {

namespace {

// A line for every fight's result, when the battle window's hand-over begins.
class ResultLines : public FightObserver {
 public:
  ResultLines(const Game& game, RecordingHost& host) : game_(game), host_(host) {}
  void fightOver(Window next) override {
    // The fight runner's end fields, as the hand-over finds them.
    const FightOutcome outcome =
        outcomeOf(game_.M, std::string(formName(next)), game_.form(Window::Battle).timerEvents());
    host_.line("result") << ",\"winner\":" << (next == Window::Select ? 0 : 1) << ","
                         << outcomeFields(outcome) << "}\n";
  }

 private:
  const Game& game_;
  RecordingHost& host_;
};

}  // namespace

void runGame(const std::vector<ScriptLine>& script, const GameRunOptions& options, std::ostream& out) {
  forms::VirtualClock clock;
  RecordingHost host(clock, out, options.seed, options.programFolder);
  forms::Desktop desktop(host, clock, options.timerResolution);
  Game game(desktop);
  host.showFightsOf(game);
  game.setDemoPlay(options.demo || options.autoplay);
  ResultLines results(game, host);
  game.addObserver(results);
  std::optional<StandInPlayer> standIn;
  if (options.autoplay) standIn.emplace(game, options.seed ^ 0x5EED5EED5EED5EEDull);
  auto deliverLine = [&](const ScriptLine& line) {
    host.line("input") << ",\"line\":" << jsonString(actionText(line)) << "}\n";
    deliver(game, line);
  };
  game.start();

  const std::int64_t lastLine = script.empty() ? 0 : script.back().at;
  const std::int64_t until =
      options.until.value_or(lastLine + (options.autoplay ? kCampaignHorizon : kIdleHorizon));
  std::size_t next = 0;
  std::int64_t nextLook = StandInPlayer::kLookInterval;
  const char* reason = nullptr;
  while (!desktop.ended()) {
    // The next thing to happen besides timers: a script line or a look by the stand-in.
    std::int64_t t = until;
    if (next < script.size()) t = std::min(t, script[next].at);
    if (standIn) t = std::min(t, nextLook);
    const bool idle = next >= script.size() && !standIn && !options.until;
    if (idle) {
      // Without an end time the run goes on while timers run, up to a horizon after the script.
      const auto due = desktop.nextDue();
      if (!due) {
        reason = "idle";
        break;
      }
      if (*due > until) {
        reason = "limit";
        break;
      }
      clock.runUntil(desktop, *due);
      continue;
    }
    clock.runUntil(desktop, t);
    if (desktop.ended()) break;
    if (next < script.size() && script[next].at == t) {
      deliverLine(script[next++]);
    } else if (standIn && nextLook == t) {
      if (auto action = standIn->look(t)) deliverLine(*action);
      nextLook += StandInPlayer::kLookInterval;
    } else {
      reason = options.until ? "until" : "limit";
      break;
    }
  }
  host.line("end") << ",\"reason\":\"" << (reason && !desktop.ended() ? reason : "quit") << "\"}\n";
}

}  // namespace mojara::sim

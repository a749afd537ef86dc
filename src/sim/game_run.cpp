#include "sim/game_run.h"

#include <algorithm>
#include <optional>

#include "game/game.h"
#include "play/session/stand_in_player.h"
#include "sim/recording_host.h"

namespace mojara::sim {

void runGame(const std::vector<ScriptLine>& script, const GameRunOptions& options, std::ostream& out) {
  forms::VirtualClock clock;
  RecordingHost host(clock, out, options.seed, options.programFolder);
  forms::Desktop desktop(host, clock, options.timerResolution);
  Game game(desktop);
  host.watch(game);
  game.setDemoPlay(options.demo || options.autoplay);
  std::optional<StandInPlayer> standIn;
  if (options.autoplay) standIn.emplace(game, StandInPlayer::seedOfRun(options.seed));
  auto deliverLine = [&](const ScriptLine& line) {
    host.lines().input(actionText(line));
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
  host.lines().end(reason && !desktop.ended() ? reason : "quit");
}

}  // namespace mojara::sim

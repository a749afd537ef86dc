#include "sim/fight_run.h"

#include <optional>

#include "app/game.h"
#include "battle/battle_window.h"
#include "forms/virtual_clock.h"
#include "select/roster.h"
#include "sim/battle_trace.h"
#include "sim/headless_sound.h"

namespace mojara::sim {

namespace {

// The host of a fight run: the battle load's reseed takes the run's seed; beeps are counted;
// the battle window's controls are kept as they stood when it closed.
class FightHost : public forms::DesktopHost {
 public:
  FightHost(const forms::Clock& clock, const FightSetup& setup) : setup_(setup), sound_(clock) {}
  std::uint64_t clockSeed() override { return setup_.seed; }
  void beep() override { ++beeps; }
  forms::SoundService* soundService() override { return &sound_; }
  std::string programFolder() const override { return setup_.programFolder; }
  void formUnloaded(forms::Form& form) override {
    if (setup_.trace && battle && &form == battle) closedView = viewOf(*battle->ctl);
  }

  HeadlessSound& sound() { return sound_; }
  int beeps = 0;
  Form2* battle = nullptr;
  std::optional<BattleView> closedView;

 private:
  const FightSetup& setup_;
  HeadlessSound sound_;
};

}  // namespace

FightOutcome runFight(const FightSetup& setup, std::ostream* trace) {
  forms::VirtualClock clock;
  FightHost host(clock, setup);
  forms::Desktop desktop(host, clock, setup.timerResolution);
  Game game(desktop);
  Module1& M = game.M;
  Form2& battle = game.battle;
  host.battle = &battle;
  host.sound().setRecording(setup.trace && trace);

  // As an accepted draw on the select window leaves it; everything else as at program start.
  acceptDraw(M, setup.player, setup.opponent);
  M.IX = 0;
  M.SPEED = setup.speed;
  for (int i = 0; i <= 1; ++i) {
    M.POW[i] = setup.pow[i];
    M.SCORE[i] = setup.score[i];
  }
  std::string handedTo;
  game.onHandOver = [&](forms::Form& next) { handedTo = next.name(); };

  game.demo = setup.demo;
  desktop.show(battle);

  FightOutcome outcome;
  std::size_t nextKey = 0;
  std::string line, timerName;
  std::vector<SoundPlay> sounds;
  while (true) {
    if (outcome.events >= setup.maxEvents) {
      outcome.end = "limit";
      break;
    }
    const long long event = outcome.events + 1;
    for (; nextKey < setup.keys.size() && setup.keys[nextKey].event <= event; ++nextKey)
      if (setup.keys[nextKey].event == event) desktop.keyDown(battle, setup.keys[nextKey].code);
    const auto due = desktop.nextDue();
    if (!due) {
      outcome.end = "stalled";
      break;
    }
    clock.set(*due);
    desktop.fireNextDueTimer(&timerName);
    outcome.events = event;
    if (setup.trace && trace) {
      sounds.clear();
      for (auto& play : host.sound().takePlays()) sounds.push_back({play.slot, play.file});
      const BattleView view = battle.loaded() ? viewOf(*battle.ctl) : host.closedView.value_or(BattleView{});
      line.clear();
      appendTraceLine(line, event, timerName, M, battle, view, sounds, host.beeps);
      line += '\n';
      *trace << line;
      host.beeps = 0;
    }
    if (!handedTo.empty()) {
      outcome.end = handedTo;
      break;
    }
  }
  outcome.STAGE = M.STAGE;
  for (int k = 0; k <= 8; ++k) outcome.BEATEN[k] = M.BEATEN[k];
  for (int i = 0; i <= 1; ++i) {
    outcome.SCORE[i] = M.SCORE[i];
    outcome.POW[i] = M.POW[i];
    outcome.LIFE[i] = M.LIFE[i];
  }
  return outcome;
}

std::string endLine(const FightOutcome& o) {
  auto list = [](const auto& values) {
    std::string s = "[";
    for (std::size_t i = 0; i < values.size(); ++i) s += (i ? "," : "") + std::to_string(values[i]);
    return s + "]";
  };
  return "{\"end\":\"" + o.end + "\",\"e\":" + std::to_string(o.events) +
         ",\"STAGE\":" + std::to_string(o.STAGE) + ",\"BEATEN\":" + list(o.BEATEN) +
         ",\"SCORE\":" + list(o.SCORE) + ",\"POW\":" + list(o.POW) + ",\"LIFE\":" + list(o.LIFE) + "}";
}

}  // namespace mojara::sim

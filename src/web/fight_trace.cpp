#include "web/fight_trace.h"

#include "sim/fight_run.h"

namespace mojara::web {

FightTrace::FightTrace(Game& game, WebSound& sound, std::ostream& out) : game_(game), sound_(sound), out_(out) {
  game_.addObserver(*this);
  sound_.setTracing(true);
}

FightTrace::~FightTrace() { game_.removeObserver(*this); }

void FightTrace::fightStarting(const FightSetup& fight) {
  active_ = true;
  versus_ = fight.versus;
  written_ = 0;
  beeps_ = 0;
  handedTo_.clear();
  closing_.clear();
  closedView_.reset();
  sound_.clearPlays();
}

void FightTrace::fightOver(Window next) {
  if (!active_) return;
  handedTo_ = std::string(formName(next));
  // The battle as it closes, and what it sounded up to now: what follows is another window's.
  closedView_ = sim::viewOf(game_.battle);
  closedPlays_ = sound_.plays();
  closedBeeps_ = beeps_;
}

void FightTrace::windowShowing(Window) {
  // The battle has closed and the next window is about to show: the fight's state stands as its
  // hand-over left it, which is what the runner's last lines give.
  if (active_ && !handedTo_.empty() && closing_.empty()) closingLines();
}

void FightTrace::closingLines() {
  const long long event = game_.form(Window::Battle).timerEvents();
  sim::appendTraceLine(closing_, event, timer_, game_.M, game_.battle, *closedView_, closedPlays_, closedBeeps_,
                       versus_);
  closing_ += '\n' + sim::endLine(sim::outcomeOf(game_.M, handedTo_, event)) + '\n';
}

void FightTrace::timerFired() {
  const forms::Form& battle = game_.form(Window::Battle);
  if (!active_ || battle.timerEvents() == written_) return;
  written_ = battle.timerEvents();
  if (!handedTo_.empty()) {
    if (closing_.empty()) closingLines();
    out_ << closing_;
    active_ = false;
    return;
  }
  line_.clear();
  sim::appendTraceLine(line_, written_, timer_, game_.M, game_.battle, sim::viewOf(game_.battle), sound_.plays(),
                       beeps_, versus_);
  out_ << line_ << '\n';
  sound_.clearPlays();
  beeps_ = 0;
}

}  // namespace mojara::web

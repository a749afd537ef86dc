#include "qt/attract_play.h"

namespace mojara::qt {

namespace {

constexpr const char* kMarkSlot = "demo";

}  // namespace

AttractPlay::AttractPlay(Game& game, FrontEnd& frontEnd, std::uint64_t seed, std::function<bool()> busy)
    : frontEnd_(frontEnd), attract_(game, seed), busy_(std::move(busy)) {
  frontEnd_.hooks.input = [this] {
    const bool goesOn = attract_.input(frontEnd_.now());
    showMark();
    return goesOn;
  };
  QObject::connect(&clock_, &QTimer::timeout, [this] { look(frontEnd_.now()); });
  clock_.start(static_cast<int>(AttractMode::kLookInterval / 1'000'000));
}

AttractPlay::~AttractPlay() { frontEnd_.hooks.input = nullptr; }

void AttractPlay::look(forms::Nanos now) {
  // A player choosing keys or fighters is not idle.
  if (busy_ && busy_()) attract_.input(now);
  if (!attract_.look(now)) return;
  showMark();
  frontEnd_.afterEvent();
}

void AttractPlay::showMark() {
  if (attract_.running())
    frontEnd_.showMark(kDemoMark, kMarkSlot);
  else
    frontEnd_.takeMark(kMarkSlot);
}

}  // namespace mojara::qt

#include "qt/scale_in_effect.h"

#include <algorithm>
#include <iostream>

#include "qt/centred.h"
#include "qt/screen_fit.h"

namespace mojara::qt {

namespace {

// The largest whole scale at which the battle window (7635 x 5220 twips) fits in 70 % of the
// screen's available width and height; at least 1.
int defaultScale() {
  const QRect screen = workArea();
  const double w = 7635.0 / 15, h = 5220.0 / 15;
  return std::max(1, static_cast<int>(std::min(0.7 * screen.width() / w, 0.7 * screen.height() / h)));
}

}  // namespace

KeySettingsWindow::InEffect scaleInEffect(const Options& commandLine, const Options& chosen, const Game& game,
                                          FrontEnd& frontEnd) {
  const QRect room = workArea();
  KeySettingsWindow::InEffect run;
  run.largestScale = largestScaleThatFits(
      [&](int scale) { return everyWindowFits(scale, game, frontEnd.texts(), room); },
      Settings::kMaxScale);
  run.scaleFromCommandLine = commandLine.scale.has_value();
  run.scale = chosen.scale.value_or(std::min(defaultScale(), run.largestScale));
  if (run.scale > run.largestScale) {
    run.scaleAsked = run.scale;
    run.scale = run.largestScale;
    std::cerr << "mojara: " << (run.scaleFromCommandLine ? "--scale " : "the kept scale ") << *run.scaleAsked
              << " does not fit this screen (" << room.width() << " x " << room.height()
              << " pixels for windows); the windows are drawn at scale " << run.scale
              << ", the largest that fits\n";
    frontEnd.showNotice(Wording{"%1 倍は画面に入らないので、%2 倍で表示しています",
                                        {std::to_string(*run.scaleAsked), std::to_string(run.scale)}},
                        std::chrono::seconds(8), "scale");
  }
  return run;
}

}  // namespace mojara::qt

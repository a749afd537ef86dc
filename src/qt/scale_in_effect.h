// The scale the windows of this run are drawn at.
#pragma once

#include "game/game.h"
#include "play/options/options.h"
#include "qt/front_end.h"
#include "qt/key_settings_window.h"

namespace mojara::qt {

// The command line's scale or the kept one, else the default, but never more than the screen has
// room for. A scale that does not fit is said once, on standard error and in the window; the kept
// setting stays as it is, for a larger screen.
KeySettingsWindow::InEffect scaleInEffect(const Options& commandLine, const Options& chosen, const Game& game,
                                          FrontEnd& frontEnd);

}  // namespace mojara::qt

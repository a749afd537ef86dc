// The largest window scale this screen has room for: the largest whole scale at which every window
// the program may open (the game's own and the front end's key-settings and versus windows, whose
// sizes grow with the scale) fits the screen's room for windows with its frame.
#pragma once

#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

#include "game/game.h"
#include "qt/shown_texts.h"

namespace mojara::qt {

// The client sizes of the windows that may open at `scale`: the game's (all but the sprite store,
// which is never shown), and the key-settings and versus windows with their texts as `texts` shows
// them.
std::vector<QSize> windowSizesAt(int scale, const Game& game, const ShownTexts& texts);

// Whether every one of those windows fits `area` with its frame. The key-settings window, which
// is laid out to be measured, is measured only when all the others fit.
bool everyWindowFits(int scale, const Game& game, const ShownTexts& texts, const QRect& area);

// The largest scale from 1 to `most` at which `fits`; 1 when even that does not.
int largestScaleThatFits(const std::function<bool(int scale)>& fits, int most);

}  // namespace mojara::qt

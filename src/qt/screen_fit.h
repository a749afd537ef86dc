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

// The largest scale from 1 to `most` at which every size `sizesAt` gives fits `area` with a frame;
// 1 when even that does not fit.
int largestScaleThatFits(const std::function<std::vector<QSize>(int scale)>& sizesAt, const QRect& area,
                         int most);

}  // namespace mojara::qt

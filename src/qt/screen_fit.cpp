#include "qt/screen_fit.h"

#include <algorithm>

#include "qt/canvas_painter.h"
#include "qt/centred.h"
#include "qt/key_settings_window.h"
#include "qt/versus_window.h"

namespace mojara::qt {

namespace {

// The game's windows and the versus window: sizes known without laying anything out.
std::vector<QSize> plainSizesAt(int scale, const Game& game) {
  const Scale at{scale};
  std::vector<QSize> sizes;
  for (Window window :
       {Window::Battle, Window::Title, Window::Help, Window::Select, Window::Continue, Window::Ending}) {
    const forms::Form& form = game.form(window);
    sizes.emplace_back(static_cast<int>(std::lround(at.px(form.ScaleWidth))),
                       static_cast<int>(std::lround(at.px(form.ScaleHeight))));
  }
  sizes.push_back(VersusWindow::sizeAt(scale));
  return sizes;
}

}  // namespace

std::vector<QSize> windowSizesAt(int scale, const Game& game, const ShownTexts& texts) {
  std::vector<QSize> sizes = plainSizesAt(scale, game);
  sizes.push_back(KeySettingsWindow::sizeAt(scale, texts));
  return sizes;
}

bool everyWindowFits(int scale, const Game& game, const ShownTexts& texts, const QRect& area) {
  const std::vector<QSize> sizes = plainSizesAt(scale, game);
  return std::all_of(sizes.begin(), sizes.end(), [&area](QSize size) { return fitsIn(size, area); }) &&
         fitsIn(KeySettingsWindow::sizeAt(scale, texts), area);
}

int largestScaleThatFits(const std::function<bool(int scale)>& fits, int most) {
  for (int scale = most; scale > 1; --scale)
    if (fits(scale)) return scale;
  return 1;
}

}  // namespace mojara::qt

#include "qt/screen_fit.h"

#include <algorithm>

#include "qt/canvas_painter.h"
#include "qt/centred.h"
#include "qt/key_settings_window.h"
#include "qt/versus_window.h"

namespace mojara::qt {

std::vector<QSize> windowSizesAt(int scale, const Game& game, const ShownTexts& texts) {
  const Scale at{scale};
  std::vector<QSize> sizes;
  for (Window window :
       {Window::Battle, Window::Title, Window::Help, Window::Select, Window::Continue, Window::Ending}) {
    const forms::Form& form = game.form(window);
    sizes.emplace_back(static_cast<int>(std::lround(at.px(form.ScaleWidth))),
                       static_cast<int>(std::lround(at.px(form.ScaleHeight))));
  }
  sizes.push_back(KeySettingsWindow::sizeAt(scale, texts));
  sizes.push_back(VersusWindow::sizeAt(scale));
  return sizes;
}

int largestScaleThatFits(const std::function<std::vector<QSize>(int scale)>& sizesAt, const QRect& area,
                         int most) {
  for (int scale = most; scale > 1; --scale) {
    const std::vector<QSize> sizes = sizesAt(scale);
    if (std::all_of(sizes.begin(), sizes.end(), [&area](QSize size) { return fitsIn(size, area); }))
      return scale;
  }
  return 1;
}

}  // namespace mojara::qt

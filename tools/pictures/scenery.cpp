#include "scenery.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace pictures {

Colour dither(Colour a, Colour b, int level, int x, int y) {
  static constexpr std::array<int, 16> bayer = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
  return bayer[std::size_t((y & 3) * 4 + (x & 3))] < level ? b : a;
}

Colour rowMix(Colour a, Colour b, int level, int x) {
  static constexpr std::array<int, 4> order = {0, 2, 1, 3};  // quarter steps spread along the row
  return order[std::size_t(x & 3)] * 4 < level ? b : a;
}

void gradient(Canvas& c, int top, int bottom, std::initializer_list<Colour> bands) {
  const std::vector<Colour> colours(bands);
  const int steps = int(colours.size()) - 1;
  if (steps < 1) {
    c.fillRect(0, top, c.width(), bottom - top, colours.empty() ? Clear : colours[0]);
    return;
  }
  for (int y = top; y < bottom; ++y) {
    const float t = float(y - top) / float(std::max(1, bottom - top - 1)) * float(steps);
    const int band = std::min(steps - 1, int(t));
    const float within = t - float(band);
    // flat for a while, then bands a quarter, a half and three quarters into the next colour
    const int level = within < 0.4f ? 0 : std::min(16, 4 * (1 + int((within - 0.4f) / 0.15f)));
    for (int x = 0; x < c.width(); ++x)
      c.set(x, y, rowMix(colours[std::size_t(band)], colours[std::size_t(band + 1)], level, x));
  }
}

void cloud(Canvas& c, Pt at, float size) {
  Canvas puff(c.width(), c.height(), Clear, c.pixelAspect());
  const Pt lumps[] = {{0, 0},         {-1.1f, 0.35f}, {1.1f, 0.3f}, {-0.5f, -0.4f},
                      {0.55f, -0.5f}, {1.9f, 0.55f},  {-1.9f, 0.6f}};
  for (const Pt& l : lumps) puff.disc(at + l * size, size * (l.x == 0 ? 1.0f : 0.75f), White);
  // a flat underside, its lower rows in shadow
  puff.fillRect(0, c.rowAt(at.y + size * 1.2f), c.width(), c.height(), Clear);
  const int belly = c.rowAt(at.y + size * 0.55f);
  for (int y = belly; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) puff.paint(x, y, Silver);
  c.blit(puff, 0, 0);
}

int lowestRow(const Canvas& c) {
  for (int y = c.height() - 1; y >= 0; --y)
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) return y;
  return -1;
}

int topRow(const Canvas& c) {
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) return y;
  return -1;
}

void groundShadow(Canvas& c, Pt centre, float rx, float ry) {
  Canvas shape(c.width(), c.height(), Clear, c.pixelAspect());
  shape.ellipse(centre, rx, ry, Black);
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (shape.solid(x, y)) c.paint(x, y, shadeOf(c.at(x, y)));
}

}  // namespace pictures

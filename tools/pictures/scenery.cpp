#include "scenery.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "store.h"

namespace pictures {

Colour dither(Colour a, Colour b, int level, int x, int y) {
  static constexpr std::array<int, 16> bayer = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
  return bayer[std::size_t((y & 3) * 4 + (x & 3))] < level ? b : a;
}

void gradient(Canvas& c, int top, int bottom, std::initializer_list<Colour> bands) {
  const std::vector<Colour> colours(bands);
  const int steps = int(colours.size()) - 1;
  for (int y = top; y < bottom; ++y) {
    const float t = float(y - top) / float(std::max(1, bottom - top - 1)) * float(steps);
    const int band = std::min(steps - 1, int(t));
    // hold each colour pure for a while before mixing into the next
    const float mix = std::clamp((t - float(band) - 0.3f) / 0.7f, 0.0f, 1.0f);
    const int level = int(std::lround(mix * 16));
    for (int x = 0; x < c.width(); ++x)
      c.set(x, y, dither(colours[std::size_t(band)], colours[std::size_t(band + 1)], level, x, y));
  }
}

void cloud(Canvas& c, Pt at, float size) {
  Canvas puff(c.width(), c.height());
  const Pt lumps[] = {{0, 0},         {-1.1f, 0.35f}, {1.1f, 0.3f}, {-0.5f, -0.4f},
                      {0.55f, -0.5f}, {1.9f, 0.55f},  {-1.9f, 0.6f}};
  for (const Pt& l : lumps) puff.disc(at + l * size, size * (l.x == 0 ? 1.0f : 0.75f), White);
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (puff.solid(x, y) && y > at.y + size * 0.55f)
        puff.set(x, y, !puff.solid(x, y + 2) ? Silver : dither(White, Silver, 6, x, y));
  puff.fillRect(0, int(at.y + size * 1.2f), c.width(), c.height(), Clear);
  c.blit(puff, 0, 0);
}

int lowestRow(const Canvas& c) {
  for (int y = c.height() - 1; y >= 0; --y)
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) return y;
  return -1;
}

void stand(Canvas& c, const Canvas& store, int cell, int centreX, int floorY, int scale) {
  const Canvas art = storeCell(store, cell).scaled(scale);
  const int feet = lowestRow(art);
  c.blit(art, centreX - art.width() / 2, floorY - feet);
}

void groundShadow(Canvas& c, Pt centre, float rx, float ry) {
  for (int y = int(centre.y - ry); y <= int(centre.y + ry); ++y)
    for (int x = int(centre.x - rx); x <= int(centre.x + rx); ++x) {
      const float dx = (x - centre.x) / rx, dy = (y - centre.y) / ry;
      if (dx * dx + dy * dy <= 1 && (x + y) % 2 == 0) c.paint(x, y, shadeOf(c.at(x, y)));
    }
}

}  // namespace pictures

#include "scenery.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "texture.h"

namespace pictures {

Colour dither(Colour a, Colour b, int level, int x, int y) {
  static constexpr std::array<int, 16> bayer = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
  return bayer[std::size_t((y & 3) * 4 + (x & 3))] < level ? b : a;
}

int bands(Canvas& c, int top, std::initializer_list<Band> list) {
  const std::vector<Band> all(list);
  int y = top;
  for (std::size_t i = 0; i < all.size(); ++i) {
    c.fillRect(0, y, c.width(), all[i].rows, all[i].colour);
    if (i > 0) {  // the seam: the last row of the band above, and the first of this one if both are wide
      const Colour above = all[i - 1].colour, below = all[i].colour;
      const bool wide = all[i - 1].rows >= 8 && all[i].rows >= 8;
      for (int row = wide ? y - 1 : y; row <= y; ++row)
        for (int x = 0; x < c.width(); ++x) c.set(x, row, (x + row) % 2 ? above : below);
    }
    y += all[i].rows;
  }
  return y;
}

void grassTips(Canvas& c, int base, int tallest, Colour blade, std::uint32_t seed) {
  int x = -int(noise(0, 0, seed) % 3);
  for (int clump = 0; x < c.width(); ++clump) {
    const std::uint32_t n = noise(clump, 1, seed);
    const int wide = 2 + int(n % 4);               // two to five blades
    const int peak = 1 + int((n >> 4) % std::uint32_t(std::max(1, tallest)));
    const int middle = int((n >> 8) % std::uint32_t(wide));
    for (int i = 0; i < wide; ++i) {
      // tallest at one blade of the clump, falling away either side, a little ragged
      const int h = std::max(1, peak - std::abs(i - middle) - int(noise(clump, i, seed + 1) % 2));
      for (int k = 1; k <= h; ++k) c.set(x + i, base - k, blade);
      if (h >= 3 && noise(clump, i, seed + 2) % 3 == 0)  // a blade bent over at the tip
        c.set(x + i + (i < middle ? -1 : 1), base - h, blade);
    }
    x += wide + int((n >> 12) % 4);  // and a gap before the next, sometimes none
  }
}

void tuft(Canvas& c, int x, int y, Colour blade, std::uint32_t seed) {
  c.set(x, y, blade);
  switch (noise(x, y, seed) % 3) {
    case 0:  // two blades in a V
      c.set(x - 1, y - 1, blade);
      c.set(x + 1, y - 1, blade);
      break;
    case 1:  // one tall blade and a short one leaning off it
      c.set(x, y - 1, blade);
      c.set(x, y - 2, blade);
      c.set(x + 1, y - 1, blade);
      break;
    default:  // a single blade, bent
      c.set(x, y - 1, blade);
      c.set(x - 1, y - 2, blade);
      break;
  }
}

void cloud(Canvas& c, Pt at, float size) {
  Canvas puff(c.width(), c.height(), Clear, c.pixelAspect());
  const Pt lumps[] = {{0, 0},         {-1.1f, 0.35f}, {1.1f, 0.3f}, {-0.5f, -0.4f},
                      {0.55f, -0.5f}, {1.9f, 0.55f},  {-1.9f, 0.6f}};
  for (const Pt& l : lumps) puff.disc(at + l * size, size * (l.x == 0 ? 1.0f : 0.75f), White);
  // a flat underside, its lower rows in shadow
  puff.fillRect(0, c.rowAt(at.y + size * 0.95f), c.width(), c.height(), Clear);
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

// The world map: islands of the contenders' home countries in a blue sea.
#include <array>
#include <cmath>

#include "scenery.h"
#include "screens.h"
#include "texture.h"

namespace pictures {

namespace {

constexpr int kWidth = 279;
constexpr int kHeight = 157;

struct Blob {
  float x, y, r;
};

// Land is wherever the islands' blobs, roughened by noise, add up high enough.
constexpr std::array<Blob, 14> kLand = {{
    {48, 44, 22},
    {70, 62, 18},
    {36, 76, 14},
    {58, 96, 12},  // west continent
    {140, 40, 20},
    {165, 52, 18},
    {150, 74, 14},
    {178, 80, 10},  // central island
    {226, 96, 20},
    {244, 118, 16},
    {210, 124, 12},  // south-east
    {118, 122, 10},
    {96, 130, 7},  // southern isles
    {238, 34, 9},  // the far north
}};

float height(int x, int y) {
  float h = 0;
  for (const Blob& b : kLand) {
    const float dx = (x - b.x) / b.r, dy = (y - b.y) / b.r;
    h += std::exp(-(dx * dx + dy * dy) * 1.6f);
  }
  return h;
}

// Ragged coasts: a little noise on top of the smooth height.
float roughened(int x, int y, float h) {
  const float grain =
      float(noise(x / 4, y / 4, 31) % 100) / 100.0f + float(noise(x / 2, y / 2, 32) % 100) / 250.0f;
  return h + (grain - 0.7f) * 0.25f;
}

// Each country has its own colour.
Colour country(int x, int y) {
  constexpr std::array<Colour, 6> colours = {Green, Olive, Lime, Yellow, Fuchsia, Red};
  constexpr Pt capitals[] = {{45, 50}, {62, 92}, {150, 45}, {165, 76}, {232, 108}, {112, 126}};
  int best = 0;
  float bestD = 1e9f;
  for (int i = 0; i < 6; ++i) {
    const float dx = x - capitals[i].x, dy = y - capitals[i].y;
    const float d = dx * dx + dy * dy + float(noise(x / 3, y / 3, 40 + i) % 90);
    if (d < bestD) bestD = d, best = i;
  }
  return colours[std::size_t(best)];
}

void mountain(Canvas& c, int x, int y) {
  const Pt peak[] = {{float(x), float(y - 6)}, {float(x + 6), float(y)}, {float(x - 6), float(y)}};
  Canvas m(kWidth, kHeight);
  m.polygon(peak, Grey);
  const Pt snow[] = {{float(x), float(y - 6)}, {float(x + 2), float(y - 4)}, {float(x - 2), float(y - 4)}};
  m.polygon(snow, White);
  m.shadeEdge(1, 0, 2);
  m.outline();
  c.blit(m, 0, 0);
}

}  // namespace

Canvas drawWorldMap() {
  Canvas c(kWidth, kHeight, Blue);
  Canvas land(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const float h = height(x, y);
      if (roughened(x, y, h) > 0.5f)
        land.set(x, y, country(x, y));
      else if (h > 0.25f)
        c.set(x, y, dither(Blue, Aqua, h > 0.38f ? 7 : 3, x, y));  // shallows
    }
  // little waves out at sea
  for (int i = 0; i < 70; ++i) {
    const int x = int(noise(i, 3, 50) % kWidth), y = int(noise(i, 4, 50) % kHeight);
    if (c.at(x, y) == Blue && c.at(x + 3, y) == Blue) {
      c.set(x, y, Navy), c.set(x + 1, y - 1, Navy), c.set(x + 2, y, Navy), c.set(x + 3, y - 1, Navy);
    }
  }
  // borders between countries
  const Canvas flat = land;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (flat.solid(x, y) && flat.solid(x + 1, y) && flat.solid(x, y + 1) &&
          (flat.at(x + 1, y) != flat.at(x, y) || flat.at(x, y + 1) != flat.at(x, y)))
        land.set(x, y, shadeOf(flat.at(x, y)));
  // woods on the green countries
  for (int y = 0; y < kHeight; y += 3)
    for (int x = (y / 3) % 2 * 2; x < kWidth; x += 4)
      if ((flat.at(x, y) == Green || flat.at(x, y) == Lime) && flat.solid(x + 2, y + 2) &&
          flat.solid(x - 2, y - 2) && noise(x, y, 60) % 3 == 0)
        land.set(x, y, shadeOf(flat.at(x, y))), land.set(x, y + 1, shadeOf(flat.at(x, y)));
  land.outline(Black);
  c.blit(land, 0, 0);
  for (const auto& [x, y] : {std::pair{52, 40}, {60, 46}, {147, 34}, {157, 40}, {236, 104}, {230, 113}})
    mountain(c, x, y);
  // a compass rose in the corner
  c.disc({258, 20}, 9, Navy);
  const Pt needle[] = {{258, 9}, {261, 20}, {258, 31}, {255, 20}};
  c.polygon(needle, White);
  const Pt north[] = {{258, 9}, {261, 20}, {255, 20}};
  c.polygon(north, Red);
  return c;
}

}  // namespace pictures

// The world map on the select window: a continent, a frozen north and an island chain in a
// deep sea, with a pin on each fighter's home. Everything is laid out in display units, as
// the map is shown in a box wider than its bitmap's shape.
#include "worldmap.h"
#include "worldmap_marks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "assets/picture_shapes.h"
#include "screens.h"
#include "texture.h"

namespace pictures {

namespace worldmap {

float pixelAspect() { return float(mojara::assets::kWorldMapShape.pixelAspect()); }

const std::array<Pt, 8>& homes() {
  static const std::array<Pt, 8> places = {{
      {96, 68},   // the schoolboy's town on the central plain
      {150, 74},  // the schoolgirl's harbour town on the east coast
      {204, 38},  // the cat's fishing village in the islands
      {42, 88},   // the big face in the southern desert
      {104, 17},  // the dark knight's castle in the frozen north
      {243, 70},  // the haniwa's burial mound
      {50, 58},   // the iron doll's mill town under the western mountains
      {178, 100},  // the charcoal man's kilns under the volcano
  }};
  return places;
}

}  // namespace worldmap

namespace {

using worldmap::homes;

constexpr int kWidth = mojara::assets::kWorldMapShape.width;
constexpr int kHeight = mojara::assets::kWorldMapShape.height;

// ---- the lie of the land, in display units ----

// Smooth repeatable noise in 0..1, varying over about `cell` display units.
float smoothNoise(float x, float y, float cell, std::uint32_t seed) {
  const float fx = x / cell, fy = y / cell;
  const int i = int(std::floor(fx)), j = int(std::floor(fy));
  auto ease = [](float t) { return t * t * (3 - 2 * t); };
  const float tx = ease(fx - float(i)), ty = ease(fy - float(j));
  auto at = [&](int a, int b) { return float(noise(a, b, seed) % 1000) / 999.0f; };
  const float top = at(i, j) + (at(i + 1, j) - at(i, j)) * tx;
  const float bottom = at(i, j + 1) + (at(i + 1, j + 1) - at(i, j + 1)) * tx;
  return top + (bottom - top) * ty;
}

// Several sizes of noise on top of each other: ragged at every scale, like a coast.
float fractal(Pt p, std::uint32_t seed) {
  return 0.48f * smoothNoise(p.x, p.y, 22, seed) + 0.27f * smoothNoise(p.x, p.y, 11, seed + 1) +
         0.16f * smoothNoise(p.x, p.y, 5.5f, seed + 2) + 0.09f * smoothNoise(p.x, p.y, 2.7f, seed + 3);
}

struct Mass {
  Pt at;
  float rx, ry;
};

constexpr Mass kMasses[] = {
    // the frozen north, one long shore along the top
    {{36, 5}, 38, 17},
    {{98, 4}, 46, 21},
    {{160, 6}, 30, 15},
    // the continent
    {{58, 56}, 36, 22},
    {{98, 62}, 32, 26},
    {{136, 72}, 20, 17},
    {{44, 86}, 24, 16},
    {{88, 92}, 26, 14},
    {{122, 96}, 12, 9},
    // the island chain, bending south-east
    {{205, 35}, 17, 9},
    {{222, 49}, 17, 10},
    {{236, 64}, 17, 12},
    {{248, 80}, 14, 9},
    // the volcano island and a few rocks
    {{185, 98}, 17, 11},
    {{165, 104}, 4, 3},
    {{174, 50}, 6, 4},
    {{262, 98}, 5, 4},
    {{18, 32}, 6, 4},
};

float landHeight(Pt p) {
  float h = 0;
  for (const Mass& m : kMasses) {
    const float dx = (p.x - m.at.x) / m.rx, dy = (p.y - m.at.y) / m.ry;
    h += std::exp(-(dx * dx + dy * dy) * 1.3f);
  }
  return h + (fractal(p, 31) - 0.5f) * 0.7f;
}

constexpr float kSeaLevel = 0.5f;

// How much high ground lies at a point: the foothills around every mountain and the volcano.
float rock(Pt p) {
  float r = 0;
  for (const worldmap::Peak& m : worldmap::peaks()) {
    const float dx = (p.x - m.foot.x) / (m.halfWidth * 1.7f), dy = (p.y - m.foot.y + 1) / (m.halfWidth * 1.1f);
    r = std::max(r, 1 - std::sqrt(dx * dx + dy * dy));
  }
  const Pt v = worldmap::kVolcano;
  const float dx = (p.x - v.x) / (worldmap::kVolcanoHalfWidth * 1.4f), dy = (p.y - v.y + 2) / 7;
  return std::max(r, 1 - std::sqrt(dx * dx + dy * dy));
}

// How far out to sea a point is: the land masses' smooth sum, so the deep water lies calm.
float nearLand(Pt p) {
  float h = 0;
  for (const Mass& m : kMasses) {
    const float dx = (p.x - m.at.x) / m.rx, dy = (p.y - m.at.y) / m.ry;
    h += std::exp(-(dx * dx + dy * dy) * 0.7f);
  }
  return h + (smoothNoise(p.x, p.y, 14, 41) - 0.5f) * 0.12f;
}

// ---- what grows where ----

enum class Ground { Deep, Sea, Shallows, Snow, Tundra, Desert, Steppe, Beach, Grass, Forest, Hills };

struct Cell {
  Ground ground = Ground::Sea;
  int light = 0;  // +1 facing the light from the north-west, -1 turned away from it
};

// 0 in the heart of the southern desert, 1 at its edge.
float desert(Pt p) {
  const float dx = (p.x - 40) / 30, dy = (p.y - 92) / 16;
  return dx * dx + dy * dy + (fractal(p, 51) - 0.5f) * 0.9f;
}

bool frozen(Pt p) { return p.y + (fractal(p, 61) - 0.5f) * 14 < 24; }

Ground groundAt(Pt p, float height, float mountain) {
  if (height < kSeaLevel) {
    if (height > kSeaLevel - 0.07f) return Ground::Shallows;
    return nearLand(p) > 0.16f ? Ground::Sea : Ground::Deep;
  }
  if (frozen(p)) return p.y > 18 && fractal(p, 62) > 0.56f ? Ground::Tundra : Ground::Snow;
  if (mountain > 0) return Ground::Hills;
  if (desert(p) < 1) return Ground::Desert;
  if (desert(p) < 1.35f) return Ground::Steppe;
  if (height < kSeaLevel + 0.045f && p.y > 40) return Ground::Beach;
  return fractal(p, 71) > 0.56f ? Ground::Forest : Ground::Grass;
}

std::vector<Cell> survey(const Canvas& c) {
  std::vector<Cell> cells(std::size_t(kWidth * kHeight));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Pt p = c.toDisplay(x, y);
      const float h = landHeight(p), m = rock(p);
      Cell& cell = cells[std::size_t(y * kWidth + x)];
      cell.ground = groundAt(p, h, m);
      // Slope towards the light: the surface falls away to the south-east on the lit side.
      auto surface = [&](Pt q) { return std::max(0.0f, landHeight(q) - kSeaLevel) * 0.6f + rock(q) * 1.5f; };
      const float step = 1.2f;
      const float gx = surface({p.x + step, p.y}) - surface({p.x - step, p.y});
      const float gy = surface({p.x, p.y + step}) - surface({p.x, p.y - step});
      // The sun stands in the west-north-west, so a peak shows a bright face and a dull one.
      const float towardsLight = (0.85f * gx + 0.5f * gy) / (2 * step);
      cell.light = towardsLight > 0.12f ? 1 : towardsLight < -0.12f ? -1 : 0;
    }
  return cells;
}

// Each kind of ground in the shadow, flat and lit.
struct Shades {
  Colour dark, flat, lit;
};

Shades shadesOf(Ground g) {
  switch (g) {
    case Ground::Deep: return {Navy, Navy, Navy};
    case Ground::Sea: return {Blue, Blue, Blue};
    case Ground::Shallows: return {Teal, Teal, Teal};
    case Ground::Snow: return {Silver, White, White};
    case Ground::Tundra: return {Silver, Silver, Silver};
    case Ground::Desert: return {Olive, Yellow, Yellow};
    case Ground::Steppe: return {Olive, Olive, Olive};
    case Ground::Beach: return {Yellow, Yellow, Yellow};
    case Ground::Grass: return {Green, Green, Green};
    case Ground::Forest: return {Green, Green, Green};
    case Ground::Hills: return {Olive, Olive, Olive};
  }
  return {Black, Black, Black};
}

void paintGround(Canvas& c, const std::vector<Cell>& cells) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Cell& cell = cells[std::size_t(y * kWidth + x)];
      const Shades s = shadesOf(cell.ground);
      c.set(x, y, cell.light > 0 ? s.lit : cell.light < 0 ? s.dark : s.flat);
    }
  const auto at = [&](int i, int j) { return cells[std::size_t(j * kWidth + i)].ground; };
  // Woods: each tree's dark crown two pixels across, loosely staggered.
  for (int y = 0; y < kHeight; y += 2)
    for (int x = (y / 2) % 2 * 2; x + 1 < kWidth; x += 4)
      if (at(x, y) == Ground::Forest && at(x + 1, y) == Ground::Forest && noise(x, y, 90) % 4 != 0)
        c.set(x, y, Black), c.set(x + 1, y, Black);
  // Dunes: short sweeps of shadow across the sand, lying along the rows.
  for (int y = 1; y < kHeight; y += 4)
    for (int x = (y / 4) % 2 * 4; x + 3 < kWidth; x += 8)
      if (at(x, y) == Ground::Desert && at(x + 3, y) == Ground::Desert && noise(x, y, 91) % 3 != 0)
        for (int i = 0; i < 4; ++i) c.set(x + i, y - (i == 0 || i == 3 ? 0 : 1) + 1, Olive);
}

// The great river, from the foot of the western range past the schoolboy's town to the south
// coast, in the shallows' colour so it runs into them.
void river(Canvas& c) {
  constexpr Pt course[] = {{86, 55}, {90, 63}, {88, 72}, {93, 80}, {92, 90}, {97, 100}, {99, 110}};
  for (std::size_t i = 0; i + 1 < std::size(course); ++i)
    c.capsule(course[i], course[i + 1], 0.6f + 0.15f * float(i), Teal);
}

}  // namespace

Canvas drawWorldMap() {
  Canvas c(kWidth, kHeight, Blue, worldmap::pixelAspect());
  paintGround(c, survey(c));
  river(c);
  worldmap::drawMountains(c);
  worldmap::drawLandmarks(c);
  worldmap::drawCompass(c);
  worldmap::drawPins(c);
  return c;
}

}  // namespace pictures

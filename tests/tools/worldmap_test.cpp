// The world map on the select window: a believable land and sea, shown in its box's shape,
// with every fighter's home pinned.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "assets/picture_shapes.h"
#include "canvas.h"
#include "screens.h"
#include "worldmap.h"
#include "worldmap_marks.h"

namespace {

using namespace pictures;

const Canvas& worldMap() {
  static const Canvas map = drawWorldMap();
  return map;
}

bool isSea(Colour c) { return c == Navy || c == Blue || c == Teal; }

// Whether a pixel is taken up by a pin, the compass or the volcano's smoke rather than the
// land and sea beneath.
bool isMarking(int x, int y) {
  const Pt p = worldMap().toDisplay(x, y);
  for (const Pt& home : worldmap::homes())
    if (std::hypot(p.x - home.x, p.y - home.y) < worldmap::kPinRadius + 2) return true;
  const Pt o = worldmap::kCompass;
  if (std::hypot(p.x - o.x, p.y - o.y) < worldmap::kCompassRadius + 2) return true;
  const Pt v = worldmap::kVolcano;
  return p.x > v.x - 4 && p.x < v.x + 22 && p.y > v.y - 26 && p.y < v.y - 8;
}

int pixelX(Pt p) { return int(std::lround(p.x)); }
int pixelY(Pt p) { return worldMap().rowAt(p.y); }

// The pixels of one colour joined to (x, y) side by side.
std::vector<std::pair<int, int>> patch(const Canvas& c, int x, int y) {
  const Colour colour = c.at(x, y);
  std::vector<std::pair<int, int>> found, todo = {{x, y}};
  std::set<std::pair<int, int>> seen = {{x, y}};
  while (!todo.empty()) {
    const auto [i, j] = todo.back();
    todo.pop_back();
    found.push_back({i, j});
    for (const auto& [di, dj] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
      if (c.at(i + di, j + dj) == colour && seen.insert({i + di, j + dj}).second) todo.push_back({i + di, j + dj});
  }
  return found;
}

TEST(WorldMap, IsDrawnForTheSelectWindowsBox) {
  EXPECT_EQ(worldMap().width(), mojara::assets::kWorldMapShape.width);
  EXPECT_EQ(worldMap().height(), mojara::assets::kWorldMapShape.height);
  EXPECT_FLOAT_EQ(worldMap().pixelAspect(), float(mojara::assets::kWorldMapShape.pixelAspect()));
}

TEST(WorldMap, HasLandAndSeaInNaturalProportions) {
  const Canvas& map = worldMap();
  int land = 0, all = 0;
  std::set<Colour> waters;
  for (int y = 0; y < map.height(); ++y)
    for (int x = 0; x < map.width(); ++x) {
      if (isMarking(x, y)) continue;
      all += 1;
      if (isSea(map.at(x, y)))
        waters.insert(map.at(x, y));
      else
        land += 1;
    }
  const double share = double(land) / all;
  EXPECT_GT(share, 0.35);
  EXPECT_LT(share, 0.70);
  EXPECT_EQ(waters.size(), 3u) << "deep, open and shallow water";
}

TEST(WorldMap, ShallowsLineTheCoastsAndTheDeepLiesOffshore) {
  const Canvas& map = worldMap();
  int coast = 0, shallowCoast = 0, deepCoast = 0;
  for (int y = 1; y + 1 < map.height(); ++y)
    for (int x = 1; x + 1 < map.width(); ++x) {
      if (!isSea(map.at(x, y)) || isMarking(x, y)) continue;
      const auto shore = [&](int i, int j) {
        const Colour g = map.at(i, j);
        return g == Green || g == Yellow || g == Olive || g == White;  // the ground, not what stands on it
      };
      const bool byLand = shore(x + 1, y) || shore(x - 1, y) || shore(x, y + 1) || shore(x, y - 1);
      if (!byLand || isMarking(x + 1, y) || isMarking(x - 1, y) || isMarking(x, y + 1) || isMarking(x, y - 1))
        continue;
      coast += 1;
      shallowCoast += map.at(x, y) == Teal ? 1 : 0;
      deepCoast += map.at(x, y) == Navy ? 1 : 0;
    }
  ASSERT_GT(coast, 100);
  EXPECT_GT(shallowCoast, coast * 9 / 10);
  EXPECT_EQ(deepCoast, 0);
}

TEST(WorldMap, LandWearsSeveralNaturalColours) {
  const Canvas& map = worldMap();
  std::map<Colour, int> count;
  for (int y = 0; y < map.height(); ++y)
    for (int x = 0; x < map.width(); ++x)
      if (!isMarking(x, y) && !isSea(map.at(x, y))) count[map.at(x, y)] += 1;
  // grass and woods, sand and dry steppe, rock lit and shaded, snow
  for (Colour c : {Green, Black, Yellow, Olive, Grey, Silver, White}) EXPECT_GT(count[c], 40) << int(c);
  EXPECT_EQ(count[Fuchsia] + count[Purple] + count[Lime] + count[Aqua], 0) << "no colours that read as unnatural";
  EXPECT_GT(count[Green], count[Yellow]) << "more grassland than desert";
}

TEST(WorldMap, SnowLiesNorthAndTheDesertSouth) {
  const Canvas& map = worldMap();
  double snowRow = 0, sandRow = 0;
  int snow = 0, sand = 0;
  for (int y = 0; y < map.height(); ++y)
    for (int x = 0; x < map.width(); ++x) {
      if (isMarking(x, y)) continue;
      if (map.at(x, y) == White) snowRow += y, snow += 1;
      if (map.at(x, y) == Yellow) sandRow += y, sand += 1;
    }
  ASSERT_GT(snow, 0);
  ASSERT_GT(sand, 0);
  EXPECT_LT(snowRow / snow, map.height() / 4.0);
  EXPECT_GT(sandRow / sand, map.height() / 2.0);
}

TEST(WorldMap, MountainsShowASunnyWestFaceAndAShadedEastOne) {
  // Along a row the sunny face of a peak comes first, its shadowed face straight after it;
  // the other way round would be a peak lit from the east.
  const Canvas& map = worldMap();
  int sunThenShade = 0, shadeThenSun = 0;
  for (int y = 0; y < map.height(); ++y)
    for (int x = 0; x + 1 < map.width(); ++x) {
      if (isMarking(x, y) || isMarking(x + 1, y)) continue;
      sunThenShade += map.at(x, y) == Silver && map.at(x + 1, y) == Grey ? 1 : 0;
      shadeThenSun += map.at(x, y) == Grey && map.at(x + 1, y) == Silver ? 1 : 0;
    }
  EXPECT_GT(sunThenShade, 60) << "a few dozen mountains, each with two faces";
  EXPECT_GT(sunThenShade, shadeThenSun * 4);
}

TEST(WorldMap, EveryFighterHasAPinOfHisOwnOnLand) {
  const Canvas& map = worldMap();
  const auto& homes = worldmap::homes();
  for (std::size_t i = 0; i < homes.size(); ++i) {
    const int x = pixelX(homes[i]), y = pixelY(homes[i]);
    ASSERT_EQ(map.at(x, y), worldmap::kPin) << "fighter " << i;
    const auto pin = patch(map, x, y);
    // round on screen: as wide as tall once each row is shown pixelAspect high
    int left = x, right = x, top = y, bottom = y;
    for (const auto& [px, py] : pin) {
      left = std::min(left, px), right = std::max(right, px);
      top = std::min(top, py), bottom = std::max(bottom, py);
    }
    const float wide = float(right - left + 1), tall = float(bottom - top + 1) * map.pixelAspect();
    EXPECT_NEAR(wide / tall, 1.0f, 0.2f) << "fighter " << i;
    EXPECT_LT(pin.size(), 40u) << "fighter " << i << "'s pin runs into something of its colour";
    // ringed in black, so it stands out from any ground
    EXPECT_EQ(map.at(left - 1, y), Black);
    EXPECT_EQ(map.at(right + 1, y), Black);
    EXPECT_EQ(map.at(x, bottom + 1), Black);
    // standing on land: most of the ground just around it is not sea
    int ground = 0, around = 0;
    for (int k = 0; k < 16; ++k) {
      const float a = float(k) * 3.14159265f / 8, r = worldmap::kPinRadius + 3;
      const Pt q = homes[i] + Pt{std::cos(a), std::sin(a)} * r;
      around += 1;
      ground += isSea(map.at(pixelX(q), pixelY(q))) ? 0 : 1;
    }
    EXPECT_GT(ground, around / 2) << "fighter " << i << " lives at sea";
    for (std::size_t j = i + 1; j < homes.size(); ++j)
      EXPECT_GT(std::hypot(homes[i].x - homes[j].x, homes[i].y - homes[j].y), worldmap::kPinRadius * 5)
          << "the pins of fighters " << i << " and " << j << " crowd each other";
  }
}

TEST(WorldMap, TheCompassIsRoundOnScreenAndPointsNorthInRed) {
  const Canvas& map = worldMap();
  const Pt o = worldmap::kCompass;
  const int x = pixelX(o), y = pixelY(o);
  // its rim, across the middle row and down the middle column
  int left = x, right = x, top = y, bottom = y;
  while (map.at(left, y) != Teal) --left;
  while (map.at(right, y) != Teal) ++right;
  while (map.at(x, top) != Teal) --top;
  while (map.at(x, bottom) != Teal) ++bottom;
  const float wide = float(right - left), tall = float(bottom - top) * map.pixelAspect();
  EXPECT_NEAR(wide, tall, 1.5f);
  EXPECT_NEAR(wide, 2 * worldmap::kCompassRadius, 2.0f);
  EXPECT_EQ(map.at(x, map.rowAt(o.y - worldmap::kCompassRadius * 0.6f)), Red) << "the north point";
  EXPECT_NE(map.at(x, map.rowAt(o.y + worldmap::kCompassRadius * 0.6f)), Red) << "the south point";
}

}  // namespace

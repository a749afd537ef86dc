// Jiro, the dark knight: in black plate and a purple cape. Most of the time he is
// lost in the dark and only a glint of his eyes and armour gives him away.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fighters.h"
#include "style.h"
#include "texture.h"

namespace pictures {

namespace {

struct Spot {
  int x, y;
  Colour c;
};

}  // namespace

Canvas drawKnight(Pose pose, bool sideFixed) {
  return drawHumanoid(styleOf(Jiro), skeletonFor(pose), sideFixed);
}

Canvas knightGlints(const Canvas& full) {
  std::vector<Spot> eyes, whites, specks;
  for (int y = 0; y < full.height(); ++y)
    for (int x = 0; x < full.width(); ++x) {
      const Colour c = full.at(x, y);
      // an eye is the red glint inside the black visor slit, level or, lying down, upright; a
      // head widened for the battle's tall pixels may show it two pixels wide
      const auto inSlit = [&](int dx, int dy) {
        const Colour before = full.at(x - dx, y - dy), after = full.at(x + dx, y + dy);
        return (before == Black || before == Red) && (after == Black || after == Red) &&
               (before == Black || after == Black);
      };
      const bool slit = inSlit(1, 0) || inSlit(0, 1);
      if (c == Red && slit)
        eyes.push_back({x, y, Red});
      else if (c == White && full.solid(x, y + 1))
        whites.push_back({x, y, c});
      else if (c == Silver || c == Grey || (c == Black && !full.solid(x, y + 1)))
        specks.push_back({x, y, c});
    }
  const auto byNoise = [](int seed) {
    return [seed](const Spot& a, const Spot& b) { return noise(a.x, a.y, seed) < noise(b.x, b.y, seed); };
  };
  std::sort(specks.begin(), specks.end(), byNoise(21));
  std::sort(whites.begin(), whites.end(), byNoise(22));
  Canvas out(full.width(), full.height());
  const auto lonely = [&](const Spot& s, int gap) {
    for (int dy = -gap + 1; dy < gap; ++dy)
      for (int dx = -gap + 1; dx < gap; ++dx)
        if (out.solid(s.x + dx, s.y + dy)) return false;
    return true;
  };
  for (const Spot& e : eyes) out.set(e.x, e.y, e.c);
  // a glint or two of white-hot light off his horns, helmet or blade, each with the black plate
  // under it, so that the player can find him against the bright stage
  int flashes = 0;
  for (const Spot& w : whites)
    if (flashes < 2 && lonely(w, 5)) {
      out.set(w.x, w.y, White);
      out.set(w.x, w.y + 1, Black);
      ++flashes;
    }
  // keep the specks apart so they read as scattered glints, not a shape
  for (int gap = 4; gap >= 1 && out.solidCount() < 14; --gap)
    for (const Spot& s : specks) {
      if (out.solidCount() >= 14) break;
      if (lonely(s, gap)) out.set(s.x, s.y, s.c == Black ? Grey : s.c);
    }
  return out;
}

}  // namespace pictures

// The title picture: a stone knight on his plinth, two challengers squaring up
// on either side, under a summer sky.
#include "assets/picture_shapes.h"
#include "figure.h"
#include "font.h"
#include "scenery.h"
#include "screens.h"
#include "texture.h"

namespace pictures {

namespace {

constexpr int kWidth = 279;
constexpr int kHeight = 157;
constexpr int kHorizon = 104;
constexpr int kPlinthTop = 97;
constexpr Pt kSun = {246, 29};  // display units: round on screen
// How many display units each pixel of a sprite takes: the challengers stand tall in the
// foreground, the statue is life-size on its plinth.
constexpr float kFighterScale = 3.3f;
constexpr float kStatueScale = 2.1f;

// A picture carved in stone: every colour becomes a shade of grey by its brightness.
Canvas carved(const Canvas& art) {
  Canvas out = art;
  for (int y = 0; y < art.height(); ++y)
    for (int x = 0; x < art.width(); ++x) {
      switch (art.at(x, y)) {
        case Clear:
        case Black:
          break;
        case White:
        case Yellow:
        case Aqua:
        case Silver:
          out.set(x, y, White);
          break;
        case Red:
        case Lime:
        case Fuchsia:
        case Blue:
        case Grey:
          out.set(x, y, Silver);
          break;
        default:
          out.set(x, y, Grey);
          break;
      }
    }
  return out;
}

// Snow-capped peaks along the horizon, in display units.
void mountains(Canvas& c, float horizon) {
  const float peaks[][3] = {{20, 95, 42},  {70, 103, 37},  {105, 90, 34},
                            {170, 98, 44}, {228, 88, 37}, {268, 100, 32}};
  for (const auto& p : peaks) {
    const Pt tri[] = {{p[0], p[1]}, {p[0] + p[2], horizon}, {p[0] - p[2], horizon}};
    c.polygon(tri, Teal);
    const Pt snow[] = {{p[0], p[1]}, {p[0] + p[2] * 0.22f, p[1] + 8}, {p[0] - p[2] * 0.22f, p[1] + 8}};
    c.polygon(snow, White);
  }
}

void plinth(Canvas& c, int cx) {
  Canvas p(kWidth, kHeight);
  p.fillRect(cx - 30, 137, 61, 9, Silver);  // bottom step
  p.fillRect(cx - 24, 103, 49, 34, Silver);
  p.fillRect(cx - 28, kPlinthTop, 57, 6, Silver);  // cap stone
  p.shadeEdge(1, 0, 3);
  p.lightEdge(-1, 0);
  p.lightEdge(0, -1);
  for (int y : {103, 137})
    for (int x = cx - 30; x <= cx + 30; ++x) p.paint(x, y, Grey);
  p.outline();
  c.blit(p, 0, 0);
  // the name plate
  c.fillRect(cx - 20, 113, 41, 13, Black);
  c.fillRect(cx - 19, 114, 39, 11, Yellow);
  c.fillRect(cx - 18, 124, 38, 1, Olive);
  drawText(c, cx - textWidth("MOJARA") / 2, 116, "MOJARA", Maroon);
}

}  // namespace

Canvas drawTitle() {
  const float aspect = float(mojara::assets::kTitleShape.pixelAspect());
  Canvas c(kWidth, kHeight, Clear, aspect);
  const float horizon = float(kHorizon) * aspect;
  // blue overhead, paling to aqua and a haze of white behind the mountains
  bands(c, 0, {{Blue, 58}, {Aqua, 34}, {White, kHorizon - 92}});
  c.disc(kSun, 13, Yellow);
  c.disc(kSun, 10, White);
  c.disc(kSun, 9, Yellow);
  cloud(c, {42, 34}, 7);
  cloud(c, {128, 20}, 5);
  cloud(c, {196, 56}, 4);
  mountains(c, horizon);
  // a sunny meadow going back to a darker one, the long grass of the near one standing up into it
  c.fillRect(0, kHorizon, kWidth, 28, Lime);
  c.fillRect(0, kHorizon + 28, kWidth, kHeight - kHorizon - 28, Green);
  grassTips(c, kHorizon + 28, 4, Green, 5);
  for (int x = 0; x < kWidth; ++x)  // a line of distant trees along the horizon
    for (int y = kHorizon - 3; y < kHorizon + 2; ++y)
      if (y >= kHorizon - 1 - int(noise(x / 3, 0, 9) % 4)) c.set(x, y, Green);
  for (int i = 0; i < 26; ++i) {  // tufts in the sunny meadow, and lit ones in the shade
    tuft(c, 4 + int(noise(i, 1, 17) % (kWidth - 8)), kHorizon + 8 + int(noise(i, 2, 17) % 16), Green, 3);
    tuft(c, 4 + int(noise(i, 3, 17) % (kWidth - 8)), kHorizon + 34 + int(noise(i, 4, 17) % 18), Lime, 4);
  }
  const int centre = kWidth / 2;
  groundShadow(c, {float(centre) + 6, 146 * aspect}, 36, 5);
  plinth(c, centre);
  // the stone knight raises his sword over the plinth
  const Canvas statue = carved(drawLargeFighter(Jiro, skeletonFor(Victory), kStatueScale, aspect));
  standAt(c, statue, centre, kPlinthTop - 1);
  groundShadow(c, {52, 150 * aspect}, 30, 5);
  groundShadow(c, {226, 150 * aspect}, 30, 5);
  standAt(c, drawLargeFighter(Daisaku, skeletonFor(Ready), kFighterScale, aspect), 52, 151);
  standAt(c, drawLargeFighter(Miyo, skeletonFor(Ready), kFighterScale, aspect, true), 227, 151);
  return c;
}

}  // namespace pictures

// The title picture: a stone knight on his plinth, two challengers squaring up
// on either side, under a summer sky.
#include "fighters.h"
#include "font.h"
#include "scenery.h"
#include "screens.h"
#include "store.h"
#include "texture.h"

namespace pictures {

namespace {

constexpr int kWidth = 279;
constexpr int kHeight = 157;
constexpr int kHorizon = 104;

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

void mountains(Canvas& c) {
  const float peaks[][3] = {{20, 78, 34},  {70, 84, 30},  {105, 74, 28},
                            {170, 80, 36}, {228, 72, 30}, {268, 82, 26}};
  for (const auto& p : peaks) {
    const Pt tri[] = {{p[0], p[1]}, {p[0] + p[2], float(kHorizon)}, {p[0] - p[2], float(kHorizon)}};
    c.polygon(tri, Teal);
    const Pt snow[] = {{p[0], p[1]}, {p[0] + p[2] * 0.22f, p[1] + 6}, {p[0] - p[2] * 0.22f, p[1] + 6}};
    c.polygon(snow, White);
  }
}

void plinth(Canvas& c, int cx) {
  Canvas p(kWidth, kHeight);
  p.fillRect(cx - 30, 137, 61, 9, Silver);  // bottom step
  p.fillRect(cx - 24, 103, 49, 34, Silver);
  p.fillRect(cx - 28, 97, 57, 6, Silver);  // cap stone
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

Canvas drawTitle(const Canvas& store) {
  Canvas c(kWidth, kHeight);
  gradient(c, 0, kHorizon, {Blue, Blue, Aqua, White});
  c.disc({246, 24}, 13, Yellow);
  c.disc({246, 24}, 10, White);
  c.disc({246, 24}, 9, Yellow);
  cloud(c, {42, 28}, 7);
  cloud(c, {128, 16}, 5);
  cloud(c, {196, 46}, 4);
  mountains(c);
  gradient(c, kHorizon, kHeight, {Lime, Green, Green});
  for (int x = 0; x < kWidth; ++x)  // a line of distant trees along the horizon
    for (int y = kHorizon - 3; y < kHorizon + 3; ++y)
      if (y >= kHorizon - 1 - int(noise(x / 3, 0, 9) % 4))
        c.set(x, y, y < kHorizon + 1 ? Green : dither(Green, Lime, 6, x, y));
  for (int i = 0; i < 60; ++i) {  // tufts of grass
    const int x = int(noise(i, 1, 17) % kWidth), y = kHorizon + 6 + int(noise(i, 2, 17) % 48);
    c.set(x, y, Green);
    c.set(x + 1, y - 1, Green);
  }
  const int centre = kWidth / 2;
  groundShadow(c, {float(centre) + 6, 146}, 36, 4);
  plinth(c, centre);
  const Canvas statue = carved(storeCell(store, storeIndex(Jiro, 0, Victory))).scaled(2);
  c.blit(statue, centre - 32, 97 - lowestRow(statue));
  groundShadow(c, {52, 150}, 30, 4);
  groundShadow(c, {226, 150}, 30, 4);
  stand(c, store, storeIndex(Daisaku, 0, Ready), 52, 151, 3);
  stand(c, store, storeIndex(Miyo, 1, Ready), 227, 151, 3);
  return c;
}

}  // namespace pictures

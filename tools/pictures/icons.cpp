// Small pictures: the window icon, the help button and the fighters' portraits.
#include <cmath>
#include <vector>

#include "assets/picture_shapes.h"
#include "fighters.h"
#include "font.h"
#include "screens.h"
#include "store.h"
#include "style.h"

namespace pictures {

namespace {

// A red boxing glove punching right, cuff on the left.
Canvas glove() {
  Canvas g(32, 32);
  g.ellipse({13, 15}, 7, 6, Red);
  g.ellipse({9, 19}, 4, 3, Red);   // the thumb wrapped underneath
  g.fillRect(2, 12, 5, 8, White);  // cuff
  g.shadeEdge(0, 1, 2);
  g.lightEdge(0, -1, Red);
  g.outline();
  g.line({7, 17}, {12, 18}, Black);
  return g;
}

}  // namespace

Canvas drawIcon() {
  Canvas c(32, 32);
  // a yellow bang where two gloves meet
  Canvas bang(32, 32);
  std::vector<Pt> star;
  for (int i = 0; i < 16; ++i) {
    const float a = float(i) * 3.14159f / 8, r = i % 2 ? 7.0f : 15.0f;
    star.push_back({15.5f + std::cos(a) * r, 15.5f + std::sin(a) * r});
  }
  bang.polygon(star, Yellow);
  bang.outline(Red);
  c.blit(bang, 0, 0);
  const Canvas left = glove().cropped(0, 0, 22, 32);
  c.blit(left, -3, 0);
  c.blit(left.mirrored(), 13, 1);
  return c;
}

Canvas drawHelpIcon() {
  Canvas c(32, 32);
  c.disc({15.5f, 15.5f}, 14.5f, Blue);
  c.shadeEdge(1, 1, 3);
  c.lightEdge(-1, -1, Blue);
  c.outline(Navy);
  Canvas mark(32, 32);
  drawText(mark, 9, 6, "?", White, 3);
  drawText(mark, 10, 6, "?", White, 3);
  Canvas shadow = mark;
  shadow.recolour(White, Navy);
  c.blit(shadow, 1, 1);
  c.blit(mark, 0, 0);
  return c;
}

// Big heads for the fighter select: facing left like the portraits that come
// straight from the sprite store.
Canvas drawPortrait(int fighter, const Canvas& store) {
  switch (fighter) {
    case Daiganmen:
      return storeCell(store, storeIndex(Daiganmen, 1, Ready));
    case Jiro:
      return storeCell(store, storeIndex(Jiro, 1, WindUp));
    case Hanii:
      return storeCell(store, storeIndex(Hanii, 1, WalkA));
    default:
      break;
  }
  // Drawn for the select window's boxes, whose pixels are shown a little taller than wide:
  // shapes are in display units, so heads and shoulders come out round there.
  const float aspect = float(mojara::assets::kPortraitShape.pixelAspect());
  const Style s = styleOf(Fighter(fighter));
  Canvas c(32, 32, Clear, aspect);
  Canvas body(32, 32, Clear, aspect);
  const float bottom = c.displayHeight();
  body.ellipse({15, bottom + 1}, 12, 9, s.top);
  if (s.chest == Chest::Tie) body.capsule({17, bottom - 7}, {16, bottom - 3}, 1.0f, s.trim);
  if (s.chest == Chest::Belly || s.chest == Chest::Apron) body.ellipse({17, bottom}, 4, 6, s.trim);
  body.capsule({16, bottom - 12}, {16, bottom - 6}, 2.5f, s.skin);  // neck
  body.shadeEdge(-1, 0, 2);
  if (fighter == IronDoll) {  // her wind-up key standing out behind her shoulder
    const Pt bow{4, bottom - 12};
    body.capsule({9, bottom - 8}, bow, 0.7f, Grey);
    body.disc(bow + Pt{1.6f, -1.6f}, 1.7f, Silver);
    body.disc(bow + Pt{-1.6f, 1.6f}, 1.7f, Silver);
    body.set(5, body.rowAt(bottom - 15), White);
  }
  if (fighter == Kokutanjin) {  // a charcoal chest: grey sheen on top, a crack glowing in it
    body.lightEdge(0, -1);
    body.line({8, bottom - 4}, {11, bottom - 2}, Red);
    body.set(9, 29, Yellow);
  }
  body.outline();
  const HeadArt head = drawHead(s.head, 9.5f, HeadView::Side, Mood::Calm, true, aspect);
  c.blit(head.behind, 16 - head.centre, 13 - head.centre);
  c.blit(body, 0, 0);
  c.blit(head.front, 16 - head.centre, 13 - head.centre);
  return c.mirrored();
}

}  // namespace pictures

// The lose-and-continue picture: big "CONTINUE?" lettering over a beaten fighter.
#include <algorithm>

#include "assets/picture_shapes.h"
#include "font.h"
#include "scenery.h"
#include "screens.h"
#include "style.h"

namespace pictures {

namespace {

constexpr int kWidth = 255;
constexpr int kHeight = 200;

// Fat lettering: yellow fading to red, a white rim of light, a black edge and a drop shadow.
Canvas lettering(std::string_view text, int scale) {
  Canvas shape(kWidth, kHeight);
  const int x = (kWidth - textWidth(text, scale) - scale / 2) / 2;
  drawText(shape, x, 18, text, Red, scale);
  drawText(shape, x + scale / 2, 18, text, Red, scale);  // bold
  const int top = 18, bottom = 18 + kGlyphHeight * scale;
  Canvas fill = shape;
  for (int y = top; y < bottom; ++y) {
    const int level = std::clamp((y - top) * 16 / (bottom - top) * 2 - 8, 0, 16);
    for (int i = 0; i < kWidth; ++i) fill.paint(i, y, dither(Yellow, Red, level, i, y));
  }
  fill.lightEdge(0, -1);
  Canvas edge = fill;
  edge.outline();
  edge.outline();
  Canvas out(kWidth, kHeight);
  Canvas shadow = edge;
  for (int y = 0; y < kHeight; ++y)
    for (int i = 0; i < kWidth; ++i) shadow.paint(i, y, Navy);
  out.blit(shadow, 4, 4);
  out.blit(edge, 0, 0);
  return out;
}

}  // namespace

Canvas drawContinue() {
  Canvas c = lettering("CONTINUE?", 4);
  // Daisaku on his knees, head hung
  const Canvas beaten = drawHumanoid(styleOf(Daisaku), slumpedSkeleton(), false,
                                    float(mojara::assets::kContinueShape.pixelAspect()))
                           .scaled(4);
  const int floor = kHeight - 6;
  for (int y = floor - 5; y <= floor + 4; ++y)  // a see-through shadow on the floor
    for (int x = 50; x < 205; ++x) {
      const float dx = (x - 127.5f) / 62, dy = (y - floor) / 5.0f;
      if (dx * dx + dy * dy <= 1 && (x + y) % 2 == 0) c.set(x, y, Black);
    }
  c.blit(beaten, kWidth / 2 - beaten.width() / 2, floor + 2 - lowestRow(beaten));
  // a little cloud of gloom over his head
  Canvas gloom(kWidth, kHeight);
  for (const Pt& p : {Pt{152, 70}, Pt{160, 66}, Pt{168, 70}, Pt{160, 73}}) gloom.disc(p, 5, Grey);
  gloom.shadeEdge(0, 1, 2);
  gloom.outline();
  for (int i = 0; i < 3; ++i) gloom.line({float(152 + i * 8), 80}, {float(150 + i * 8), 86}, Navy);
  c.blit(gloom, 0, 0);
  return c;
}

}  // namespace pictures

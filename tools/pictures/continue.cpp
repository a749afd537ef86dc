// The lose-and-continue picture: big "CONTINUE?" lettering over a beaten fighter. The window
// prints its countdown in the middle of the picture, so that area is left empty and the beaten
// fighter kneels beside it under his own little rain cloud.
#include <algorithm>
#include <cmath>

#include "assets/picture_shapes.h"
#include "figure.h"
#include "font.h"
#include "scenery.h"
#include "screens.h"

namespace pictures {

namespace {

constexpr int kWidth = mojara::assets::kContinueShape.width;
constexpr int kHeight = mojara::assets::kContinueShape.height;

// The continue window, in twips: the box its picture is stretched into, and the label that
// shows the countdown over it.
struct TwipRect {
  int left, top, width, height;
};
constexpr TwipRect kPictureBox = {420, 0, 4350, 3000};
constexpr TwipRect kCountdownLabel = {1800, 945, 1455, 1455};
static_assert(kPictureBox.width == mojara::assets::kContinueShape.boxWidth &&
              kPictureBox.height == mojara::assets::kContinueShape.boxHeight);

constexpr float kBeatenScale = 3.3f;  // display units for each pixel of his sprite
constexpr int kLetterTop = 10;       // display units
constexpr float kLetterStep = 4.4f;  // one pixel of the font, in display units
constexpr float kLetterStroke = 2.6f;

// The font's letters as fat round strokes: every lit pixel of the small font becomes a blob,
// joined to its lit neighbours, so the lettering is big but its edges one pixel fine.
Canvas strokes(std::string_view text, float aspect) {
  Canvas small(textWidth(text), kGlyphHeight);
  drawText(small, 0, 0, text, Red);
  Canvas out(kWidth, kHeight, Clear, aspect);
  const float left = (kWidth - (small.width() - 1) * kLetterStep) / 2;
  const auto at = [&](int x, int y) { return Pt{left + x * kLetterStep, kLetterTop + y * kLetterStep}; };
  for (int y = 0; y < small.height(); ++y)
    for (int x = 0; x < small.width(); ++x) {
      if (!small.solid(x, y)) continue;
      out.disc(at(x, y), kLetterStroke, Red);
      for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {-1, 1}})
        // diagonals only where they make a corner, not where the square already joins up
        if (small.solid(x + dx, y + dy) && (dx == 0 || dy == 0 || (!small.solid(x + dx, y) && !small.solid(x, y + dy))))
          out.capsule(at(x, y), at(x + dx, y + dy), kLetterStroke, Red);
    }
  return out;
}

// Fat lettering: yellow at the top turning red in bands, a white rim of light, a black edge
// and a drop shadow.
Canvas lettering(std::string_view text, float aspect) {
  Canvas fill = strokes(text, aspect);
  int top = fill.height(), bottom = 0;
  for (int y = 0; y < fill.height(); ++y)
    for (int x = 0; x < fill.width(); ++x)
      if (fill.solid(x, y)) top = std::min(top, y), bottom = std::max(bottom, y + 1);
  for (int y = top; y < bottom; ++y) {
    const int level = std::clamp((y - top) * 20 / std::max(1, bottom - top) * 4 - 24, 0, 16) / 4 * 4;
    for (int x = 0; x < kWidth; ++x) fill.paint(x, y, rowMix(Yellow, Red, level, x));
  }
  fill.lightEdge(0, -1);
  Canvas edge = fill;
  edge.outline();
  edge.outline();
  Canvas shadow = edge;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) shadow.paint(x, y, Navy);
  Canvas out(kWidth, kHeight, Clear, aspect);
  out.blit(shadow, 3, 3);
  out.blit(edge, 0, 0);
  return out;
}

// A little grey cloud of gloom raining on whoever is under it.
void rainCloud(Canvas& c, Pt centre) {
  Canvas gloom(kWidth, kHeight, Clear, c.pixelAspect());
  for (const Pt& p : {Pt{-11, 2}, Pt{0, -4}, Pt{11, 1}, Pt{2, 4}, Pt{-5, -2}}) gloom.disc(centre + p, 8, Grey);
  gloom.shadeEdge(0, 1, 2);
  gloom.outline();
  c.blit(gloom, 0, 0);
  for (int i = 0; i < 5; ++i) {
    const Pt top = centre + Pt{float(i * 6 - 12), float(14 + (i % 2) * 6)};
    c.line(top, top + Pt{-1, 6}, Aqua);
  }
}

}  // namespace

PixelRect countdownArea() {
  const auto across = [](int twips) {
    return double(twips - kPictureBox.left) * kWidth / kPictureBox.width;
  };
  const auto down = [](int twips) { return double(twips - kPictureBox.top) * kHeight / kPictureBox.height; };
  return {int(std::floor(across(kCountdownLabel.left))), int(std::floor(down(kCountdownLabel.top))),
          int(std::ceil(across(kCountdownLabel.left + kCountdownLabel.width))),
          int(std::ceil(down(kCountdownLabel.top + kCountdownLabel.height)))};
}

Canvas drawContinue() {
  const float aspect = float(mojara::assets::kContinueShape.pixelAspect());
  Canvas c = lettering("CONTINUE?", aspect);
  // Daisaku on his knees beside the countdown, head hung towards it, in a puddle of rain
  const PixelRect box = countdownArea();
  const int centre = (box.right + kWidth) / 2 + 1, floor = kHeight - 8;
  c.ellipse({float(centre), float(floor) * aspect}, 36, 5, Navy);
  const Canvas beaten = drawLargeFighter(Daisaku, slumpedSkeleton(), kBeatenScale, aspect, true);
  standAt(c, beaten, centre, floor + 1);
  const int headTop = floor + 1 - (lowestRow(beaten) - topRow(beaten));
  rainCloud(c, {float(centre), float(headTop) * aspect - 30});
  return c;
}

}  // namespace pictures

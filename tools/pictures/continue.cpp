// The lose-and-continue picture: big "CONTINUE?" lettering over the end of a lost fight. The
// window prints its countdown in the middle of the picture, so that area is left empty: on its
// right the beaten fighter kneels under his own little rain cloud, on its left the winner walks
// off into the low sun, dark against it, a long shadow reaching back across the ground to the
// loser, while the wind blows a few leaves between them.
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
// The label is laid out 1455 twips square but sizes itself to its text, growing to the right:
// the ink of "10" at 72 points reaches about 3680 twips across the window (measured on screen).
constexpr TwipRect kCountdownLabel = {1800, 945, 1900, 1455};
static_assert(kPictureBox.width == mojara::assets::kContinueShape.boxWidth &&
              kPictureBox.height == mojara::assets::kContinueShape.boxHeight);

constexpr float kBeatenScale = 2.7f;  // display units for each pixel of his sprite
constexpr int kBeatenFloor = kHeight - 8;
constexpr Fighter kWinner = Tama;
constexpr float kWinnerScale = 2.7f;  // a little smaller: a few steps further off already
constexpr int kWinnerFloor = kHeight - 30;
constexpr int kWinnerColumn = 38;
// The sun is low ahead of the winner, so the shadow falls back towards the loser: it runs this
// many display units along the ground for each unit of the winner's height, and the winner's
// width (display units) is squeezed this many times thinner into the few rows of ground.
constexpr float kShadowRun = 1.9f;
constexpr float kShadowWidth = 48;
constexpr float kShadowSqueeze = 4;
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

// Fat lettering: yellow at the top, red below, a white rim of light, a black edge
// and a drop shadow.
Canvas lettering(std::string_view text, float aspect) {
  Canvas fill = strokes(text, aspect);
  int top = fill.height(), bottom = 0;
  for (int y = 0; y < fill.height(); ++y)
    for (int x = 0; x < fill.width(); ++x)
      if (fill.solid(x, y)) top = std::min(top, y), bottom = std::max(bottom, y + 1);
  // the upper half yellow, the lower red, a row of checker where they meet
  const int seam = top + (bottom - top) / 2;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < kWidth; ++x) fill.paint(x, y, y < seam || (y == seam && (x + y) % 2) ? Yellow : Red);
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
    c.line(top, top + Pt{-1, 6}, Blue);  // the window's own cyan would swallow aqua rain
  }
}

}  // namespace

// Mid-stride, arms swinging: the winner leaving without looking round.
Skeleton walkingOff() {
  Skeleton s;
  s.head = {16.5f, 5.5f}, s.neck = {16, 10.5f}, s.hip = {15.5f, 18.5f};
  s.backArm = {{15, 12}, {12.5f, 15.5f}, {11, 18.5f}, {11, 18.5f}};
  s.frontArm = {{17, 12}, {19.5f, 15.5f}, {21.5f, 17.5f}, {21.5f, 17.5f}};
  s.backLeg = {{14.5f, 18.5f}, {12, 23.5f}, {10, 29}, {12.5f, 29}};
  s.frontLeg = {{16.5f, 18.5f}, {19.5f, 23}, {21.5f, 29}, {24, 29}};
  return s;
}

// Against the low sun the winner is all shadow: navy inside a black rim, the sun catching
// only the front edge in blue.
Canvas silhouette(const Canvas& figure) {
  Canvas out = figure;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.paint(x, y, Navy);
  out.lightEdge(-1, 0);
  out.outline();
  return out;
}

// The shadow a standing figure (a whole-picture layer, feet on floorRow around column foot)
// casts along the ground: its height laid out to the right, its width squeezed into the rows
// of ground in front of the feet, so the head's shadow lands far off at the tip.
void longShadow(Canvas& c, const Canvas& figure, int foot, int floorRow) {
  const float floor = float(floorRow) * c.pixelAspect();
  const float left = float(foot) - kShadowWidth / 2;
  const int heel = foot - int(kShadowWidth / 3);  // from under both feet
  for (int y = floorRow; y < c.height() - 1; ++y) {
    const float across = (float(y) * c.pixelAspect() - floor) * kShadowSqueeze;
    for (int x = heel; x < c.width() - 1; ++x) {
      const int from = figure.rowAt(floor - float(x - heel) / kShadowRun);
      if (figure.solid(int(std::lround(left + across)), from)) c.set(x, y, Navy);
    }
  }
}

// A leaf tumbling in the wind: a pointed oval turned to the given angle, outlined.
void leaf(Canvas& c, Pt at, float angle, Colour colour) {
  Canvas one(c.width(), c.height(), Clear, c.pixelAspect());
  const Pt along{3.0f * std::cos(angle), 3.0f * std::sin(angle)};
  const Pt across{-1.4f * std::sin(angle), 1.4f * std::cos(angle)};
  const Pt corners[] = {at + along, at + across, at - along, at - across};
  one.polygon(corners, colour);
  one.outline();
  c.blit(one, 0, 0);
}

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
  Canvas c(kWidth, kHeight, Clear, aspect);
  const PixelRect box = countdownArea();
  // the winner walking off to the left, and his shadow stretching back past the countdown
  Canvas winner(kWidth, kHeight, Clear, aspect);
  standAt(winner, silhouette(drawLargeFighter(kWinner, walkingOff(), kWinnerScale, aspect, true)),
          kWinnerColumn, kWinnerFloor);
  longShadow(c, winner, kWinnerColumn, kWinnerFloor);
  c.blit(winner, 0, 0);
  // Daisaku on his knees beside the countdown, head hung towards it, in a puddle of rain
  const int centre = (box.right + kWidth) / 2;
  c.ellipse({float(centre), float(kBeatenFloor) * aspect}, 11 * kBeatenScale, 5, Navy);
  const Canvas beaten = drawLargeFighter(Daisaku, slumpedSkeleton(), kBeatenScale, aspect, true);
  standAt(c, beaten, centre, kBeatenFloor + 1);
  const int headTop = kBeatenFloor + 1 - (lowestRow(beaten) - topRow(beaten));
  rainCloud(c, {float(centre), float(headTop) * aspect - 30});
  // leaves blown along between the two of them, beside and under the countdown (display units)
  const struct {
    Pt at;
    float angle;
    Colour colour;
  } leaves[] = {{{70, 84}, 0.6f, Olive},     {{16, 118}, -0.4f, Maroon}, {{96, 148}, 1.1f, Olive},
                {{128, 160}, -0.9f, Maroon}, {{156, 150}, 0.3f, Olive},  {{60, 132}, 2.0f, Olive}};
  for (const auto& l : leaves) leaf(c, l.at, l.angle, l.colour);
  c.blit(lettering("CONTINUE?", aspect), 0, 0);
  return c;
}

}  // namespace pictures

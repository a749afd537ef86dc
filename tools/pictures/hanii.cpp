// Hanii: a haniwa clay figure. It hardly moves: most of its pictures are the same one.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/picture_shapes.h"
#include "fighters.h"

namespace pictures {

namespace {

enum class Arm { Raised, Low, Forward, PulledBack };

struct Stance {
  Arm front = Arm::Raised;
  Arm back = Arm::Low;
  float lean = 0;    // how far the top tips forward, in grid units
  float squash = 1;  // height kept, 1 = upright
  float step = 0;    // how far the whole figure stands back, to make room for a thrust arm
  bool lying = false;
};

constexpr Colour kClay = kHaniiClay;
constexpr Colour kLit = kHaniiLit;
constexpr Colour kDark = kHaniiDark;
constexpr Colour Groove = Teal;  // marks the groove until the clay is fired

// The haniwa is laid out on a square grid, feet on row 30 of a 32 x 32 cell. The battle shows
// every pixel taller than wide, so the grid is placed in the cell's display units and grown about
// the feet until the figure stands as tall in the cell as the rest of the cast.
constexpr float kGrown = 1.2f;
constexpr float kMid = 15.5f, kFeet = 30;
// Toppled over, its feet end up this far across the cell.
constexpr float kLyingFeet = 29.4f;
constexpr float kArmR = 1.4f;

// Takes a point of the upright figure on the grid to where it is drawn in the cell.
class Placing {
 public:
  Placing(const Stance& st, float aspect) : st_(st), aspect_(aspect) {}

  Pt operator()(Pt p) const {
    const float up = (kFeet - p.y) * st_.squash;  // height above the feet
    const float fwd = p.x - kMid + st_.lean * up / 24 - st_.step;
    // lying on its back, the head goes to the left and the front faces up
    if (st_.lying) return {kLyingFeet - up * kGrown, (20 - fwd) * kGrown};
    return {kMid + fwd * kGrown, kFeet * aspect_ - up * kGrown};
  }
  float size(float r) const { return r * kGrown; }

  void polygon(Canvas& c, std::initializer_list<Pt> corners, Colour colour) const {
    std::vector<Pt> shown;
    for (const Pt& p : corners) shown.push_back((*this)(p));
    c.polygon(shown, colour);
  }
  // An upright ellipse, squashed with the figure; on its side when the figure lies down.
  void ellipse(Canvas& c, Pt centre, float rx, float ry, Colour colour) const {
    ry *= st_.squash;
    if (st_.lying) std::swap(rx, ry);
    c.ellipse((*this)(centre), size(rx), size(ry), colour);
  }
  void tube(Canvas& c, const std::vector<Pt>& path, float r) const {
    for (std::size_t i = 0; i + 1 < path.size(); ++i) c.capsule((*this)(path[i]), (*this)(path[i + 1]), size(r), kClay);
  }

 private:
  Stance st_;
  float aspect_;
};

std::vector<Pt> armPath(Arm arm, bool front) {
  const float s = front ? 1.0f : -1.0f;
  const Pt shoulder{15.5f + s * 4, 16};
  switch (arm) {
    // the everyday arms are little clay stubs, one lifted and one hanging
    case Arm::Raised:
      return {shoulder, shoulder + Pt{s * 3, -0.5f}, shoulder + Pt{s * 3.5f, -3.5f}};
    case Arm::Low:
      return {shoulder, shoulder + Pt{s * 2.5f, 1}, shoulder + Pt{s * 3, 3.5f}};
    case Arm::Forward:
      return {shoulder, shoulder + Pt{s * 7.5f, -1}};
    case Arm::PulledBack:
      return {shoulder, shoulder + Pt{s * 2.5f, -6}, shoulder + Pt{-s * 1.5f, -13.5f}};
  }
  return {shoulder};
}

// A rectangle of the grid, edges on the lines between its pixels.
void block(Canvas& c, const Placing& at, float x, float y, float w, float h, Colour colour) {
  const float l = x - 0.5f, t = y - 0.5f, r = l + w, b = t + h;
  at.polygon(c, {{l, t}, {r, t}, {r, b}, {l, b}}, colour);
}

// The figure in flat clay, holes and all, before light and outline.
Canvas clay(const Stance& st) {
  const float aspect = float(mojara::assets::kFighterShape.pixelAspect());
  const Placing at(st, aspect);
  Canvas c(32, 32, Clear, aspect);
  at.ellipse(c, {15.5f, 7}, 5.5f, 5, kClay);  // the round-topped head, as wide as the tube below
  block(c, at, 10, 7, 12, 7, kClay);
  at.polygon(c, {{10.5f, 14}, {20.5f, 14}, {21.5f, 26}, {10, 26}}, kClay);
  at.polygon(c, {{10, 25}, {21.5f, 25}, {23, 30}, {8.5f, 30}}, kClay);
  at.tube(c, armPath(st.back, false), kArmR);
  at.tube(c, armPath(st.front, true), kArmR);
  // eyes and mouth are big hollow holes poked through the clay
  // (a little taller than two grid rows, so each shows two of the battle's rows, and narrow
  // enough to keep clay between them and the dark rim of the head)
  block(c, at, 12.4f, 5.75f, 2.6f, 2.5f, Black);
  block(c, at, 17, 5.75f, 2.6f, 2.5f, Black);
  block(c, at, 14, 9.75f, 4, 2.5f, Black);
  // a groove round the waist, cut into the clay but not through its edge
  Canvas cut(32, 32, Clear, aspect);
  cut.line(at({0, 21}), at({31, 21}), Groove);
  const Canvas body = c;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (cut.solid(x, y) && body.at(x, y) == kClay && body.solid(x - 1, y) && body.solid(x + 1, y) &&
          body.solid(x, y - 1) && body.solid(x, y + 1))
        c.set(x, y, Groove);
  return c;
}

// Round clay: dark on the far side and a band of light down the near one, so the tube reads as
// round; the lower lip of each hole catches the light too, so the holes read as deep. Lying
// down, the light runs along its upper side and the shadow under it.
Canvas fired(const Canvas& flat, bool lying) {
  Canvas c = flat;
  for (int y = 0; y < flat.height(); ++y)
    for (int x = 0; x < flat.width(); ++x) {
      if (flat.at(x, y) == Groove) {
        c.set(x, y, Black);
        continue;
      }
      if (flat.at(x, y) != kClay) continue;
      if (flat.at(x, y - 1) == Black) {  // the light catches the lower lip of each hole
        c.set(x, y, kLit);
        continue;
      }
      const bool nearSide = lying ? !flat.solid(x, y - 1) || !flat.solid(x, y - 2)
                                  : !flat.solid(x + 1, y) || !flat.solid(x + 2, y);
      const bool farSide = lying ? !flat.solid(x + 1, y) : !flat.solid(x - 1, y);
      if (farSide || !flat.solid(x, y + 1)) {
        c.set(x, y, kDark);
      } else if (nearSide && flat.at(x + 1, y) != Black) {
        c.set(x, y, kLit);
      }
    }
  c.outline();
  return c;
}

Stance stanceFor(Pose pose) {
  switch (pose) {
    case Ready:
      return {Arm::Forward, Arm::Raised, 2.5f, 1, 3};
    case Punch:
      return {Arm::Forward, Arm::Low, 1.5f, 1, 2.5f};
    case Crouch:
      return {Arm::Raised, Arm::Low, 0, 0.72f};
    case WindUp:
      return {Arm::PulledBack, Arm::Low, -2, 1};
    case Lying:
      // toppled over on its back, a little shorter so it fits across the cell
      return {Arm::Low, Arm::Low, 0, 0.8f, 0, true};
    default:
      return {};
  }
}

}  // namespace

Canvas drawHanii(Pose pose, bool /*sideFixed: clay has nothing that stays put*/) {
  const Stance st = stanceFor(pose);
  const Canvas figure = fired(clay(st), st.lying);
  if (!st.lying) return figure;
  // lying on the floor: dropped onto the cell's bottom row
  int bottom = 0;
  for (int y = 0; y < figure.height(); ++y)
    for (int x = 0; x < figure.width(); ++x)
      if (figure.solid(x, y)) bottom = std::max(bottom, y);
  Canvas out(32, 32, Clear, figure.pixelAspect());
  out.blit(figure, 0, 31 - bottom);
  return out;
}

}  // namespace pictures

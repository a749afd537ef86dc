// Hanii: a haniwa clay figure. It hardly moves: most of its pictures are the same one.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "assets/picture_shapes.h"
#include "fighters.h"

namespace pictures {

namespace {

enum class Arm { Raised, Low, Forward, CockedHigh, Shove };

struct Stance {
  Arm front = Arm::Raised;
  Arm back = Arm::Low;
  float tilt = 0;    // degrees it rocks over on the edge of its base, forward when positive
  float squash = 1;  // height kept, 1 = upright
  float step = 0;    // how far the whole figure stands back, to make room for a thrust arm
  bool lying = false;
};

constexpr Colour kClay = kHaniiClay;
constexpr Colour kWarm = kHaniiWarm;
constexpr Colour kLit = kHaniiLit;
constexpr Colour kDark = kHaniiDark;
constexpr Colour Groove = Teal;   // marks the groove until the clay is fired
constexpr Colour ArmClay = Navy;  // marks the arms, lit as tubes of their own

// The haniwa is laid out on a square grid, feet on row 30 of a 32 x 32 cell. The battle shows
// every pixel taller than wide, so the grid is placed in the cell's display units and grown about
// the feet until the figure stands as tall in the cell as the rest of the cast.
constexpr float kGrown = 1.2f;
constexpr float kMid = 15.5f, kFeet = 30;
// Toppled over, its feet end up this far across the cell.
constexpr float kLyingFeet = 29.4f;
constexpr float kArmR = 1.4f;
// The corners of its base it rocks on: the front one leaning into a blow, the back one away.
constexpr float kToe = 23 - kMid, kHeel = 8.5f - kMid;

// Takes a point of the upright figure on the grid to where it is drawn in the cell.
class Placing {
 public:
  Placing(const Stance& st, float aspect)
      : st_(st), aspect_(aspect), cos_(std::cos(st.tilt * kRadians)), sin_(std::sin(st.tilt * kRadians)) {}

  Pt operator()(Pt p) const {
    float up = (kFeet - p.y) * st_.squash;  // height above the feet
    float fwd = p.x - kMid;
    // lying on its back, the head goes to the left and the front faces up
    if (st_.lying) return {kLyingFeet - up * kGrown, (20 - fwd) * kGrown};
    // rocked over on one corner of its base, which stays on the floor
    const float pivot = st_.tilt > 0 ? kToe : kHeel, d = fwd - pivot;
    fwd = pivot + d * cos_ + up * sin_ - st_.step;
    up = up * cos_ - d * sin_;
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
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
      c.capsule((*this)(path[i]), (*this)(path[i + 1]), size(r), ArmClay);
  }

 private:
  static constexpr float kRadians = std::numbers::pi_v<float> / 180;  // in a degree
  Stance st_;
  float aspect_;
  float cos_, sin_;
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
    case Arm::CockedHigh:  // swung up high beside the head, ready to come down
      return {shoulder, shoulder + Pt{s * 3.5f, -3.5f}, shoulder + Pt{s * 3, -10}};
    case Arm::Shove:  // thrust out in front, below the other arm, from whichever side
      return {shoulder, Pt{27, 20}};
  }
  return {shoulder};
}

// A rectangle of the grid, edges on the lines between its pixels.
void block(Canvas& c, const Placing& at, float x, float y, float w, float h, Colour colour) {
  const float l = x - 0.5f, t = y - 0.5f, r = l + w, b = t + h;
  at.polygon(c, {{l, t}, {r, t}, {r, b}, {l, b}}, colour);
}

// The figure in flat clay, holes and all, before light and outline; and its body alone, without
// the arms, which takes the light as one round tube.
struct Flat {
  Canvas figure, body;
};

Flat clay(const Stance& st) {
  const float aspect = float(mojara::assets::kFighterShape.pixelAspect());
  const Placing at(st, aspect);
  Canvas c(32, 32, Clear, aspect);
  at.tube(c, armPath(st.back, false), kArmR);  // behind the body
  at.ellipse(c, {15.5f, 7}, 5.5f, 5, kClay);   // the round-topped head, as wide as the tube below
  block(c, at, 10, 7, 12, 7, kClay);
  at.polygon(c, {{10.5f, 14}, {20.5f, 14}, {21.5f, 26}, {10, 26}}, kClay);
  at.polygon(c, {{10, 25}, {21.5f, 25}, {23, 30}, {8.5f, 30}}, kClay);
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
  Canvas figure = c;
  at.tube(figure, armPath(st.front, true), kArmR);  // in front of it
  return {figure, c};
}

// Fired clay, round and matte. Across the body the red-brown is dark on the far side and
// underneath, warms through a thin line of red to a band of dull ochre towards the near side
// and falls back to red-brown at the very edge, so the tube reads as round and fired rather
// than painted. The arms are tubes of their own, lit along the top. The lower lip of each hole
// catches the light too, so the holes read as deep. Lying down, the light runs along its upper
// side.
Canvas fired(const Flat& clay, bool lying) {
  const Canvas& flat = clay.figure;
  Canvas c = flat;
  const auto body = [&](int x, int y) { return clay.body.solid(x, y) && clay.body.at(x, y) != ArmClay; };
  for (int y = 0; y < flat.height(); ++y)
    for (int x = 0; x < flat.width(); ++x) {
      const Colour here = flat.at(x, y);
      if (here == Groove) {
        c.set(x, y, Black);
        continue;
      }
      if (here != kClay && here != ArmClay) continue;
      c.set(x, y, kClay);
      if (flat.at(x, y - 1) == Black) {  // the light catches the lower lip of each hole
        c.set(x, y, kWarm);
        continue;
      }
      const bool farSide = lying ? !flat.solid(x + 1, y) : !flat.solid(x - 1, y);
      if (farSide || !flat.solid(x, y + 1)) {
        c.set(x, y, kDark);
        continue;
      }
      if (here == ArmClay) {  // lit along its top, dark underneath
        if (flat.at(x, y - 1) != ArmClay)
          c.set(x, y, kLit);
        else if (flat.at(x, y + 1) != ArmClay)
          c.set(x, y, kDark);
        continue;
      }
      // where this pixel lies across the body, 0 on the far side and 1 on the lit one
      const int dx = lying ? 0 : 1, dy = lying ? -1 : 0;
      const auto run = [&](int x0, int y0, int step) {
        int n = 0;
        while (n < 32 && body(x0 + step * dx * (n + 1), y0 + step * dy * (n + 1))) ++n;
        return n;
      };
      const int from = run(x, y, -1), to = run(x, y, 1);
      if (from + to < 4 || to == 0) continue;
      const float t = float(from) / float(from + to);
      if (t >= 0.7f && t < 0.88f)
        c.set(x, y, kLit);
      else if (t >= 0.62f && t < 0.7f)
        c.set(x, y, kWarm);
    }
  c.outline();
  return c;
}

Stance stanceFor(Pose pose) {
  switch (pose) {
    case Ready:  // rocked forward onto the front of its base, one arm out
      return {Arm::Forward, Arm::Raised, 9, 1, 3.2f};
    case Punch:  // a shove: thrown forward on its toe, both arms thrust out
      return {Arm::Forward, Arm::Shove, 15, 1, 4.7f};
    case Crouch:
      return {Arm::Raised, Arm::Low, 0, 0.72f};
    case WindUp:  // rocked back on its heel, the far arm swung up high behind it
      return {Arm::Low, Arm::CockedHigh, -9, 1, -1};
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

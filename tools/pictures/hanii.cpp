// Hanii: a haniwa clay figure. It hardly moves: most of its pictures are the same one.
#include <algorithm>
#include <cmath>
#include <vector>

#include "fighters.h"

namespace pictures {

namespace {

enum class Arm { Raised, Low, Forward, PulledBack };

struct Stance {
  Arm front = Arm::Raised;
  Arm back = Arm::Low;
  float lean = 0;    // how far the top tips forward, in pixels
  float squash = 1;  // height kept, 1 = upright
};

// Fired terracotta: a reddish-brown body that glows red where the light catches its curve.
constexpr Colour kClay = Maroon;
constexpr Colour kLit = Red;
constexpr Colour kDark = Black;
constexpr Colour Groove = Teal;  // marks the groove until the clay is fired

void tube(Canvas& c, const std::vector<Pt>& path, float r) {
  for (std::size_t i = 0; i + 1 < path.size(); ++i) c.capsule(path[i], path[i + 1], r, kClay);
}

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
      return {shoulder, shoulder + Pt{s * 11.5f, -1}};
    case Arm::PulledBack:
      return {shoulder, shoulder + Pt{s * 2.5f, -6}, shoulder + Pt{-s * 1.5f, -13.5f}};
  }
  return {shoulder};
}

// The figure in flat clay, holes and all, before light and outline.
Canvas clay(const Stance& st) {
  Canvas c(32, 32);
  c.ellipse({15.5f, 7}, 5.5f, 5, kClay);  // the round-topped head, as wide as the tube below
  c.fillRect(10, 7, 12, 7, kClay);
  const Pt body[] = {{10.5f, 14}, {20.5f, 14}, {21.5f, 26}, {10, 26}};
  c.polygon(body, kClay);
  const Pt skirt[] = {{10, 25}, {21.5f, 25}, {23, 30}, {8.5f, 30}};
  c.polygon(skirt, kClay);
  tube(c, armPath(st.back, false), 1.4f);
  tube(c, armPath(st.front, true), 1.4f);
  // eyes and mouth are big hollow holes poked through the clay
  c.fillRect(12, 6, 3, 2, Black);
  c.fillRect(17, 6, 3, 2, Black);
  c.fillRect(14, 10, 4, 2, Black);
  // a groove round the waist
  for (int x = 0; x < 32; ++x)
    if (c.at(x, 21) == kClay && c.at(x - 1, 21) == kClay) c.set(x, 21, Groove);
  if (st.lean == 0 && st.squash == 1) return c;
  Canvas bent(32, 32);
  for (int y = 0; y < 32; ++y) {
    const float from = 30 - (30 - y) / st.squash;  // squashed rows come from higher up
    const int sy = int(std::lround(from));
    const int shift = int(std::lround(st.lean * (30 - y) / 24.0f));
    for (int x = 0; x < 32; ++x) bent.set(x + shift, y, c.at(x, sy));
  }
  return bent;
}

// Round clay: dark on the far side and a band of light down the near one, so the tube reads as
// round; the lower lip of each hole catches the light too, so the holes read as deep.
Canvas fired(const Canvas& flat) {
  Canvas c = flat;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (flat.at(x, y) == Groove) {
        c.set(x, y, Black);
        continue;
      }
      if (flat.at(x, y) != kClay) continue;
      if (flat.at(x, y - 1) == Black) {  // the light catches the lower lip of each hole
        c.set(x, y, kLit);
        continue;
      }
      const bool nearSide = !flat.solid(x + 1, y) || !flat.solid(x + 2, y);
      if (!flat.solid(x - 1, y) || !flat.solid(x, y + 1)) {
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
      return {Arm::Forward, Arm::Raised, 2.5f, 1};
    case Punch:
      return {Arm::Forward, Arm::Low, 1.5f, 1};
    case Crouch:
      return {Arm::Raised, Arm::Low, 0, 0.72f};
    case WindUp:
      return {Arm::PulledBack, Arm::Low, -2, 1};
    default:
      return {};
  }
}

}  // namespace

Canvas drawHanii(Pose pose, bool /*sideFixed: clay has nothing that stays put*/) {
  const Canvas upright = fired(clay(stanceFor(pose)));
  if (pose != Lying) return upright;
  // toppled over on its back
  const Canvas flat = fired(clay({Arm::Low, Arm::Low, 0, 0.9f})).turnedLeft();
  int bottom = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (flat.solid(x, y)) bottom = std::max(bottom, y);
  Canvas out(32, 32);
  out.blit(flat, 0, 31 - bottom);
  return out;
}

}  // namespace pictures

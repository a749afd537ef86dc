// The ending picture: the whole cast gathered for a last group shot at sunset, all facing the
// camera, each striking a pose of their own.
#include <cmath>

#include "assets/picture_shapes.h"
#include "figure.h"
#include "scenery.h"
#include "screens.h"
#include "texture.h"

namespace pictures {

namespace {

constexpr int kWidth = 325;
constexpr int kHeight = 179;
constexpr int kHorizon = 110;
constexpr int kBackFloor = 128;   // the back row stands on the rise
constexpr int kFrontFloor = 175;
constexpr float kBackScale = 2.2f;
constexpr float kFrontScale = 2.5f;
constexpr float kSunX = 182;

Limb limb(Pt root, Pt joint, Pt end) { return {root, joint, end, end}; }
Limb limb(Pt root, Pt joint, Pt end, Pt tip) { return {root, joint, end, tip}; }

// Facing the camera, legs apart: the base of most of the group's poses.
Skeleton facingUs(Mood mood) {
  Skeleton s;
  s.head = {15.5f, 6}, s.neck = {15.5f, 11}, s.hip = {15.5f, 18.5f};
  s.backArm = limb({12, 12.5f}, {11, 16}, {11, 19.5f});
  s.frontArm = limb({19, 12.5f}, {20, 16}, {20, 19.5f});
  s.backLeg = limb({13.5f, 18.5f}, {13, 24}, {12.5f, 29}, {11, 29});
  s.frontLeg = limb({17.5f, 18.5f}, {18, 24}, {18.5f, 29}, {20, 29});
  s.view = HeadView::Front;
  s.mood = mood;
  return s;
}

// One hand on the hip, the other waving high.
Skeleton waving(Mood mood = Mood::Glad) {
  Skeleton s = facingUs(mood);
  s.backArm = limb({12, 12.5f}, {8.5f, 15.5f}, {12, 18});
  s.frontArm = limb({19, 12.5f}, {23, 9.5f}, {23.5f, 3.5f});
  return s;
}

// Both arms flung up.
Skeleton armsUp() {
  Skeleton s = facingUs(Mood::Glad);
  s.backArm = limb({12.5f, 12.5f}, {8.5f, 10}, {5, 6.5f});
  s.frontArm = limb({18.5f, 12.5f}, {22.5f, 10}, {26, 6.5f});
  return s;
}

// Arms straight up and knees tucked: off the ground at the top of a jump.
Skeleton jumping() {
  Skeleton s = facingUs(Mood::Glad);
  s.backArm = limb({12.5f, 12.5f}, {10.5f, 9}, {9.5f, 4});
  s.frontArm = limb({18.5f, 12.5f}, {20.5f, 9}, {21.5f, 4});
  s.backLeg = limb({13.5f, 18.5f}, {11, 23}, {12.5f, 27}, {11, 27.5f});
  s.frontLeg = limb({17.5f, 18.5f}, {20, 23}, {18.5f, 27}, {20, 27.5f});
  return s;
}

// Fists on the hips, elbows out, proud of it all.
Skeleton handsOnHips() {
  Skeleton s = facingUs(Mood::Glad);
  s.backArm = limb({12, 12.5f}, {8, 15.5f}, {11.5f, 18});
  s.frontArm = limb({19, 12.5f}, {23, 15.5f}, {19.5f, 18});
  return s;
}

// The haniwa can only raise one arm: the stick figure says which.
Skeleton oneArmUp() {
  Skeleton s = facingUs(Mood::Calm);
  s.frontArm = limb({19, 12.5f}, {22, 9}, {22, 4});
  return s;
}

void gather(Canvas& c, const CastMember& m) {
  const float aspect = c.pixelAspect();
  groundShadow(c, {float(m.x), float(m.floor) * aspect}, 9 * m.scale, 1.25f * m.scale);
  standAt(c, drawLargeFighter(m.who, m.pose, m.scale, aspect, m.facingLeft), m.x, m.floor - m.lift);
}

}  // namespace

std::vector<CastMember> endingCast() {
  // Two staggered rows, as for a photograph: the back row on the rise shows between the heads
  // of the front row, and the sun sets in the gap above the middle of it.
  return {
      {Daisaku, waving(), 26, kFrontFloor, kFrontScale, false},
      {Daiganmen, armsUp(), 64, kBackFloor, kBackScale, false},
      {Miyo, jumping(), 101, kFrontFloor, kFrontScale, false, 5},
      {Jiro, skeletonFor(Victory), 142, kBackFloor, kBackScale, false},
      {Tama, handsOnHips(), 181, kFrontFloor, kFrontScale, false},
      {Hanii, oneArmUp(), 220, kBackFloor, kBackScale, false},
      {IronDoll, waving(Mood::Calm), 258, kFrontFloor, kFrontScale, true},
      {Kokutanjin, armsUp(), 296, kBackFloor, kBackScale, true},
  };
}

Canvas drawEnding() {
  const float aspect = float(mojara::assets::kEndingShape.pixelAspect());
  Canvas c(kWidth, kHeight, Clear, aspect);
  // night coming on overhead, the last of the day low down
  bands(c, 0, {{Navy, 40}, {Purple, 30}, {Red, 26}, {Yellow, kHorizon - 96}});
  for (int i = 0; i < 40; ++i) {  // the first stars come out
    const int x = int(noise(i, 7, 70) % kWidth), y = int(noise(i, 8, 70) % 30);
    c.set(x, y, i % 4 ? Silver : White);
  }
  // long thin clouds, lit from below by the sun
  const struct { int x, y, length; Colour colour; } streaks[] = {
      {18, 34, 70, Purple}, {230, 28, 60, Purple}, {96, 52, 84, Red}, {250, 60, 52, Red}, {10, 78, 48, Purple},
  };
  for (const auto& s : streaks) {
    c.fillRect(s.x, s.y, s.length, 1, s.colour);
    c.fillRect(s.x + s.length / 5, s.y - 1, s.length / 2, 1, s.colour);
    c.fillRect(s.x + s.length / 3, s.y + 1, s.length / 2, 1, s.colour);
  }
  // the sun going down in the gap in the back row, streaked with cloud
  const Pt sun = {kSunX, float(kHorizon - 10) * aspect};
  c.disc(sun, 24, Yellow);
  c.disc(sun, 20, White);
  for (int y : {92, 97, 101}) c.fillRect(int(kSunX) - 30, y, 61, y == 97 ? 2 : 1, Red);
  // the far field catches the low sun; the near grass stands up dark against it
  const int nearGrass = kHorizon + 20;
  bands(c, kHorizon, {{Olive, nearGrass - kHorizon}, {Green, kHeight - nearGrass}});
  grassTips(c, nearGrass, 5, Green, 23);
  for (int i = 0; i < 30; ++i) {
    tuft(c, 4 + int(noise(i, 3, 72) % (kWidth - 8)), kHorizon + 6 + int(noise(i, 4, 72) % 10), Green, 6);
    tuft(c, 4 + int(noise(i, 5, 72) % (kWidth - 8)), nearGrass + 6 + int(noise(i, 6, 72) % 40), Olive, 7);
  }
  for (int x = 0; x < kWidth; ++x)  // far hills against the sun
    for (int y = kHorizon - 8; y < kHorizon; ++y)
      if (y >= kHorizon - 2 - int(4 + 3 * std::sin(x / 23.0) + noise(x / 4, 1, 71) % 2)) c.set(x, y, Green);
  for (const CastMember& m : endingCast()) gather(c, m);
  return c;
}

}  // namespace pictures

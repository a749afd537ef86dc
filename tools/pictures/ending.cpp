// The ending picture: the whole cast gathered for a last group shot at sunset, each striking
// a pose of their own for the camera.
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
constexpr int kBackFloor = 131;   // the back row stands on the rise
constexpr int kFrontFloor = 173;
constexpr float kBackScale = 2.0f;
constexpr float kFrontScale = 2.2f;
constexpr float kSunX = 165;

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
Skeleton waving() {
  Skeleton s = facingUs(Mood::Glad);
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

// Arms up and knees tucked: off the ground at the top of a jump.
Skeleton jumping() {
  Skeleton s = armsUp();
  s.backLeg = limb({13.5f, 18.5f}, {11, 23}, {12.5f, 27}, {11, 27.5f});
  s.frontLeg = limb({17.5f, 18.5f}, {20, 23}, {18.5f, 27}, {20, 27.5f});
  return s;
}

// Fists up beside the head, showing off.
Skeleton flexing() {
  Skeleton s = facingUs(Mood::Shout);
  s.backArm = limb({12, 12.5f}, {7.5f, 12.5f}, {7.5f, 7.5f});
  s.frontArm = limb({19, 12.5f}, {23.5f, 12.5f}, {23.5f, 7.5f});
  s.backLeg = limb({13.5f, 18.5f}, {11.5f, 24}, {10.5f, 29}, {9, 29});
  s.frontLeg = limb({17.5f, 18.5f}, {19.5f, 24}, {20.5f, 29}, {22, 29});
  return s;
}

// Sat on the grass, legs out in front, leaning back on one hand.
Skeleton sitting() {
  Skeleton s;
  s.head = {15.5f, 13.5f}, s.neck = {14.5f, 18}, s.hip = {13, 25.5f};
  s.backArm = limb({13.5f, 19.5f}, {11, 23.5f}, {9.5f, 27.5f});
  s.frontArm = limb({15.5f, 19.5f}, {18, 22.5f}, {20, 24.5f});
  s.backLeg = limb({12.5f, 26}, {17.5f, 25}, {22, 28}, {23.5f, 26});
  s.frontLeg = limb({13.5f, 25.5f}, {18.5f, 24.5f}, {23, 27.5f}, {24.5f, 25.5f});
  s.mood = Mood::Glad;
  return s;
}

// A deep, courteous bow, seen from the side.
Skeleton bowing() {
  Skeleton s;
  s.head = {23, 14.5f}, s.neck = {19.5f, 13}, s.hip = {14.5f, 18.5f};
  s.backArm = limb({18, 14}, {19, 18.5f}, {20, 22});
  s.frontArm = limb({19, 14}, {20.5f, 18.5f}, {21.5f, 22});
  s.backLeg = limb({13.5f, 18.5f}, {13.5f, 24}, {13.5f, 29}, {16, 29});
  s.frontLeg = limb({15.5f, 18.5f}, {15.5f, 24}, {15.5f, 29}, {18, 29});
  return s;
}

// Standing side on, waving over a shoulder.
Skeleton wavingSideOn() {
  Skeleton s = skeletonFor(Rest);
  s.frontArm = limb({17, 11.5f}, {20.5f, 8.5f}, {21, 3.5f});
  s.mood = Mood::Glad;
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
  return {
      // the back row, on the rise, leaving the sun a gap in the middle
      {Daiganmen, armsUp(), 44, kBackFloor, kBackScale, false},
      {Jiro, bowing(), 124, kBackFloor, kBackScale, false},
      {Hanii, oneArmUp(), 220, kBackFloor, kBackScale, false},
      {Kokutanjin, flexing(), 290, kBackFloor, kBackScale, true},
      // the front row
      {Daisaku, waving(), 28, kFrontFloor, kFrontScale, false},
      {Miyo, jumping(), 98, kFrontFloor, kFrontScale, false, 7},
      {Tama, sitting(), 186, kFrontFloor, kFrontScale, true},
      {IronDoll, wavingSideOn(), 266, kFrontFloor, kFrontScale, true},
  };
}

Canvas drawEnding() {
  const float aspect = float(mojara::assets::kEndingShape.pixelAspect());
  Canvas c(kWidth, kHeight, Clear, aspect);
  gradient(c, 0, kHorizon, {Navy, Purple, Red, Yellow});
  for (int i = 0; i < 40; ++i) {  // the first stars come out
    const int x = int(noise(i, 7, 70) % kWidth), y = int(noise(i, 8, 70) % 30);
    c.set(x, y, i % 4 ? Silver : White);
  }
  // the sun going down between the two halves of the back row, streaked with cloud
  const Pt sun = {kSunX, float(kHorizon - 10) * aspect};
  c.disc(sun, 24, Yellow);
  c.disc(sun, 20, White);
  for (int y : {92, 97, 101}) c.fillRect(int(kSunX) - 30, y, 61, y == 97 ? 2 : 1, Red);
  gradient(c, kHorizon, kHeight, {Olive, Green, Green});
  for (int x = 0; x < kWidth; ++x)  // far hills against the sun
    for (int y = kHorizon - 8; y < kHorizon; ++y)
      if (y >= kHorizon - 2 - int(4 + 3 * std::sin(x / 23.0) + noise(x / 4, 1, 71) % 2)) c.set(x, y, Green);
  for (const CastMember& m : endingCast()) gather(c, m);
  return c;
}

}  // namespace pictures

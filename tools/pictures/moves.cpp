#include "moves.h"

#include <optional>

namespace pictures {

namespace {

constexpr float kFloor = 29;  // ankle height, as in the common poses

Limb arm(Pt shoulder, Pt elbow, Pt hand) { return {shoulder, elbow, hand, hand}; }
Limb leg(Pt hip, Pt knee, Pt ankle, Pt toe) { return {hip, knee, ankle, toe}; }

// Tama moves like a cat: low to the ground, swiping with a claw, pouncing, bristling.
std::optional<Skeleton> tama(Pose pose) {
  Skeleton s;
  switch (pose) {
    case Punch:  // crouched, one paw swiped up and forward
      s.head = {20.5f, 11.5f}, s.neck = {18.5f, 15}, s.hip = {12.5f, 21};
      s.backArm = arm({17, 16}, {19.5f, 20}, {22, 23});
      s.frontArm = arm({19, 15.5f}, {23.5f, 13}, {27.5f, 8.5f});
      s.backLeg = leg({11.5f, 21}, {7.5f, 24}, {6, kFloor}, {8.5f, kFloor});
      s.frontLeg = leg({13.5f, 21.5f}, {17.5f, 24.5f}, {16.5f, kFloor}, {19, kFloor});
      s.mood = Mood::Shout;
      return s;
    case Kick:  // a low pounce, paws first, hind legs stretched out behind
      s.head = {20.5f, 17}, s.neck = {17.5f, 19.5f}, s.hip = {11.5f, 21.5f};
      s.backArm = arm({16.5f, 20}, {19.5f, 24}, {22, 26});
      s.frontArm = arm({17, 19.5f}, {21, 21.5f}, {25, 22});
      s.backLeg = leg({10.5f, 21.5f}, {7.5f, 23}, {5, 25.5f}, {4.5f, 27.5f});
      s.frontLeg = leg({12, 22}, {9.5f, 25.5f}, {7, 28.5f}, {5.5f, kFloor});
      s.mood = Mood::Shout;
      return s;
    case Hit:  // reared up on her hind legs by the blow, back arched, paws flung up, head thrown back
      s.head = {9, 9.5f}, s.neck = {12.5f, 12.5f}, s.hip = {17.5f, 18.5f};
      s.backArm = arm({13, 13.5f}, {15.5f, 10}, {17.5f, 6});
      s.frontArm = arm({14.5f, 13.5f}, {19, 11.5f}, {22.5f, 8.5f});
      s.backLeg = leg({16.5f, 18.5f}, {14, 23.5f}, {12.5f, kFloor}, {15, kFloor});
      s.frontLeg = leg({18.5f, 18.5f}, {22.5f, 22}, {25, 26}, {27, 25});
      s.mood = Mood::Hurt;
      return s;
    default:
      return std::nullopt;
  }
}

// Miyo fights like a schoolgirl: a slap, a high kick, a recoil; she walks with a swing.
std::optional<Skeleton> miyo(Pose pose) {
  Skeleton s;
  switch (pose) {
    case WalkA:  // a long stride, arms swinging against the legs
      s.head = {16.5f, 6}, s.neck = {16, 10.5f}, s.hip = {15.5f, 18.5f};
      s.backArm = arm({14, 12}, {17, 15}, {19.5f, 17.5f});
      s.frontArm = arm({17, 12}, {14.5f, 15.5f}, {11.5f, 17.5f});
      s.backLeg = leg({14, 18.5f}, {10.5f, 23.5f}, {7, kFloor}, {9.5f, kFloor});
      s.frontLeg = leg({17, 18.5f}, {21.5f, 23}, {24, kFloor}, {26.5f, kFloor});
      return s;
    case Punch:  // a slap: the hand swung high across, feet together, up on her toes
      s.head = {17, 6}, s.neck = {16.5f, 10.5f}, s.hip = {15, 18.5f};
      s.backArm = arm({14.5f, 12.5f}, {12, 15.5f}, {10, 18.5f});
      s.frontArm = arm({18, 12}, {21.5f, 7}, {26.5f, 6});
      s.backLeg = leg({14, 18.5f}, {14, 24}, {14.5f, 28.5f}, {16.5f, kFloor});
      s.frontLeg = leg({16, 18.5f}, {17.5f, 24}, {18, kFloor}, {20.5f, kFloor});
      s.mood = Mood::Shout;
      return s;
    case Kick:  // a high kick, leaning far back, the foot as high as her head
      s.head = {9.5f, 7.5f}, s.neck = {11.5f, 11.5f}, s.hip = {15, 18.5f};
      s.backArm = arm({11.5f, 12.5f}, {7.5f, 14.5f}, {4.5f, 17.5f});
      s.frontArm = arm({13.5f, 12.5f}, {16, 15.5f}, {18.5f, 14});
      s.backLeg = leg({14, 18.5f}, {14, 24}, {14, kFloor}, {16.5f, kFloor});
      s.frontLeg = leg({16, 18}, {21, 12.5f}, {25.5f, 6.5f}, {27.5f, 4.5f});
      s.mood = Mood::Shout;
      return s;
    case Hit:  // snapped back from the blow: arched back, head thrown back, arms flung wide, a foot kicked up
      s.head = {11, 8}, s.neck = {14, 11}, s.hip = {18, 18.5f};
      s.backArm = arm({14.5f, 12.5f}, {11, 11}, {7.5f, 12.5f});
      s.frontArm = arm({16, 12.5f}, {19, 8.5f}, {21, 4});
      s.backLeg = leg({17, 18.5f}, {16, 24}, {14.5f, kFloor}, {17, kFloor});
      s.frontLeg = leg({19, 18.5f}, {22.5f, 22.5f}, {24.5f, 26.5f}, {26.5f, 25.5f});
      s.mood = Mood::Hurt;
      return s;
    default:
      return std::nullopt;
  }
}

// Kokutanjin is a heavy lump of charcoal: hunched, clubbing down from above, stamping.
std::optional<Skeleton> kokutanjin(Pose pose) {
  Skeleton s;
  switch (pose) {
    case Punch:  // the hammer comes down: both fists swung together down in front, head over them
      s.head = {20.5f, 9}, s.neck = {18.5f, 13}, s.hip = {14, 20};
      s.backArm = arm({16.5f, 14.5f}, {21, 15}, {25, 18});
      s.frontArm = arm({18, 15}, {22, 16.5f}, {26, 20});
      s.backLeg = leg({12.5f, 19.5f}, {9, 24}, {6.5f, kFloor}, {9, kFloor});
      s.frontLeg = leg({15.5f, 19.5f}, {20, 23.5f}, {21, kFloor}, {23.5f, kFloor});
      s.mood = Mood::Shout;
      return s;
    case WindUp:  // both fists hoisted high behind his head, leaning back for the hammer blow
      s.head = {16.5f, 7.5f}, s.neck = {15.5f, 11.5f}, s.hip = {15.5f, 19.5f};
      s.backArm = arm({14, 13}, {10, 9.5f}, {7.5f, 4.5f});
      s.frontArm = arm({15, 13}, {10.5f, 11.5f}, {6, 8});
      s.backLeg = leg({14, 19.5f}, {11, 24}, {9, kFloor}, {11.5f, kFloor});
      s.frontLeg = leg({17, 19.5f}, {20.5f, 24}, {21.5f, kFloor}, {24, kFloor});
      s.mood = Mood::Shout;
      return s;
    case Kick:  // a stamp: the knee hoisted high, the sole about to come down
      s.head = {17.5f, 7.5f}, s.neck = {16.5f, 11.5f}, s.hip = {14.5f, 19};
      s.backArm = arm({13, 13}, {9, 15}, {6.5f, 18.5f});
      s.frontArm = arm({17, 13}, {20, 16}, {19, 19.5f});
      s.backLeg = leg({13.5f, 19}, {12.5f, 24}, {12, kFloor}, {14.5f, kFloor});
      s.frontLeg = leg({16, 18.5f}, {22, 15.5f}, {23.5f, 21.5f}, {26.5f, 22});
      s.mood = Mood::Shout;
      return s;
    case Hit:  // staggering back a step, head snapped back, arms thrown out in front
      s.head = {9, 9}, s.neck = {12, 12.5f}, s.hip = {15.5f, 19.5f};
      s.backArm = arm({12.5f, 13.5f}, {16, 15}, {19.5f, 14});
      s.frontArm = arm({14.5f, 13.5f}, {18.5f, 17}, {22.5f, 16.5f});
      s.backLeg = leg({14, 19.5f}, {10, 24}, {7, kFloor}, {9.5f, kFloor});
      s.frontLeg = leg({16.5f, 19.5f}, {19.5f, 24}, {21, kFloor}, {23.5f, kFloor});
      s.mood = Mood::Hurt;
      return s;
    default:
      return std::nullopt;
  }
}

}  // namespace

Skeleton skeletonFor(Fighter who, Pose pose) {
  std::optional<Skeleton> own;
  if (who == Tama) own = tama(pose);
  if (who == Miyo) own = miyo(pose);
  if (who == Kokutanjin) own = kokutanjin(pose);
  return own ? *own : skeletonFor(pose);
}

}  // namespace pictures

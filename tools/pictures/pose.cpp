#include "pose.h"

namespace pictures {

namespace {

constexpr float kFloor = 29;  // ankle height of a fighter standing on the floor strip

Limb arm(Pt shoulder, Pt elbow, Pt hand) { return {shoulder, elbow, hand, hand}; }
Limb leg(Pt hip, Pt knee, Pt ankle, Pt toe) { return {hip, knee, ankle, toe}; }

}  // namespace

Skeleton skeletonFor(Pose pose) {
  Skeleton s;
  switch (pose) {
    case WalkA:
      s.head = {16, 6}, s.neck = {15.5f, 10.5f}, s.hip = {15, 18.5f};
      s.backArm = arm({14, 12}, {14, 16.5f}, {18, 14});
      s.frontArm = arm({17, 12}, {20, 16}, {22, 12});
      s.backLeg = leg({13.5f, 18.5f}, {11.5f, 24}, {9.5f, kFloor}, {12, kFloor});
      s.frontLeg = leg({16.5f, 18.5f}, {19.5f, 23.5f}, {20.5f, kFloor}, {23, kFloor});
      break;
    case Rest:
      s.head = {16, 5}, s.neck = {15.5f, 10}, s.hip = {15, 18};
      s.backArm = arm({14, 11.5f}, {14, 16}, {18, 13.5f});
      s.frontArm = arm({17, 11.5f}, {20, 15.5f}, {22, 11.5f});
      s.backLeg = leg({13.5f, 18}, {13, 24}, {12.5f, kFloor}, {15, kFloor});
      s.frontLeg = leg({16.5f, 18}, {18, 24}, {18, kFloor}, {20.5f, kFloor});
      break;
    case Ready:
      s.head = {18, 7}, s.neck = {17, 11.5f}, s.hip = {14.5f, 19};
      s.backArm = arm({15.5f, 13}, {17.5f, 17}, {21, 14});
      s.frontArm = arm({18.5f, 13}, {22.5f, 15.5f}, {25, 11.5f});
      s.backLeg = leg({13, 19}, {9.5f, 24}, {6.5f, kFloor}, {9, kFloor});
      s.frontLeg = leg({16, 19}, {21, 23}, {22, kFloor}, {24.5f, kFloor});
      break;
    case Punch:
      s.head = {18, 6.5f}, s.neck = {17, 11}, s.hip = {14, 18.5f};
      s.backArm = arm({14.5f, 12.5f}, {11.5f, 16}, {14, 17});
      s.frontArm = arm({18, 12}, {23, 12}, {28.5f, 12});
      s.backLeg = leg({12.5f, 18.5f}, {9.5f, 24}, {7, kFloor}, {9.5f, kFloor});
      s.frontLeg = leg({15.5f, 18.5f}, {19, 23.5f}, {20, kFloor}, {22.5f, kFloor});
      s.mood = Mood::Shout;
      break;
    case FrontView:
      s.head = {15.5f, 6}, s.neck = {15.5f, 11}, s.hip = {15.5f, 18.5f};
      s.backArm = arm({12, 12.5f}, {11, 16}, {11, 19.5f});
      s.frontArm = arm({19, 12.5f}, {20, 16}, {20, 19.5f});
      s.backLeg = leg({13.5f, 18.5f}, {13.5f, 24}, {13.5f, kFloor}, {12.5f, kFloor});
      s.frontLeg = leg({17.5f, 18.5f}, {17.5f, 24}, {17.5f, kFloor}, {18.5f, kFloor});
      s.view = HeadView::Front;
      break;
    case Kick:
      s.head = {11.5f, 6}, s.neck = {12.5f, 10.5f}, s.hip = {14.5f, 18};
      s.backArm = arm({11, 12}, {8, 14}, {5.5f, 16.5f});
      s.frontArm = arm({14, 12}, {17, 14.5f}, {18, 10.5f});
      s.backLeg = leg({13.5f, 18}, {13, 23.5f}, {12.5f, kFloor}, {15, kFloor});
      s.frontLeg = leg({16, 17.5f}, {21.5f, 16}, {27, 14.5f}, {28.5f, 12});
      s.mood = Mood::Shout;
      break;
    case Crouch:
      s.head = {17, 14}, s.neck = {16, 18.5f}, s.hip = {13, 24.5f};
      s.backArm = arm({14.5f, 19.5f}, {16.5f, 23.5f}, {19.5f, 20});
      s.frontArm = arm({17.5f, 19.5f}, {21, 22}, {22.5f, 18});
      s.backLeg = leg({12, 24.5f}, {11, 28.5f}, {7.5f, kFloor}, {9.5f, kFloor});
      s.frontLeg = leg({14.5f, 24.5f}, {20, 24}, {19.5f, kFloor}, {22, kFloor});
      break;
    case Jump:
      s.head = {19, 12.5f}, s.neck = {16.5f, 16.5f}, s.hip = {11.5f, 24};
      s.backArm = arm({14, 18}, {17.5f, 22}, {21.5f, 22.5f});
      s.frontArm = arm({17.5f, 18}, {19, 23}, {22.5f, 24.5f});
      s.backLeg = leg({11, 24}, {19, 20.5f}, {16, 27.5f}, {13.5f, 29.5f});
      s.frontLeg = leg({12.5f, 24.5f}, {20.5f, 21.5f}, {18, 28.5f}, {15.5f, 29.5f});
      s.kneesUp = true;
      s.mood = Mood::Shout;
      break;
    case Hit:
      s.head = {10.5f, 7.5f}, s.neck = {12.5f, 11.5f}, s.hip = {15.5f, 19};
      s.backArm = arm({11.5f, 13}, {8.5f, 11.5f}, {6, 9});
      s.frontArm = arm({14.5f, 13}, {18, 11.5f}, {21, 9});
      s.backLeg = leg({14.5f, 19}, {12.5f, 24.5f}, {11, kFloor}, {13.5f, kFloor});
      s.frontLeg = leg({17, 19}, {21, 22.5f}, {23, 27}, {25.5f, 26.5f});
      s.mood = Mood::Hurt;
      break;
    case Lying:
      s.head = {7, 25.5f}, s.neck = {11.5f, 27}, s.hip = {19.5f, 27.5f};
      s.backArm = arm({12.5f, 28}, {15.5f, 29}, {18, 29});
      s.frontArm = arm({12.5f, 26.5f}, {13.5f, 23.5f}, {16.5f, 23});
      s.backLeg = leg({19.5f, 28.5f}, {24, 28.5f}, {28, 28.5f}, {28.5f, 26});
      s.frontLeg = leg({19.5f, 27}, {23, 23.5f}, {27, 27}, {28, 24.5f});
      s.view = HeadView::FaceUp;
      s.mood = Mood::Hurt;
      break;
    case WindUp:
      s.head = {14.5f, 6}, s.neck = {14.5f, 10.5f}, s.hip = {15, 18.5f};
      s.backArm = arm({16, 12}, {19, 14.5f}, {21, 11});
      s.frontArm = arm({13, 12}, {9, 13.5f}, {6, 10});
      s.backLeg = leg({13.5f, 18.5f}, {10.5f, 24}, {8.5f, kFloor}, {11, kFloor});
      s.frontLeg = leg({16.5f, 18.5f}, {20.5f, 23.5f}, {21.5f, kFloor}, {24, kFloor});
      s.mood = Mood::Shout;
      break;
    case Victory:
      s.head = {15.5f, 6}, s.neck = {15.5f, 11}, s.hip = {15.5f, 18.5f};
      s.backArm = arm({12.5f, 12.5f}, {8.5f, 10}, {5, 6.5f});
      s.frontArm = arm({18.5f, 12.5f}, {22.5f, 10}, {26, 6.5f});
      s.backLeg = leg({13.5f, 18.5f}, {12, 24}, {11.5f, kFloor}, {10, kFloor});
      s.frontLeg = leg({17.5f, 18.5f}, {19, 24}, {19.5f, kFloor}, {21, kFloor});
      s.view = HeadView::Front;
      s.mood = Mood::Glad;
      break;
    default:  // the aura blobs have no stick figure
      return skeletonFor(Rest);
  }
  return s;
}

Skeleton slumpedSkeleton() {
  Skeleton s;
  s.head = {19.5f, 17.5f}, s.neck = {16, 17}, s.hip = {11, 23.5f};
  s.backArm = arm({13.5f, 18}, {15, 23}, {17, 27.5f});
  s.frontArm = arm({16, 18}, {18.5f, 23}, {20.5f, 27.5f});
  s.backLeg = leg({10.5f, 24}, {16, 27.5f}, {10, kFloor}, {7.5f, kFloor});
  s.frontLeg = leg({12, 24}, {17.5f, 28}, {11.5f, kFloor}, {9, kFloor});
  s.mood = Mood::Hurt;
  return s;
}

Skeleton fitted(const Skeleton& s, float height, float width) {
  const auto fit = [&](Pt p) { return Pt{15.5f + (p.x - 15.5f) * width, kFloor - (kFloor - p.y) * height}; };
  const auto fitLimb = [&](const Limb& l) { return Limb{fit(l.root), fit(l.joint), fit(l.end), fit(l.tip)}; };
  Skeleton out = s;
  out.head = fit(s.head), out.neck = fit(s.neck), out.hip = fit(s.hip);
  out.backArm = fitLimb(s.backArm), out.frontArm = fitLimb(s.frontArm);
  out.backLeg = fitLimb(s.backLeg), out.frontLeg = fitLimb(s.frontLeg);
  return out;
}

}  // namespace pictures

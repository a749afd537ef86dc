// The fourteen pictures every fighter has, and the stick figure behind each one.
#pragma once

#include "app/game_numbers.h"
#include "canvas.h"

namespace pictures {

// The game's picture numbers, used unqualified by the drawing code (WalkA, Punch, Victory, ...).
using Pose = mojara::picture::Picture;
using enum mojara::picture::Picture;
inline constexpr int PoseCount = mojara::kPicturesPerFacing;

enum class HeadView { Side, Front, FaceUp };
enum class Mood { Calm, Shout, Hurt, Glad };

// Shoulder-elbow-hand or hip-knee-ankle; tip is where the toes point.
struct Limb {
  Pt root, joint, end, tip;
};

// Joint positions in a 32x32 cell for a fighter facing right, feet on row 29.
struct Skeleton {
  Pt head, neck, hip;
  Limb backArm, frontArm, backLeg, frontLeg;
  HeadView view = HeadView::Side;
  Mood mood = Mood::Calm;
  bool kneesUp = false;  // the near leg is drawn over the body, as in a tuck
};

Skeleton skeletonFor(Pose pose);
// Kneeling with the head hung, for the continue screen.
Skeleton slumpedSkeleton();

// Squeezes a stick figure to a fighter's height and width, keeping the feet on the floor.
Skeleton fitted(const Skeleton& s, float height, float width);

}  // namespace pictures

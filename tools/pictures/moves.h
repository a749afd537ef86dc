// Poses of their own: the fighters whose build and nature move them unlike the others.
#pragma once

#include "fighters.h"

namespace pictures {

// The stick figure of one fighter's picture: their own where they have one, else the common one.
Skeleton skeletonFor(Fighter who, Pose pose);

}  // namespace pictures

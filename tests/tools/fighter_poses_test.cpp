// The fighters as the player sees them in the battle: stretched into a box that shows each pixel
// taller than it is wide, and each moving in a way of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "assets/picture_shapes.h"
#include "fighters.h"
#include "style.h"

namespace {

using namespace pictures;

const float kAspect = float(mojara::assets::kFighterShape.pixelAspect());

// Share of the pixels solid in either picture that are solid in both.
double overlap(const Canvas& a, const Canvas& b) {
  int either = 0, both = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      either += a.solid(x, y) || b.solid(x, y) ? 1 : 0;
      both += a.solid(x, y) && b.solid(x, y) ? 1 : 0;
    }
  return either ? double(both) / either : 1.0;
}

struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  int wide() const { return right - left + 1; }
  int tall() const { return bottom - top + 1; }
};

Box extent(const Canvas& c) {
  Box b;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
  return b;
}

int differing(const Canvas& a, const Canvas& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.at(x, y) != b.at(x, y) ? 1 : 0;
  return n;
}

TEST(FighterShapes, HeadsAreRoundOnScreen) {
  for (HeadKind kind : {HeadKind::Daisaku, HeadKind::Miyo, HeadKind::Cat, HeadKind::Doll, HeadKind::Knight,
                        HeadKind::Charcoal})
    for (HeadView view : {HeadView::Side, HeadView::Front}) {
      // the head as designed on square pixels, against the one painted for the battle's pixels
      const Box designed = extent(drawHead(kind, 5.5f, view, Mood::Calm, false).front);
      const Box shown = extent(drawHeadShown(kind, 5.5f, view, Mood::Calm, false, kAspect).front);
      const double designedShape = double(designed.tall()) / designed.wide();
      const double shownShape = shown.tall() * kAspect / shown.wide();
      EXPECT_NEAR(shownShape / designedShape, 1.0, 0.17) << "head kind " << int(kind);
      EXPECT_NEAR(shown.wide(), designed.wide(), 2) << "as wide on screen as designed";
    }
}

TEST(FighterShapes, FiguresAreAsBroadAsTheyAreDesignedAndFillTheCell) {
  for (Fighter who : {Daisaku, Miyo, Tama, IronDoll, Kokutanjin}) {
    const Box front = extent(drawFighter(who, FrontView, false));
    // a standing figure: a good deal taller than wide on screen, but not a beanpole
    const double shownShape = front.tall() * kAspect / front.wide();
    EXPECT_GT(shownShape, 1.6) << "fighter " << who;
    EXPECT_LT(shownShape, 2.6) << "fighter " << who;
    EXPECT_GE(front.tall() * kAspect, 0.6 * 32 * kAspect) << "fighter " << who << " is lost in the cell";
  }
}

TEST(FighterShapes, EveryPoseStaysInsideItsCell) {
  for (int f = 0; f < FighterCount; ++f)
    for (int p = 0; p < PoseCount; ++p)
      for (bool left : {false, true}) {
        const Fighter who = Fighter(f);
        // Jiro's cape and sword may trail off, and so his glints
        if (who == Jiro) continue;
        const Box b = extent(drawFighter(who, Pose(p), left));
        EXPECT_GT(b.left, 0) << "fighter " << f << " pose " << p << " runs off the side";
        EXPECT_LT(b.right, 31) << "fighter " << f << " pose " << p << " runs off the side";
        EXPECT_GT(b.top, 0) << "fighter " << f << " pose " << p << " runs off the top";
      }
}

TEST(FighterShapes, AllPosesOfAFighterAreOneSize) {
  // a wide blow may be drawn a little smaller, never so much that the fighter shrinks
  for (Fighter who : {Daisaku, Miyo, Tama, IronDoll, Kokutanjin}) {
    const int rest = drawFighter(who, Rest, false).solidCount();
    for (Pose p : {WalkA, Ready, Punch, FrontView, Kick, WindUp})
      EXPECT_GE(drawFighter(who, p, false).solidCount(), rest * 0.75) << "fighter " << who << " pose " << p;
  }
}

// Width on screen of the widest run of drawn pixels in a row, between two rows.
int widestRow(const Canvas& c, int fromRow, int toRow) {
  int widest = 0;
  for (int y = fromRow; y <= toRow; ++y) {
    int lo = c.width(), hi = -1;
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) lo = std::min(lo, x), hi = std::max(hi, x);
    widest = std::max(widest, hi - lo + 1);
  }
  return widest;
}

TEST(HaniiShape, AStoutClayTubeWithAHeadAsWideAsItsBody) {
  for (bool left : {false, true}) {
    const Canvas still = drawFighter(Hanii, Rest, left);
    const Box b = extent(still);
    // as tall in the cell as the rest of the cast
    EXPECT_GE(b.tall(), 26) << "the haniwa is lost in the cell";
    // on screen the figure is a little over twice as tall as its tube is wide, as it was laid
    // out; stretched by the tall pixels it would be nearer three times
    const int waist = b.top + b.tall() * 2 / 3;
    const int tube = widestRow(still, waist, waist);
    EXPECT_NEAR(b.tall() * kAspect / tube, 2.2, 0.25);
    // the head, above the shoulders' stubs, is as broad as the tube below it
    EXPECT_NEAR(widestRow(still, b.top, b.top + 7), tube, 2);
  }
}

TEST(HaniiShape, ToppledOverItLiesAlongTheFloor) {
  const Box standing = extent(drawFighter(Hanii, Rest, false));
  const Box lying = extent(drawFighter(Hanii, Lying, false));
  EXPECT_GT(lying.wide(), 1.2 * lying.tall() * kAspect) << "lies flat as the player sees it";
  EXPECT_GE(lying.wide(), 0.7 * standing.tall() * kAspect) << "the same figure, not a shrunken one";
  EXPECT_EQ(lying.bottom, 31) << "on the floor";
}

TEST(HaniiShape, ItsThrustArmReachesWellPastItsStubs) {
  const int rest = extent(drawFighter(Hanii, Rest, false)).right;
  for (Pose p : {Ready, Punch}) EXPECT_GE(extent(drawFighter(Hanii, p, false)).right, rest + 3) << "pose " << p;
}

// The haniwa has no legs: it leans by rocking over on one edge of its base, the other edge
// lifted off the floor; forward into its blows, back as it winds up.
TEST(HaniiShape, RocksOnItsBaseIntoItsBlowsAndBackToWindUp) {
  for (bool left : {false, true})
    for (auto [p, forward] : {std::pair{Ready, true}, {Punch, true}, {WindUp, false}, {Rest, false}}) {
      const Canvas c = drawFighter(Hanii, p, left);
      // the lowest drawn row of each column of the base, from behind it to in front of it
      const int floor = extent(c).bottom;
      int back = -1, front = -1;
      for (int i = 0; i < 32; ++i) {
        const int x = left ? 31 - i : i;
        int lowest = -1;
        for (int y = 0; y < 32; ++y) lowest = c.solid(x, y) ? y : lowest;
        if (lowest >= floor - 5) {
          back = back < 0 ? lowest : back;
          front = lowest;
        } else if (back >= 0) {
          break;  // past the base's front edge
        }
      }
      const int lift = forward ? front - back : back - front;
      if (p == Rest)
        EXPECT_EQ(back, front) << "standing flat on its base";
      else
        EXPECT_GE(lift, 2) << "pose " << p << (left ? " facing left" : "");
    }
}

// Struck, Miyo and Tama snap back rather than crumple: most of their height kept, the head
// thrown back behind their feet, away from the way they face.
TEST(OwnMoves, MiyoAndTamaSnapBackFromABlow) {
  for (Fighter who : {Miyo, Tama})
    for (bool left : {false, true}) {
      const Canvas hit = drawFighter(who, Hit, left);
      const Box b = extent(hit), standing = extent(drawFighter(who, Rest, left));
      EXPECT_GE(b.tall(), 0.78 * standing.tall()) << "fighter " << who;
      const auto middle = [&](int from, int to) {
        double sum = 0;
        int n = 0;
        for (int y = from; y <= to; ++y)
          for (int x = 0; x < 32; ++x)
            if (hit.solid(x, y)) sum += x, ++n;
        return sum / std::max(1, n);
      };
      const double back = (middle(b.top, b.top + 5) - middle(b.bottom - 2, b.bottom)) * (left ? -1 : 1);
      EXPECT_LE(back, -4) << "fighter " << who << (left ? " facing left" : "");
    }
}

TEST(AuraBlobs, KeepTheirShapesOnScreen) {
  // laid out on a square grid as a tall egg about half again as tall as wide, and a squat
  // puddle nearly twice as wide as tall
  const Box tall = extent(drawBlob(BlobTall)), squat = extent(drawBlob(BlobSquat));
  EXPECT_NEAR(tall.tall() * kAspect / tall.wide(), 1.5, 0.15);
  EXPECT_NEAR(squat.tall() * kAspect / squat.wide(), 0.7, 0.12);
  // the tall one stands about as high as a fighter, the squat one spreads nearly across the cell
  EXPECT_GE(tall.tall(), 25);
  EXPECT_GE(squat.wide(), 26);
  for (const Box& b : {tall, squat}) EXPECT_GE(b.bottom, 29) << "both rest on the floor";
}

TEST(OwnMoves, TamaMiyoAndKokutanjinDoNotFightLikeDaisaku) {
  for (Fighter who : {Tama, Miyo, Kokutanjin})
    for (Pose p : {Punch, Kick, Hit})
      EXPECT_LT(overlap(drawFighter(who, p, false), drawFighter(Daisaku, p, false)), 0.62)
          << "fighter " << who << " pose " << p;
  // and the charcoal man's blow, wind-up and recoil are each a shape of its own
  for (auto [p, q] : {std::pair{Punch, WindUp}, {Punch, Hit}, {WindUp, Hit}})
    EXPECT_LT(overlap(drawFighter(Kokutanjin, p, false), drawFighter(Kokutanjin, q, false)), 0.6)
        << "poses " << p << " and " << q;
}

TEST(OwnMoves, TamaStaysLowLikeACat) {
  const int standing = extent(drawFighter(Tama, Rest, false)).top;
  for (Pose p : {Punch, Kick, Hit})
    EXPECT_GE(extent(drawFighter(Tama, p, false)).top, standing + 4) << "pose " << p;
  // the pounce is long and flat
  const Box pounce = extent(drawFighter(Tama, Kick, false));
  EXPECT_GT(pounce.wide(), pounce.tall() * kAspect);
}

TEST(OwnMoves, MiyoKicksHighAndKokutanjinStampsLow) {
  // the highest solid pixel right of the body is her foot, up at her head's height
  const Canvas miyo = drawFighter(Miyo, Kick, false);
  int footTop = 32;
  for (int y = 0; y < 32; ++y)
    for (int x = 24; x < 32; ++x)
      if (miyo.solid(x, y)) footTop = std::min(footTop, y);
  EXPECT_LE(footTop, extent(miyo).top + 6);
  const Canvas koku = drawFighter(Kokutanjin, Kick, false);
  int kokuFoot = 32;
  for (int y = 0; y < 32; ++y)
    for (int x = 26; x < 32; ++x)
      if (koku.solid(x, y)) kokuFoot = std::min(kokuFoot, y);
  EXPECT_GE(kokuFoot, 15) << "a stamp, not a high kick";
  EXPECT_LT(kokuFoot, 28) << "the foot is lifted off the floor";
}

TEST(OwnMoves, MiyoWalksWithAClearStride) {
  const Canvas a = drawFighter(Miyo, WalkA, false), b = drawFighter(Miyo, Rest, false);
  EXPECT_GT(differing(a, b), 120);
  // her feet are far apart in one step and close together in the other
  const auto feet = [](const Canvas& c) {
    Box f;
    for (int y = 27; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (c.solid(x, y)) f.left = std::min(f.left, x), f.right = std::max(f.right, x);
    return f.right - f.left;
  };
  EXPECT_GE(feet(a), feet(b) + 6);
}

// How far the near glove's far edge lies past the face, the last column standing tall above the glove.
TEST(BigFace, HisPunchFliesWellClearOfHisFace) {
  const auto reach = [](Pose p) {
    const Canvas c = drawBigFace(p, false);
    int glove = -1, gloveBottom = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 16; x < 32; ++x)
        if (c.at(x, y) == Red && x > glove) glove = x, gloveBottom = y;
    int face = -1;
    for (int x = 0; x < 32; ++x) {
      int tall = 0;
      for (int y = 0; y <= gloveBottom + 2; ++y) tall += c.solid(x, y) ? 1 : 0;
      if (tall >= 7) face = x;
    }
    return glove - face;
  };
  EXPECT_GE(reach(Punch), 7);
  EXPECT_GE(reach(Punch), reach(Rest) + 3);
}

TEST(BigFace, BothEyesShowWhileHeWindsUp) {
  // an open eye is a black block with a white glint at its heart
  for (Pose p : {WindUp, Punch, Ready}) {
    const Canvas c = drawBigFace(p, false);
    int eyes = 0;
    for (int y = 1; y < 31; ++y)
      for (int x = 1; x < 31; ++x)
        eyes += c.at(x, y) == White && c.at(x - 1, y) == Black && c.at(x + 1, y) == Black &&
                        c.at(x, y - 1) == Black && c.at(x, y + 1) == Black
                    ? 1
                    : 0;
    EXPECT_EQ(eyes, 2) << "pose " << p;
  }
}

}  // namespace

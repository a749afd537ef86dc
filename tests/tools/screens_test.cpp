// The title, ending and continue pictures as the player sees them: stretched into their
// window boxes, with one pixel size each, and the continue countdown left readable.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <utility>

#include "assets/picture_shapes.h"
#include "figure.h"
#include "scenery.h"
#include "screens.h"
#include "store.h"

namespace {

using namespace pictures;
namespace shapes = mojara::assets;

QImage loadScreen(const char* file) {
  const QImage image(QStringLiteral(MOJARA_PICTURE_DIR) + "/" + file);
  EXPECT_FALSE(image.isNull()) << file << " is missing or unreadable";
  return image.convertToFormat(QImage::Format_ARGB32);
}

Colour colourAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  if (qAlpha(p) == 0) return Clear;
  const auto it = std::find(kRgb.begin(), kRgb.end(), p & 0xFFFFFFu);
  return it == kRgb.end() ? Clear : Colour(it - kRgb.begin());
}

Canvas canvasOf(const QImage& image) {
  Canvas c(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) c.set(x, y, colourAt(image, x, y));
  return c;
}

// Bounding box of the painted pixels: {left, top, right, bottom}, inclusive.
std::array<int, 4> extent(const Canvas& c) {
  std::array<int, 4> box = {c.width(), c.height(), -1, -1};
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
  return box;
}

// An enlarged picture puts every edge between colours on one column (and one row) out of each
// `factor`. Looks for a patch of detail, about 24 pixels square, whose colour changes bunch up
// on one residue of x (or y) modulo 2, 3 or 4, both counted pixel by pixel and counted by the
// columns (rows) they lie on, so neither one long straight border nor a few short ones decide;
// returns a description of the first such patch.
std::string mixelPatch(const Canvas& c) {
  constexpr int kPatch = 24, kStep = 8, kBusyPixels = 30, kBusyLines = 5;
  for (int top = 0; top + kPatch <= c.height(); top += kStep)
    for (int left = 0; left + kPatch <= c.width(); left += kStep)
      for (const bool alongX : {true, false}) {
        std::array<std::array<int, 4>, 5> pixels{};  // [factor][residue]
        std::set<int> lines;
        int total = 0;
        for (int y = top + 1; y < top + kPatch; ++y)
          for (int x = left + 1; x < left + kPatch; ++x) {
            if ((alongX ? c.at(x - 1, y) : c.at(x, y - 1)) == c.at(x, y)) continue;
            const int at = alongX ? x : y;
            lines.insert(at);
            ++total;
            for (int factor = 2; factor <= 4; ++factor) ++pixels[std::size_t(factor)][std::size_t(at % factor)];
          }
        if (total < kBusyPixels || int(lines.size()) < kBusyLines) continue;
        for (int factor = 2; factor <= 4; ++factor) {
          std::array<int, 4> onResidue{};
          for (int line : lines) ++onResidue[std::size_t(line % factor)];
          const int mostLines = *std::max_element(onResidue.begin(), onResidue.end());
          const auto& byPixel = pixels[std::size_t(factor)];
          const int mostPixels = *std::max_element(byPixel.begin(), byPixel.end());
          if (mostLines * 10 > int(lines.size()) * 8 && mostPixels * 10 > total * 8)
            return "patch at (" + std::to_string(left) + ", " + std::to_string(top) + "): " +
                   std::to_string(mostLines) + " of " + std::to_string(lines.size()) + " edge " +
                   (alongX ? "columns" : "rows") + " on one residue modulo " + std::to_string(factor);
        }
      }
  return "";
}

// A machine-made dither: a run of rows in which, across a long stretch, the colours alternate
// column by column with a short period (two to four), as an ordered pattern repeated down a band
// does. A pixel artist's thin checker where two colours meet is a row or two, never a run.
std::string ditherComb(const Canvas& c) {
  constexpr int kStretch = 24, kRows = 3;
  const auto periodic = [&](int left, int y) {
    int changes = 0;
    for (int x = left + 1; x < left + kStretch; ++x) changes += c.at(x, y) != c.at(x - 1, y) ? 1 : 0;
    if (changes * 2 < kStretch - 1) return false;
    for (int period = 2; period <= 4; ++period) {
      bool repeats = true;
      for (int x = left; x + period < left + kStretch && repeats; ++x) repeats = c.at(x, y) == c.at(x + period, y);
      if (repeats) return true;
    }
    return false;
  };
  for (int left = 0; left + kStretch <= c.width(); left += 4)
    for (int top = 0; top + kRows <= c.height(); ++top) {
      int run = 0;
      while (run < kRows && periodic(left, top + run)) ++run;
      if (run == kRows) return "rows " + std::to_string(top) + "-" + std::to_string(top + kRows - 1) + " from column " + std::to_string(left);
    }
  return "";
}

// ---- the shared scenery --------------------------------------------------------

// Where a meadow meets the field behind it, the grass grows in clumps of its own heights, not in
// a fringe a program repeats.
TEST(ScreenScenery, GrassGrowsInClumpsNotARepeatedFringe) {
  Canvas field(240, 20, Olive);
  grassTips(field, 12, 5, Green, 3);
  std::vector<int> height(240, 0);
  for (int x = 0; x < 240; ++x)
    for (int y = 11; y >= 0 && field.at(x, y) == Green; --y) ++height[std::size_t(x)];
  EXPECT_EQ(std::set<int>(height.begin(), height.end()), (std::set<int>{0, 1, 2, 3, 4, 5}))
      << "gaps, and blades of every height up to the tallest";
  for (int period = 1; period <= 8; ++period) {
    int same = 0;
    for (int x = period; x < 240; ++x) same += height[std::size_t(x)] == height[std::size_t(x - period)];
    EXPECT_LT(same, (240 - period) * 7 / 10) << "a fringe repeating every " << period << " columns";
  }
}

TEST(ScreenScenery, FiguresAreStoodOnTheGivenRowAndColumn) {
  Canvas figure(40, 40);
  figure.fillRect(10, 5, 7, 20, Blue);
  Canvas scene(100, 100);
  standAt(scene, figure, 50, 90);
  EXPECT_EQ(lowestRow(scene), 90);
  EXPECT_EQ(topRow(scene), 71);
  const auto box = extent(scene);
  EXPECT_EQ((box[0] + box[2]) / 2, 50);
  EXPECT_EQ(lowestRow(Canvas(5, 5)), -1);
  EXPECT_EQ(topRow(Canvas(5, 5)), -1);
}

// ---- the cast drawn large ------------------------------------------------------

TEST(LargeCast, EveryoneKeepsTheirProportionsWhateverThePixelsShape) {
  for (int who = 0; who < FighterCount; ++who)
    for (const Pose pose : {Ready, Victory}) {
      SCOPED_TRACE("fighter " + std::to_string(who) + " pose " + std::to_string(int(pose)));
      const auto square = extent(drawLargeFighter(Fighter(who), skeletonFor(pose), 3, 1.0f));
      for (const float aspect : {0.879f, 1.242f}) {
        const auto shown = extent(drawLargeFighter(Fighter(who), skeletonFor(pose), 3, aspect));
        const float w0 = float(square[2] - square[0]), h0 = float(square[3] - square[1]);
        const float w = float(shown[2] - shown[0]), h = float(shown[3] - shown[1]) * aspect;
        EXPECT_NEAR(w, w0, w0 * 0.08f + 2) << "width on screen, pixel aspect " << aspect;
        EXPECT_NEAR(h, h0, h0 * 0.08f + 2) << "height on screen, pixel aspect " << aspect;
      }
    }
}

TEST(LargeCast, IsDrawnAtTheScaleAskedNotBlownUp) {
  const Canvas sprite = storeCell(buildStore(), storeIndex(Daisaku, 0, Ready));
  const Canvas large = drawLargeFighter(Daisaku, skeletonFor(Ready), 3, 1.0f);
  const auto small = extent(drawLargeFighter(Daisaku, skeletonFor(Ready), 1, 1.0f)), big = extent(large);
  EXPECT_NEAR(big[3] - big[1], (small[3] - small[1]) * 3, 6) << "three times the size at scale 1";
  EXPECT_EQ(mixelPatch(large), "") << "one pixel size all over";
  EXPECT_NE(mixelPatch(sprite.scaled(3)), "") << "the detector should see an enlarged sprite";
  EXPECT_NE(mixelPatch(sprite.scaled(2)), "") << "the detector should see an enlarged sprite";
  EXPECT_NE(mixelPatch(sprite.scaled(4)), "") << "the detector should see an enlarged sprite";
}

TEST(LargeCast, FacingLeftIsFacingRightTurnedRound) {
  const Canvas right = drawLargeFighter(Miyo, skeletonFor(Ready), 3, 1.223f);
  const Canvas left = drawLargeFighter(Miyo, skeletonFor(Ready), 3, 1.223f, true);
  const auto r = extent(right), l = extent(left);
  EXPECT_EQ(r[2] - r[0], l[2] - l[0]);
  EXPECT_EQ(r[0], right.width() - 1 - l[2]);
}

// ---- the three pictures --------------------------------------------------------

TEST(Screens, EveryFeatureIsOnePixelFine) {
  for (const char* file : {"title.png", "ending.png", "continue.png"}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(mixelPatch(canvasOf(loadScreen(file))), "");
  }
}

TEST(Screens, ShadeInFlatBandsNotCombsOfDither) {
  for (const char* file : {"title.png", "ending.png", "continue.png", "worldmap.png"}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(ditherComb(canvasOf(loadScreen(file))), "") << "a comb of dither, as a program shades";
  }
  // what the check is for: the same mix repeated row after row, or a checker many rows tall;
  // a seam of two checkered rows between flat bands is fine
  Canvas sky(40, 12, Blue);
  for (int x = 0; x < 40; x += 2) sky.fillRect(x, 2, 1, 4, Aqua);
  EXPECT_NE(ditherComb(sky), "");
  Canvas seam(40, 16);
  bands(seam, 0, {{Blue, 8}, {Aqua, 8}});
  EXPECT_EQ(ditherComb(seam), "");
  for (int y = 2; y < 7; ++y)
    for (int x = 0; x < 40; ++x) seam.set(x, y, (x + y) % 2 ? Aqua : Blue);
  EXPECT_NE(ditherComb(seam), "");
}

TEST(Screens, TheTitleSunIsRoundOnScreen) {
  const QImage title = loadScreen("title.png");
  Canvas sun(title.width(), title.height() / 2);
  for (int y = 0; y < sun.height(); ++y)
    for (int x = title.width() / 2; x < title.width(); ++x)
      if (colourAt(title, x, y) == Yellow) sun.set(x, y, Yellow);
  const auto box = extent(sun);
  ASSERT_GE(box[2], 0) << "no sun in the title's sky";
  const double aspect = shapes::kTitleShape.pixelAspect();
  const double wide = box[2] - box[0] + 1, tall = (box[3] - box[1] + 1) * aspect;
  EXPECT_GT(wide, 16) << "a sun, not a speck";
  EXPECT_NEAR(tall / wide, 1.0, 0.08) << "as tall as wide as the player sees it";
}

TEST(Screens, TheContinueCountdownAreaIsLeftClear) {
  const PixelRect box = countdownArea();
  // the window's label at (1800, 945), 1455 twips tall and as wide as "10" makes it, over a
  // 4350x3000 twip picture box
  EXPECT_NEAR(box.left, 81, 1);
  EXPECT_NEAR(box.right, 193, 1);
  EXPECT_NEAR(box.top, 63, 1);
  EXPECT_NEAR(box.bottom, 160, 1);
  const QImage picture = loadScreen("continue.png");
  int inBox = 0, yellowBelowTop = 0, figure = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const Colour c = colourAt(picture, x, y);
      if (c == Clear) continue;
      if (box.contains(x, y)) ++inBox;
      if (c == Yellow && y >= box.top) ++yellowBelowTop;
      if (y >= box.top) ++figure;
    }
  EXPECT_EQ(inBox, 0) << "the countdown is printed there";
  EXPECT_EQ(yellowBelowTop, 0) << "the lettering stays above the countdown";
  EXPECT_GT(figure, 1500) << "the beaten fighter and his cloud are beside it";
  for (int y = 0; y < picture.height(); ++y)
    EXPECT_EQ(colourAt(picture, picture.width() - 1, y), Clear) << "cut off at the right, row " << y;
  for (int x = 0; x < picture.width(); ++x)
    EXPECT_EQ(colourAt(picture, x, picture.height() - 1), Clear) << "cut off at the bottom, column " << x;
}

TEST(Screens, TheContinuePictureIsBalancedAroundTheCountdown) {
  const PixelRect box = countdownArea();
  const QImage picture = loadScreen("continue.png");
  // below the lettering: what stands left of the countdown and what stands right of it
  int left = 0, right = 0, leftTop = picture.height(), rightTop = picture.height();
  double across = 0;
  int all = 0, aqua = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const Colour c = colourAt(picture, x, y);
      if (c == Clear) continue;
      aqua += c == Aqua ? 1 : 0;
      if (y < box.top) continue;
      across += x, ++all;
      if (x < box.left) ++left, leftTop = std::min(leftTop, y);
      if (x >= box.right) ++right, rightTop = std::min(rightTop, y);
    }
  ASSERT_GT(left + right, 0);
  const double leftShare = double(left) / (left + right);
  EXPECT_GT(leftShare, 0.35) << "the left of the countdown is nearly empty";
  EXPECT_LT(leftShare, 0.65) << "the right of the countdown is nearly empty";
  const double middle = (box.left + box.right) / 2.0;
  EXPECT_NEAR(across / all, middle, picture.width() * 0.1) << "the picture leans to one side";
  // a figure on each side, not a few scattered specks: both rise well above the floor
  EXPECT_LT(leftTop, box.top + (box.bottom - box.top) / 2) << "nothing stands left of the countdown";
  EXPECT_LT(rightTop, box.top + (box.bottom - box.top) / 2) << "nothing stands right of the countdown";
  EXPECT_EQ(aqua, 0) << "aqua vanishes into the continue window's own cyan ground";
}

TEST(Screens, TheEndingGathersTheWholeCastEachInTheirOwnPose) {
  const std::vector<CastMember> cast = endingCast();
  std::set<int> who;
  std::set<long> silhouettes;
  int offTheGround = 0;
  const float aspect = float(shapes::kEndingShape.pixelAspect());
  for (const CastMember& m : cast) {
    who.insert(m.who);
    const Canvas art = drawLargeFighter(m.who, m.pose, m.scale, aspect, m.facingLeft);
    const auto box = extent(art);
    const int wide = box[2] - box[0] + 1, tall = box[3] - box[1] + 1;
    // the silhouette's proportions, to a tenth
    silhouettes.insert(std::lround(10.0 * tall * aspect / wide));
    EXPECT_GE(m.x - wide / 2, 0) << "fighter " << m.who << " stands inside the picture";
    EXPECT_LE(m.x + wide / 2, shapes::kEndingShape.width) << "fighter " << m.who << " stands inside the picture";
    EXPECT_GE(m.floor - m.lift - tall, 0) << "fighter " << m.who << "'s head is inside the picture";
    offTheGround += m.lift > 0 ? 1 : 0;
  }
  EXPECT_EQ(who.size(), std::size_t(FighterCount)) << "all eight, once each";
  EXPECT_GE(silhouettes.size(), 5u) << "the silhouettes differ: waving, jumping, sitting, bowing...";
  EXPECT_GE(offTheGround, 1) << "somebody jumps for joy";
}

TEST(Screens, TheEndingsEightStandApartUprightAndFacingUs) {
  const float aspect = float(shapes::kEndingShape.pixelAspect());
  Canvas owner(shapes::kEndingShape.width, shapes::kEndingShape.height);  // where somebody stands
  for (const CastMember& m : endingCast()) {
    SCOPED_TRACE("fighter " + std::to_string(m.who));
    Canvas at(owner.width(), owner.height(), Clear, aspect);
    standAt(at, drawLargeFighter(m.who, m.pose, m.scale, aspect, m.facingLeft), m.x, m.floor - m.lift);
    const auto box = extent(at);
    const int wide = box[2] - box[0] + 1, tall = box[3] - box[1] + 1;
    EXPECT_GT(tall * aspect, wide) << "standing up, not on all fours or sat down";
    // the head is over the feet: the top of the figure sits above the middle of its lowest rows
    const auto middle = [&](int from, int to) {
      double sum = 0;
      int count = 0;
      for (int y = from; y <= to; ++y)
        for (int x = box[0]; x <= box[2]; ++x)
          if (at.solid(x, y)) sum += x, ++count;
      return sum / std::max(1, count);
    };
    EXPECT_NEAR(middle(box[1], box[1] + tall / 5), middle(box[3] - tall / 8, box[3]), wide / 5.0) << "bent over";
    EXPECT_EQ(m.pose.view, HeadView::Front) << "facing the camera";
    int over = 0;
    for (int y = 0; y < at.height(); ++y)
      for (int x = 0; x < at.width(); ++x)
        if (at.solid(x, y)) over += owner.solid(x, y) ? 1 : 0, owner.set(x, y, Black);
    EXPECT_EQ(over, 0) << "pixels drawn over another fighter";
  }
}

}  // namespace

// The pictures make-pictures drew, and the drawing code behind them.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/game_numbers.h"
#include "assets/picture_shapes.h"
#include "canvas.h"
#include "fighters.h"
#include "font.h"
#include "pose.h"
#include "qt/qt_print.h"
#include "scenery.h"
#include "store.h"
#include "style.h"

#ifndef MOJARA_PICTURE_DIR
#error "MOJARA_PICTURE_DIR must name the folder make-pictures writes to"
#endif

namespace pictures {

// A canvas small enough to read drawn a row a line, each pixel its palette index in hex or "." where
// it is clear; a bigger one by its size and how many pixels are drawn.
void PrintTo(const Canvas& c, std::ostream* out) {
  *out << c.width() << 'x' << c.height() << " canvas, " << c.solidCount() << " pixels drawn";
  if (c.width() > 80 || c.height() > 40) return;
  for (int y = 0; y < c.height(); ++y) {
    *out << "\n  ";
    for (int x = 0; x < c.width(); ++x) *out << (c.at(x, y) == Clear ? '.' : "0123456789abcdef"[c.at(x, y) & 0xf]);
  }
}

}  // namespace pictures

namespace {

using namespace pictures;

const QString kDir = QStringLiteral(MOJARA_PICTURE_DIR);

// Roster slots and what the poses mean, as the game numbers them.
constexpr int kFighters = mojara::kFighters;
constexpr int kJiro = 4;
constexpr int kHanii = 5;
constexpr int kRest = mojara::picture::Rest;
constexpr int kCrouch = mojara::picture::Crouch;
constexpr int kHit = mojara::picture::Hit;
constexpr int kLying = mojara::picture::Lying;
constexpr int kBlobTall = mojara::picture::BlobTall;
constexpr int kBlobSquat = mojara::picture::BlobSquat;
constexpr int kWindUp = mojara::picture::WindUp;
constexpr int kVictory = mojara::picture::Victory;

QImage load(const QString& file) {
  const QImage image(kDir + "/" + file);
  EXPECT_FALSE(image.isNull()) << qPrintable(file) << " is missing or unreadable";
  return image.convertToFormat(QImage::Format_ARGB32);
}

const QImage& store() {
  static const QImage image = load("sprites.png");
  return image;
}

int cellIndex(int fighter, bool left, int pose) { return mojara::storeIndex(fighter, left ? 1 : 0, pose); }

QImage cell(int index) { return store().copy(index % 14 * 32, index / 14 * 32, 32, 32); }

bool clear(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) == 0; }

int opaqueCount(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += clear(image, x, y) ? 0 : 1;
  return n;
}

int lowestOpaqueRow(const QImage& image) {
  for (int y = image.height() - 1; y >= 0; --y)
    for (int x = 0; x < image.width(); ++x)
      if (!clear(image, x, y)) return y;
  return -1;
}

int topOpaqueRow(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!clear(image, x, y)) return y;
  return image.height();
}

// Average column of the opaque pixels in the top eight rows of a figure: where its head is.
double headColumn(const QImage& image) {
  const int top = topOpaqueRow(image);
  double sum = 0;
  int n = 0;
  for (int y = top; y < std::min(top + 8, image.height()); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!clear(image, x, y)) sum += x, ++n;
  return n ? sum / n : 0;
}

// Leftmost and rightmost opaque columns.
std::pair<int, int> span(const QImage& image) {
  int lo = image.width(), hi = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!clear(image, x, y)) lo = std::min(lo, x), hi = std::max(hi, x);
  return {lo, hi};
}

// Share of the pixels opaque in either picture that are the same in both.
double likeness(const QImage& a, const QImage& b) {
  int both = 0, same = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      if (clear(a, x, y) && clear(b, x, y)) continue;
      ++both;
      same += a.pixel(x, y) == b.pixel(x, y) ? 1 : 0;
    }
  return both ? double(same) / both : 1.0;
}

bool scattered(int fighter, int pose) {
  return fighter == kJiro && pose != kBlobTall && pose != kBlobSquat && pose != kWindUp && pose != kVictory;
}

// ---- the drawing surface ----------------------------------------------------

TEST(Canvas, MirroringTwiceOrTurningFourTimesGivesTheSamePicture) {
  Canvas c(7, 5);
  c.set(0, 0, Red);
  c.set(6, 1, Blue);
  c.set(3, 4, White);
  EXPECT_EQ(c.mirrored().mirrored(), c);
  EXPECT_EQ(c.mirrored().at(6, 0), Red);
  const Canvas turned = c.turnedLeft();
  EXPECT_EQ(turned.width(), 5);
  EXPECT_EQ(turned.height(), 7);
  EXPECT_EQ(turned.at(1, 0), Blue);  // the right edge ends up on top
  EXPECT_EQ(turned.turnedLeft().turnedLeft().turnedLeft(), c);
}

TEST(Canvas, OutlineRingsTheShapeWithoutTouchingIt) {
  Canvas c(5, 5);
  c.set(2, 2, Yellow);
  c.outline(Black);
  EXPECT_EQ(c.at(2, 2), Yellow);
  EXPECT_EQ(c.solidCount(), 5);
  for (auto [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}}) EXPECT_EQ(c.at(x, y), Black);
  EXPECT_EQ(c.at(1, 1), Clear);
}

TEST(Canvas, ShapesFillWhereExpected) {
  Canvas c(20, 20);
  // corners on pixel centres; the bottom row is left open so neighbours sharing an edge do not overlap
  const Pt square[] = {{2, 2}, {6, 2}, {6, 6}, {2, 6}};
  c.polygon(square, Red);
  EXPECT_EQ(c.solidCount(), 20);
  EXPECT_EQ(c.at(6, 5), Red);
  EXPECT_EQ(c.at(2, 6), Clear);
  Canvas round(21, 21);
  round.disc({10, 10}, 5, Blue);
  EXPECT_EQ(round.mirrored(), round);  // a disc on a pixel centre is symmetric
  EXPECT_EQ(round.at(15, 10), Blue);
  EXPECT_EQ(round.at(16, 10), Clear);
  Canvas stroke(20, 20);
  stroke.capsule({3, 10}, {16, 10}, 1, Green);
  EXPECT_EQ(stroke.solidCount(), 14 * 3 + 2);
}

// On a canvas whose pixels are shown taller (or wider) than they are wide, the shape primitives
// work in display units: what they draw has the right proportions as the player sees it.
TEST(Canvas, ShapesKeepTheirProportionsOnScreenWhateverThePixelsShape) {
  for (float aspect : {1.0f, 1.25f, 0.72f}) {
    Canvas c(80, 80, Clear, aspect);
    c.disc({40, 40}, 20, White);
    int left = 80, right = -1, top = 80, bottom = -1;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 80; ++x)
        if (c.solid(x, y)) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    const float shownWide = float(right - left + 1), shownTall = float(bottom - top + 1) * aspect;
    EXPECT_NEAR(shownTall / shownWide, 1.0, 0.06) << "a disc is an egg at pixel aspect " << aspect;
    // A square polygon and a capsule's round ends follow the same rule.
    Canvas square(80, 80, Clear, aspect);
    const Pt corners[] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}};
    square.polygon(corners, White);
    EXPECT_NEAR(square.solidCount() * aspect, 41 * 41, 41 * 3.0) << aspect;
  }
}

// The contact sheet shows pictures as their windows do: stretched nearest-neighbour to the box.
TEST(Canvas, StretchingRepeatsWholePixelsAndKeepsHoles) {
  Canvas c(4, 2);
  c.set(0, 0, Red), c.set(3, 1, Blue);
  const Canvas wide = c.stretched(10, 3);
  EXPECT_EQ(wide.width(), 10);
  EXPECT_EQ(wide.at(0, 0), Red);
  EXPECT_EQ(wide.at(2, 0), Red);
  EXPECT_EQ(wide.at(3, 0), Clear);
  EXPECT_EQ(wide.at(9, 2), Blue);
  EXPECT_EQ(wide.solidCount(), 3 * 2 + 2 * 1) << "each source pixel becomes a whole block";
}

TEST(Canvas, DrawingOffTheEdgeIsHarmless) {
  Canvas c(4, 4);
  c.fillRect(-10, -10, 100, 100, Grey);
  c.disc({-3, -3}, 2, Red);
  EXPECT_EQ(c.solidCount(), 16);
  EXPECT_EQ(c.at(-1, 0), Clear);
  EXPECT_EQ(c.cropped(2, 2, 4, 4).solidCount(), 4);
  EXPECT_EQ(c.scaled(3).width(), 12);
  EXPECT_EQ(c.scaled(3).solidCount(), 144);
}

TEST(Canvas, LinesAndEllipsesKeepTheirEnds) {
  Canvas c(10, 10);
  c.line({0, 0}, {5, 3}, Red);
  EXPECT_EQ(c.at(0, 0), Red);
  EXPECT_EQ(c.at(5, 3), Red);
  EXPECT_EQ(c.solidCount(), 6);
  Canvas e(21, 21);
  e.ellipse({10, 10}, 6, 3, Lime);
  EXPECT_EQ(span(e.toImage()), std::make_pair(4, 16));
  EXPECT_EQ(topOpaqueRow(e.toImage()), 7);
}

TEST(Canvas, LightAndShadeOnlyTouchTheNamedEdge) {
  Canvas c(6, 6);
  c.fillRect(1, 1, 4, 4, Red);
  Canvas shaded = c;
  shaded.shadeEdge(-1, 0);
  for (int y = 1; y < 5; ++y) {
    EXPECT_EQ(shaded.at(1, y), Maroon);
    EXPECT_EQ(shaded.at(2, y), Red);
  }
  Canvas lit = c;
  lit.lightEdge(0, -1);
  EXPECT_EQ(lit.at(3, 1), Yellow);
  EXPECT_EQ(lit.at(3, 2), Red);
  EXPECT_EQ(lit.solidCount(), 16);
}

TEST(Canvas, ImagesCarryThePaletteAndHardAlpha) {
  Canvas c(2, 1);
  c.set(0, 0, Olive);
  const QImage image = c.toImage();
  EXPECT_EQ(image.pixel(0, 0), qRgba(0x80, 0x80, 0x00, 0xFF));
  EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

TEST(Font, LettersAreFiveWideWithOneColumnBetween) {
  EXPECT_EQ(textWidth("", 1), 0);
  EXPECT_EQ(textWidth("A", 1), 5);
  EXPECT_EQ(textWidth("CONTINUE?", 4), 9 * 24 - 4);
  Canvas upper(40, 10), lower(40, 10);
  drawText(upper, 0, 0, "MIYO 42", White);
  drawText(lower, 0, 0, "miyo 42", White);
  EXPECT_EQ(upper, lower);
  EXPECT_GT(upper.solidCount(), 40);
  Canvas odd(40, 10), plain(40, 10);
  drawText(odd, 0, 0, "A~B", White);
  drawText(plain, 0, 0, "A B", White);
  EXPECT_EQ(odd, plain) << "a letter the font lacks leaves a gap, not a smudge";
}

TEST(Scenery, DitherMixesTwoColoursInProportion) {
  int mixed = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(dither(Red, Blue, 0, x, y), Red);
      EXPECT_EQ(dither(Red, Blue, 16, x, y), Blue);
      mixed += dither(Red, Blue, 5, x, y) == Blue ? 1 : 0;
    }
  EXPECT_EQ(mixed, 5);
  Canvas sky(8, 40);
  EXPECT_EQ(bands(sky, 0, {{Navy, 10}, {Blue, 20}, {Aqua, 10}}), 40);
  EXPECT_EQ(sky.at(3, 0), Navy);
  EXPECT_EQ(sky.at(3, 39), Aqua);
  EXPECT_EQ(sky.solidCount(), 8 * 40);
}

TEST(Heads, EveryKindDrawsAFaceCentredWhereItSays) {
  for (HeadKind kind : {HeadKind::Daisaku, HeadKind::Miyo, HeadKind::Cat, HeadKind::Doll, HeadKind::Knight,
                        HeadKind::Charcoal})
    for (HeadView view : {HeadView::Side, HeadView::Front}) {
      const HeadArt art = drawHead(kind, 5, view, Mood::Calm, false);
      EXPECT_TRUE(art.front.solid(art.centre, art.centre));
      EXPECT_GT(art.front.solidCount(), 70);
      EXPECT_EQ(art.front.width(), 2 * art.centre + 1);
    }
  const HeadArt side = drawHead(HeadKind::Miyo, 5, HeadView::Side, Mood::Hurt, false);
  const HeadArt up = drawHead(HeadKind::Miyo, 5, HeadView::FaceUp, Mood::Hurt, false);
  EXPECT_EQ(up.front, side.front.turnedLeft());
  EXPECT_GT(side.behind.solidCount(), 20) << "her long hair falls behind her";
}

TEST(Poses, StickFiguresStayInsideTheirCell) {
  for (int p = 0; p < PoseCount; ++p) {
    const Skeleton k = skeletonFor(Pose(p));
    for (const Limb& l : {k.backArm, k.frontArm, k.backLeg, k.frontLeg})
      for (const Pt q : {l.root, l.joint, l.end, l.tip}) {
        EXPECT_GE(q.x, 1) << "pose " << p;
        EXPECT_LE(q.x, 30) << "pose " << p;
        EXPECT_GE(q.y, 1) << "pose " << p;
        EXPECT_LE(q.y, 30) << "pose " << p;
      }
  }
  const Skeleton squeezed = fitted(skeletonFor(Rest), 0.5f, 1);
  EXPECT_FLOAT_EQ(squeezed.frontLeg.end.y, skeletonFor(Rest).frontLeg.end.y);  // feet stay on the floor
  EXPECT_GT(squeezed.head.y, skeletonFor(Rest).head.y);
}

TEST(Jiro, HisGlintsAreAFewScatteredPixelsOfHisFullPicture) {
  for (int p : {0, 1, 3, 10}) {
    const Canvas full = drawKnight(Pose(p), false);
    const Canvas glints = knightGlints(full);
    EXPECT_GE(glints.solidCount(), 10);
    EXPECT_LE(glints.solidCount(), 20);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (glints.solid(x, y)) {
          EXPECT_TRUE(full.solid(x, y)) << "a glint in thin air at " << x << "," << y;
        }
  }
}

// ---- the files --------------------------------------------------------------

struct Sized {
  const char* file;
  int width, height;
  bool opaque;
};

constexpr Sized kScreens[] = {
    {"sprites.png", 448, 512, false},  {"title.png", 279, 157, true},    {"worldmap.png", 279, 157, true},
    {"continue.png", 255, 200, false}, {"ending.png", 325, 179, true},   {"transparent.png", 32, 32, false},
    {"icon.png", 32, 32, false},       {"help-icon.png", 32, 32, false}, {"portrait0.png", 32, 32, false},
    {"portrait1.png", 32, 32, false},  {"portrait2.png", 32, 32, false}, {"portrait3.png", 32, 32, false},
    {"portrait4.png", 32, 32, false},  {"portrait5.png", 32, 32, false}, {"portrait6.png", 32, 32, false},
    {"portrait7.png", 32, 32, false},
};

TEST(PictureFiles, EachHasItsSize) {
  for (const Sized& s : kScreens) {
    const QImage image = load(s.file);
    EXPECT_EQ(image.width(), s.width) << s.file;
    EXPECT_EQ(image.height(), s.height) << s.file;
  }
}

TEST(PictureFiles, UseOnlyTheSixteenColoursAndHardEdges) {
  const std::set<QRgb> palette(kRgb.begin(), kRgb.end());
  for (const Sized& s : kScreens) {
    const QImage image = load(s.file);
    int stray = 0, soft = 0, holes = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        if (qAlpha(p) == 0)
          holes += 1;
        else if (qAlpha(p) != 255)
          soft += 1;
        else if (!palette.count(p & 0xFFFFFF))
          stray += 1;
      }
    EXPECT_EQ(stray, 0) << s.file << " has colours outside the palette";
    EXPECT_EQ(soft, 0) << s.file << " has half-transparent pixels";
    if (s.opaque) {
      EXPECT_EQ(holes, 0) << s.file << " has see-through pixels";
    }
  }
}

TEST(PictureFiles, TransparentIsEmptyAndTheOthersAreNot) {
  EXPECT_EQ(opaqueCount(load("transparent.png")), 0);
  for (const char* file : {"icon.png", "help-icon.png", "continue.png", "portrait0.png", "portrait7.png"})
    EXPECT_GT(opaqueCount(load(file)), 100) << file;
  const QImage cont = load("continue.png");
  EXPECT_TRUE(clear(cont, 0, 0)) << "the continue lettering should float on a see-through ground";
}

TEST(PictureFiles, ScreensArePicturesNotFloods) {
  for (const char* file : {"title.png", "worldmap.png", "continue.png", "ending.png"}) {
    const QImage image = load(file);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    EXPECT_GE(colours.size(), 7u) << file;
  }
}

TEST(PictureFiles, ThreePortraitsAreStoreCells) {
  EXPECT_EQ(load("portrait3.png"), cell(100));
  EXPECT_EQ(load("portrait4.png"), cell(138));
  EXPECT_EQ(load("portrait5.png"), cell(154));
}

TEST(PictureFiles, PortraitsShowEightDifferentFaces) {
  std::vector<QImage> faces;
  for (int i = 0; i < kFighters; ++i) faces.push_back(load(QString("portrait%1.png").arg(i)));
  for (int a = 0; a < kFighters; ++a)
    for (int b = a + 1; b < kFighters; ++b)
      EXPECT_LT(likeness(faces[a], faces[b]), 0.6) << "portraits " << a << " and " << b;
}

#ifdef MOJARA_MAKE_PICTURES
TEST(PictureFiles, AreTheSameEveryRun) {
  QTemporaryDir again;
  ASSERT_TRUE(again.isValid());
  ASSERT_EQ(QProcess::execute(QStringLiteral(MOJARA_MAKE_PICTURES), {again.path()}), 0);
  for (const Sized& s : kScreens) {
    QFile built(kDir + "/" + s.file), rebuilt(again.path() + "/" + s.file);
    ASSERT_TRUE(built.open(QIODevice::ReadOnly) && rebuilt.open(QIODevice::ReadOnly)) << s.file;
    EXPECT_EQ(built.readAll(), rebuilt.readAll()) << s.file << " changed between two runs";
  }
}
#endif

// ---- the sprite store -------------------------------------------------------

TEST(SpriteStore, AuraBlobsAreSharedByTheWholeCast) {
  for (bool left : {false, true})
    for (int pose : {kBlobTall, kBlobSquat}) {
      const QImage first = cell(cellIndex(0, left, pose));
      EXPECT_GT(opaqueCount(first), 150);
      for (int f = 1; f < kFighters; ++f)
        EXPECT_EQ(cell(cellIndex(f, left, pose)), first) << "fighter " << f << " pose " << pose;
    }
  EXPECT_NE(cell(kBlobTall), cell(kBlobSquat));
}

TEST(SpriteStore, TheTallBlobIsTallAndTheSquatOneIsWide) {
  // as the battle shows them, every row taller than a column is wide
  const double aspect = mojara::assets::kFighterShape.pixelAspect();
  const QImage tall = cell(kBlobTall), squat = cell(kBlobSquat);
  const auto [tallLo, tallHi] = span(tall);
  const auto [squatLo, squatHi] = span(squat);
  EXPECT_GT((lowestOpaqueRow(tall) - topOpaqueRow(tall) + 1) * aspect, tallHi - tallLo + 1);
  EXPECT_LT((lowestOpaqueRow(squat) - topOpaqueRow(squat) + 1) * aspect, squatHi - squatLo + 1);
}

TEST(SpriteStore, HaniiStandsStillInMostPictures) {
  for (bool left : {false, true}) {
    const QImage still = cell(cellIndex(kHanii, left, 0));
    for (int pose : {1, 4, 5, 9, 10, 13})
      EXPECT_EQ(cell(cellIndex(kHanii, left, pose)), still) << "pose " << pose;
    for (int pose : {2, 3, 6, 11, 12})
      EXPECT_NE(cell(cellIndex(kHanii, left, pose)), still) << "pose " << pose;
  }
}

TEST(SpriteStore, JiroIsAlmostInvisibleUntilHeStrikes) {
  for (bool left : {false, true})
    for (int pose = 0; pose < 14; ++pose) {
      const int n = opaqueCount(cell(cellIndex(kJiro, left, pose)));
      if (scattered(kJiro, pose)) {
        EXPECT_GE(n, 10) << "pose " << pose;
        EXPECT_LE(n, 20) << "pose " << pose;
      } else {
        EXPECT_GT(n, 150) << "pose " << pose;
      }
    }
}

TEST(SpriteStore, JirosEyesGlintInTheDark) {
  for (bool left : {false, true})
    for (int pose = 0; pose < 14; ++pose) {
      if (!scattered(kJiro, pose)) continue;
      const QImage c = cell(cellIndex(kJiro, left, pose));
      bool eye = false;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) eye = eye || c.pixel(x, y) == qRgb(0xFF, 0, 0);
      EXPECT_TRUE(eye) << "pose " << pose;
    }
}

TEST(SpriteStore, EveryFighterStandsOnTheFloorStrip) {
  for (int f = 0; f < kFighters; ++f)
    for (bool left : {false, true})
      for (int pose = 0; pose < 14; ++pose) {
        if (scattered(f, pose)) continue;
        const QImage c = cell(cellIndex(f, left, pose));
        EXPECT_GT(opaqueCount(c), 60) << "cell " << cellIndex(f, left, pose);
        EXPECT_GE(lowestOpaqueRow(c), 30) << "cell " << cellIndex(f, left, pose) << " floats";
      }
}

TEST(SpriteStore, FacingLeftIsTheMirrorWithAFewTouches) {
  int exact = 0;
  for (int f = 0; f < kFighters; ++f)
    for (int pose = 0; pose < 14; ++pose) {
      const QImage right = cell(cellIndex(f, false, pose));
      const QImage left = cell(cellIndex(f, true, pose));
      const QImage mirror = right.mirrored(true, false);
      EXPECT_GE(likeness(left, mirror), 0.9) << "fighter " << f << " pose " << pose;
      exact += left == mirror ? 1 : 0;
    }
  EXPECT_LT(exact, kFighters * 14) << "the facing-left set should not be a plain mirror";
}

TEST(SpriteStore, BlowsLandOnTheFacingSide) {
  for (int f = 0; f < kFighters; ++f) {
    if (f == kJiro) continue;
    for (int pose : {3, 5}) {
      if (f == kHanii && pose == 5) continue;  // the haniwa kicks without moving
      const auto [restLo, restHi] = span(cell(cellIndex(f, false, 1)));
      const auto [hitLo, hitHi] = span(cell(cellIndex(f, false, pose)));
      EXPECT_GE(hitHi, restHi + 2) << "fighter " << f << " pose " << pose << " does not reach right";
      const auto [leftRestLo, leftRestHi] = span(cell(cellIndex(f, true, 1)));
      const auto [leftHitLo, leftHitHi] = span(cell(cellIndex(f, true, pose)));
      EXPECT_LE(leftHitLo, leftRestLo - 2) << "fighter " << f << " pose " << pose << " does not reach left";
    }
  }
}

// What makes each pose read as itself, whoever strikes it.
TEST(SpriteStore, PosesHaveTheirShape) {
  for (int f = 0; f < kFighters; ++f) {
    if (f == kJiro) continue;
    const QImage rest = cell(cellIndex(f, false, kRest));
    EXPECT_GE(topOpaqueRow(cell(cellIndex(f, false, kCrouch))), topOpaqueRow(rest) + 5)
        << "fighter " << f << " crouch";
    EXPECT_GE(topOpaqueRow(cell(cellIndex(f, false, kLying))), topOpaqueRow(rest) + 8)
        << "fighter " << f << " lying";
    EXPECT_LT(span(cell(cellIndex(f, false, kWindUp))).first, span(rest).first)
        << "fighter " << f << " wind-up";
    if (f != kHanii) {
      EXPECT_LE(headColumn(cell(cellIndex(f, false, kHit))), headColumn(rest) - 2)
          << "fighter " << f << " hit";
      EXPECT_GE(headColumn(cell(cellIndex(f, true, kHit))), headColumn(cell(cellIndex(f, true, kRest))) + 2)
          << "fighter " << f << " hit, facing left";
    }
  }
}

TEST(SpriteStore, EachFighterLooksLikeNobodyElse) {
  for (int a = 0; a < kFighters; ++a)
    for (int b = a + 1; b < kFighters; ++b)
      for (int pose : {1, 3, 12, 13})
        EXPECT_LT(likeness(cell(cellIndex(a, false, pose)), cell(cellIndex(b, false, pose))), 0.5)
            << "fighters " << a << " and " << b << " pose " << pose;
}

TEST(SpriteStore, PosesOfOneFighterDiffer) {
  for (int f = 0; f < kFighters; ++f) {
    if (f == kJiro || f == kHanii) continue;
    std::set<int> seen;
    for (int pose = 0; pose < 14; ++pose)
      for (int other = pose + 1; other < 14; ++other)
        EXPECT_NE(cell(cellIndex(f, false, pose)), cell(cellIndex(f, false, other)))
            << "fighter " << f << " poses " << pose << " and " << other;
  }
}

}  // namespace

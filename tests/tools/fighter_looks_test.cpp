// What makes the odder fighters read as what they are: the haniwa's clay, the charcoal man's
// embers, the iron doll's metal and key, and heads that stay round on stretched pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "assets/picture_shapes.h"
#include "canvas.h"
#include "fighters.h"
#include "moves.h"
#include "pose.h"
#include "screens.h"
#include "store.h"
#include "style.h"

namespace {

using namespace pictures;

// How many pixels of each palette colour a picture has, and how many are drawn at all.
struct Census {
  std::array<int, 16> of{};
  int solid = 0;
  int operator[](Colour c) const { return of[c]; }
  double share(std::initializer_list<Colour> cs) const {
    int n = 0;
    for (Colour c : cs) n += of[c];
    return solid ? double(n) / solid : 0;
  }
};

Census census(const Canvas& c) {
  Census n;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) ++n.of[c.at(x, y)], ++n.solid;
  return n;
}

bool isFigure(int pose) { return pose != BlobTall && pose != BlobSquat; }

// The 4-connected areas of the pixels `in` picks: how big each is and whether it touches an
// empty pixel.
struct Area {
  int size = 0;
  bool open = false;
};

template <typename In>
std::vector<Area> areas(const Canvas& c, In in) {
  std::vector<char> seen(std::size_t(c.width() * c.height()), 0);
  const auto visit = [&](int x, int y) { return !std::exchange(seen[std::size_t(y * c.width() + x)], 1); };
  std::vector<Area> found;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      if (!in(x, y) || !visit(x, y)) continue;
      Area area;
      std::vector<std::pair<int, int>> todo{{x, y}};
      while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        ++area.size;
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          const int nx = px + dx, ny = py + dy;
          area.open = area.open || !c.solid(nx, ny);
          if (in(nx, ny) && visit(nx, ny)) todo.push_back({nx, ny});
        }
      }
      found.push_back(area);
    }
  return found;
}

// Black areas with drawn pixels all round them: holes in a surface rather than its outline.
int enclosedBlackAreas(const Canvas& c) {
  int n = 0;
  for (const Area& a : areas(c, [&](int x, int y) { return c.at(x, y) == Black; })) n += a.open ? 0 : 1;
  return n;
}

TEST(Hanii, IsFiredClayLitInASecondHue) {
  for (bool left : {false, true})
    for (int p = 0; p < PoseCount; ++p) {
      if (!isFigure(p)) continue;
      const Census n = census(drawFighter(Hanii, Pose(p), left));
      EXPECT_EQ(n[Green] + n[Lime] + n[Teal], 0) << "pose " << p << " has green in the clay";
      EXPECT_GT(n.share({Maroon, Red, Olive}), 0.5) << "pose " << p << " is not mostly terracotta";
      EXPECT_GT(n[Maroon], n[Red] + n[Olive]) << "pose " << p << ": the clay is dark red, the light a band";
      // not flat red: the light on the clay turns towards ochre
      EXPECT_GE(n.share({Olive}), 0.05) << "pose " << p;
    }
}

TEST(Hanii, HasHollowEyesAndMouth) {
  for (int p : {Rest, Ready, Punch, WindUp})
    EXPECT_GE(enclosedBlackAreas(drawFighter(Hanii, Pose(p), false)), 3) << "pose " << p;
}

TEST(Kokutanjin, IsBlackCharcoalWithEmbersAndWhiteHotEyes) {
  for (bool left : {false, true})
    for (int p = 0; p < PoseCount; ++p) {
      if (!isFigure(p)) continue;
      const Census n = census(drawFighter(Kokutanjin, Pose(p), left));
      EXPECT_GT(n.share({Black}), 0.6) << "pose " << p << " is not mostly black";
      EXPECT_LT(n.share({Grey, Silver}), 0.25) << "pose " << p << ": grey is only the sheen on his edges";
      const double embers = n.share({Red, Yellow, Maroon});
      EXPECT_GT(embers, 0.02) << "pose " << p << " has no glowing cracks";
      EXPECT_LT(embers, 0.15) << "pose " << p << " glows all over";
      // (the overhead hammer blow hides his face behind his arms)
      if (p != Punch) {
        EXPECT_GE(n[White], 1) << "pose " << p << ": his eyes burn white";
      }
      EXPECT_LE(n[White], 6) << "pose " << p << ": only his eyes are white-hot";
    }
}

// Black pixels with no empty pixel beside them, in parts of at least 15: where grey lines run
// through a black body they split it into the limbs and trunk they part.
std::vector<int> innerBlackParts(const Canvas& c) {
  const auto inner = [&](int x, int y) {
    return c.at(x, y) == Black && c.solid(x - 1, y) && c.solid(x + 1, y) && c.solid(x, y - 1) &&
           c.solid(x, y + 1);
  };
  std::vector<int> parts;
  for (const Area& a : areas(c, inner))
    if (a.size >= 15) parts.push_back(a.size);
  return parts;
}

// Inside the black of his blow, wind-up and recoil, the arms and legs are parted from the trunk
// by grey lines rather than merged into one lump.
TEST(Kokutanjin, HisLimbsReadInsideTheBlack) {
  for (bool left : {false, true})
    for (Pose p : {Punch, WindUp, Hit}) {
      const std::vector<int> parts = innerBlackParts(drawFighter(Kokutanjin, p, left));
      int black = 0;
      for (int n : parts) black += n;
      EXPECT_GE(parts.size(), 3u) << "pose " << p << (left ? " facing left" : "");
      EXPECT_LT(*std::max_element(parts.begin(), parts.end()), black * 2 / 3) << "pose " << p;
    }
}

TEST(Kokutanjin, HisPortraitIsACharcoalFace) {
  const Census n = census(drawPortrait(Kokutanjin, buildStore()));
  EXPECT_GT(n.share({Black}), 0.6);
  EXPECT_GE(n[White], 2) << "white-hot eyes";
  EXPECT_GE(n[Red] + n[Yellow], 4) << "glowing cracks";
}

TEST(IronDoll, ShinesLikeMetalAndKeepsHerDress) {
  for (int p : {Rest, Ready, Punch, Kick, Victory}) {
    const Census n = census(drawFighter(IronDoll, Pose(p), false));
    EXPECT_GT(n.share({Silver}), 0.07) << "pose " << p;
    EXPECT_GE(n[White], 3) << "pose " << p << ": polished highlights";
    EXPECT_GE(n[Grey], 3) << "pose " << p << ": rivets and shadowed iron";
    EXPECT_GT(n.share({Fuchsia, Purple}), 0.12) << "pose " << p << ": she is still a doll in a dress";
  }
}

TEST(IronDoll, HasAWindUpKeyStickingOutOfHerBack) {
  Style plain = styleOf(IronDoll);
  plain.extra = Extra::None;
  for (int p : {Rest, Ready, Punch, Kick, Hit, WindUp}) {
    const Canvas without = drawHumanoid(plain, skeletonFor(IronDoll, Pose(p)), false,
                                        float(mojara::assets::kFighterShape.pixelAspect()));
    int middle = 0;  // her body's middle column
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) middle += without.solid(x, y) ? x : 0;
    middle /= std::max(1, without.solidCount());
    for (bool left : {false, true}) {
      const Canvas withKey =
          left ? drawFighter(IronDoll, Pose(p), true).mirrored() : drawFighter(IronDoll, Pose(p), false);
      // what the key adds stands out behind her, facing right: left of her middle
      int added = 0, behind = 0;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
          if (withKey.solid(x, y) && !without.solid(x, y)) {
            ++added;
            behind += x < middle ? 1 : 0;
          }
      EXPECT_GE(added, 8) << "pose " << p << (left ? " facing left" : "");
      EXPECT_GE(behind, added * 9 / 10) << "pose " << p << (left ? " facing left" : "");
    }
  }
}

// Lost in the dark he is still a few pixels, but one or two of them flash white off his black
// plate, so that the player can find him against the pale stage.
TEST(Jiro, AFewOfHisGlintsFlashWhite) {
  for (bool left : {false, true})
    for (int p = 0; p < PoseCount; ++p) {
      if (!isFigure(p) || p == WindUp || p == Victory) continue;
      const Canvas c = drawFighter(Jiro, Pose(p), left);
      const Census n = census(c);
      EXPECT_GE(n.solid, 10) << "pose " << p;
      EXPECT_LE(n.solid, 20) << "pose " << p;
      EXPECT_GE(n[White], 1) << "pose " << p;
      EXPECT_LE(n[White], 2) << "pose " << p;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
          if (c.at(x, y) == White) {
            EXPECT_EQ(c.at(x, y + 1), Black) << "pose " << p << ": a white glint on dark plate";
          }
    }
}

// A head drawn for pixels shown taller than wide takes fewer rows, so that on screen it has the
// proportions it has on square pixels.
TEST(Heads, KeepTheirProportionsOnScreenOnStretchedPixels) {
  const float aspect = float(mojara::assets::kPortraitShape.pixelAspect());
  for (HeadKind kind : {HeadKind::Daisaku, HeadKind::Miyo, HeadKind::Cat, HeadKind::Doll, HeadKind::Knight,
                        HeadKind::Charcoal}) {
    auto extent = [](const Canvas& c) {
      int top = c.height(), bottom = -1, lo = c.width(), hi = -1;
      for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
          if (c.solid(x, y))
            top = std::min(top, y), bottom = std::max(bottom, y), lo = std::min(lo, x), hi = std::max(hi, x);
      return std::pair{hi - lo + 1, bottom - top + 1};
    };
    const auto [squareWide, squareTall] =
        extent(drawHead(kind, 9.5f, HeadView::Side, Mood::Calm, true).front);
    const auto [wide, tall] = extent(drawHead(kind, 9.5f, HeadView::Side, Mood::Calm, true, aspect).front);
    EXPECT_NEAR(wide, squareWide, 1) << int(kind);
    EXPECT_NEAR(tall * aspect, squareTall, 2.0) << int(kind) << ": the head is an egg on screen";
    EXPECT_LT(tall, squareTall) << int(kind);
  }
}

}  // namespace

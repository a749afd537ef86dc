#include "worldmap_marks.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "texture.h"
#include "worldmap.h"

namespace pictures::worldmap {

namespace {

// A mountain range: a chain of peaks from a to b.
struct Range {
  Pt a, b;
  float halfWidth, height;
  int peaks;
  bool snowy;
};

constexpr Range kRanges[] = {
    {{40, 42}, {84, 50}, 5, 8, 9, true},      // the western range, over the mill town
    {{90, 54}, {114, 64}, 4.5f, 6.5f, 5, false},
    {{120, 84}, {134, 94}, 4, 5, 3, false},    // the southern hills
    {{16, 9}, {58, 8}, 5.5f, 8, 6, true},     // the ice mountains either side of the castle
    {{116, 9}, {166, 10}, 5.5f, 8.5f, 7, true},
    {{215, 47}, {227, 57}, 3.5f, 5, 3, false},  // the islands' spine
};

// A piece of the map the size of the whole, to draw one thing on and outline it alone.
Canvas layer(const Canvas& c) { return Canvas(c.width(), c.height(), Clear, c.pixelAspect()); }

void mountain(Canvas& c, const Peak& m) {
  Canvas glyph = layer(c);
  const Pt apex = m.foot + Pt{-0.4f, -m.height};
  const Pt left = m.foot + Pt{-m.halfWidth, 0}, right = m.foot + Pt{m.halfWidth, 0};
  const Pt middle = m.foot + Pt{m.halfWidth * 0.2f, 0};
  // the sun stands in the west: a bright west face and a dull east face
  const Pt west[] = {apex, left, middle};
  const Pt east[] = {apex, middle, right};
  glyph.polygon(west, Silver);
  glyph.polygon(east, Grey);
  if (m.snowy) {
    const float cap = 0.42f;
    const Pt capWest[] = {apex, lerp(apex, left, cap), lerp(apex, middle, cap * 0.8f)};
    const Pt capEast[] = {apex, lerp(apex, middle, cap * 0.8f), lerp(apex, right, cap * 0.9f)};
    glyph.polygon(capWest, White);
    glyph.polygon(capEast, Silver);
  }
  glyph.outline(Black);
  c.blit(glyph, 0, 0);
}

void volcano(Canvas& c) {
  const Pt o = kVolcano;
  const float w = kVolcanoHalfWidth, h = 9, mouth = 2.2f;
  Canvas glyph = layer(c);
  const Pt west[] = {{o.x - mouth, o.y - h}, {o.x - w, o.y}, {o.x + 1, o.y}, {o.x + 0.3f, o.y - h}};
  const Pt east[] = {{o.x + 0.3f, o.y - h}, {o.x + 1, o.y}, {o.x + w, o.y}, {o.x + mouth, o.y - h}};
  glyph.polygon(west, Maroon);
  glyph.polygon(east, Black);
  // lava running down from the mouth
  glyph.ellipse({o.x, o.y - h}, mouth + 0.6f, 1.2f, Red);
  glyph.line({o.x - 0.6f, o.y - h}, {o.x - 2.4f, o.y - h * 0.45f}, Red);
  glyph.outline(Black);
  c.blit(glyph, 0, 0);
  // smoke drifting off to the east
  Canvas smoke = layer(c);
  const std::array<std::array<float, 3>, 4> puffs = {{{1, -13, 2.2f}, {4.5f, -16.5f, 2.8f}, {9, -18.5f, 3.2f}, {14, -19.5f, 2.6f}}};
  for (const auto& [dx, dy, r] : puffs) smoke.disc(o + Pt{dx, dy}, r, Silver);
  for (const auto& [dx, dy, r] : puffs) smoke.disc(o + Pt{dx - 0.6f, dy - 0.8f}, r * 0.6f, White);
  smoke.outline(Grey);
  c.blit(smoke, 0, 0);
}

// The dark knight's castle: a black keep between two spired towers, a light in one window.
void castle(Canvas& c, Pt base) {
  Canvas glyph = layer(c);
  const Pt keep[] = {base + Pt{-5, 0}, base + Pt{-5, -6}, base + Pt{5, -6}, base + Pt{5, 0}};
  glyph.polygon(keep, Black);
  for (float side : {-5.0f, 5.0f}) {
    const Pt tower[] = {base + Pt{side - 1.6f, 0}, base + Pt{side - 1.6f, -9}, base + Pt{side + 1.6f, -9},
                        base + Pt{side + 1.6f, 0}};
    const Pt spire[] = {base + Pt{side - 2.2f, -9}, base + Pt{side, -14}, base + Pt{side + 2.2f, -9}};
    glyph.polygon(tower, Black);
    glyph.polygon(spire, Black);
  }
  // battlements along the keep
  for (float x = -3; x <= 3; x += 2) glyph.fillRect(int(std::lround(base.x + x)), glyph.rowAt(base.y - 7.4f), 1, 1, Black);
  glyph.outline(Grey);
  glyph.set(int(std::lround(base.x - 5)), glyph.rowAt(base.y - 6), Yellow);
  glyph.set(int(std::lround(base.x + 1)), glyph.rowAt(base.y - 3), Yellow);
  c.blit(glyph, 0, 0);
}

// An old keyhole-shaped burial mound in its moat: a round back and a square front, wooded over.
void burialMound(Canvas& c, Pt at) {
  Canvas moat = layer(c), mound = layer(c);
  const auto keyhole = [&](Canvas& onto, float grow, Colour colour) {
    onto.disc(at, 3.8f + grow, colour);
    const Pt front[] = {at + Pt{2, -1.6f - grow}, at + Pt{8.5f + grow, -4.2f - grow}, at + Pt{8.5f + grow, 4.2f + grow},
                        at + Pt{2, 1.6f + grow}};
    onto.polygon(front, colour);
  };
  keyhole(moat, 1.6f, Teal);
  keyhole(mound, 0, Green);
  mound.shadeEdge(1, 1, 1);
  mound.outline(Black);
  c.blit(moat, 0, 0);
  c.blit(mound, 0, 0);
}

// A little town: a few white houses under dark roofs.
void town(Canvas& c, Pt at, int houses) {
  Canvas glyph = layer(c);
  for (int i = 0; i < houses; ++i) {
    const Pt p = at + Pt{float(i % 2) * 4.2f - 2 + float(i / 2) * 2.1f, float(i / 2) * 3.6f - 1.6f};
    const int x = int(std::lround(p.x)), y = glyph.rowAt(p.y);
    glyph.fillRect(x - 1, y, 3, 2, White);
    glyph.fillRect(x - 1, y - 1, 3, 1, Maroon);
  }
  glyph.outline(Black);
  c.blit(glyph, 0, 0);
}

// The iron doll's mill: a shed and two smoking chimneys.
void mill(Canvas& c, Pt at) {
  Canvas glyph = layer(c);
  const int x = int(std::lround(at.x)), y = glyph.rowAt(at.y);
  glyph.fillRect(x - 3, y - 2, 7, 3, Grey);
  glyph.fillRect(x - 2, y - 7, 2, 5, Silver);
  glyph.fillRect(x + 2, y - 6, 2, 4, Silver);
  glyph.outline(Black);
  c.blit(glyph, 0, 0);
  Canvas smoke = layer(c);
  smoke.disc(at + Pt{-0.5f, -10}, 1.6f, Silver);
  smoke.disc(at + Pt{2.5f, -11.5f}, 2, Silver);
  smoke.outline(Grey);
  c.blit(smoke, 0, 0);
}

// A desert monument: a great stone face looking out over the sand, lit from the west.
void stoneFace(Canvas& c, Pt at) {
  Canvas glyph = layer(c);
  glyph.ellipse(at, 3.4f, 4.4f, Silver);
  glyph.ellipse(at + Pt{1.6f, 0.4f}, 2.2f, 4.2f, Grey);
  const int x = int(std::lround(at.x)), y = glyph.rowAt(at.y);
  glyph.set(x - 2, y - 1, Black), glyph.set(x + 1, y - 1, Black);  // eyes
  glyph.fillRect(x - 1, y + 2, 3, 1, Black);                       // mouth
  glyph.outline(Black);
  c.blit(glyph, 0, 0);
}

void pin(Canvas& c, Pt at) {
  Canvas mark = layer(c);
  mark.disc(at, kPinRadius, kPin);
  mark.outline(Black);
  mark.set(int(std::lround(at.x - 1)), c.rowAt(at.y - 1), White);  // a glint on the lit side
  c.blit(mark, 0, 0);
}

}  // namespace

const std::vector<Peak>& peaks() {
  static const std::vector<Peak> all = [] {
    std::vector<Peak> out;
    std::uint32_t seed = 80;
    for (const Range& g : kRanges)
      for (int i = 0; i < g.peaks; ++i, ++seed) {
        const float t = float(i) / float(std::max(1, g.peaks - 1));
        const Pt jitter = {float(noise(i, 1, seed) % 100) / 50.0f - 1, float(noise(i, 2, seed) % 100) / 33.0f - 1.5f};
        const float height = g.height * (0.75f + float(noise(i, 3, seed) % 100) / 300.0f);
        out.push_back({lerp(g.a, g.b, t) + jitter * g.halfWidth * 0.5f, g.halfWidth, height, g.snowy && height > g.height * 0.85f});
      }
    std::stable_sort(out.begin(), out.end(), [](const Peak& a, const Peak& b) { return a.foot.y < b.foot.y; });
    return out;
  }();
  return all;
}

void drawMountains(Canvas& c) {
  for (const Peak& m : peaks()) mountain(c, m);
  volcano(c);
}

void drawLandmarks(Canvas& c) {
  const auto& home = homes();
  town(c, home[0] + Pt{8, -2}, 4);
  town(c, home[1] + Pt{-8, -1}, 3);
  town(c, home[2] + Pt{7, 1}, 2);
  stoneFace(c, home[3] + Pt{9, -1});
  castle(c, home[4] + Pt{-11, 3});
  burialMound(c, home[5] + Pt{-11, -8});
  mill(c, home[6] + Pt{9, 4});
}

void drawPins(Canvas& c) {
  for (const Pt& home : homes()) pin(c, home);
}

void drawCompass(Canvas& c) {
  const Pt o = kCompass;
  const float r = kCompassRadius;
  Canvas rose = layer(c);
  rose.disc(o, r, Navy);
  rose.outline(Teal);
  // the long points north, south, east and west, and short ones between
  for (int k = 0; k < 8; ++k) {
    const float a = float(k) * 3.14159265f / 4;
    const float len = k % 2 == 0 ? r - 1 : r * 0.55f;
    const Pt tip = o + Pt{std::sin(a), -std::cos(a)} * len;
    const Pt side = Pt{std::cos(a), std::sin(a)} * (k % 2 == 0 ? 2.6f : 1.8f);
    const Pt star[] = {tip, o + side, o - side};
    rose.polygon(star, k == 0 ? Red : k % 2 == 0 ? White : Silver);
  }
  rose.disc(o, 1.2f, Navy);
  c.blit(rose, 0, 0);
}

}  // namespace pictures::worldmap

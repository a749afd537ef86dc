// Daiganmen and Hanii drawn large: the big face on its little arms and legs, and the haniwa in
// fired clay, posed from the same stick figures as the rest of the cast.
#include <algorithm>
#include <cmath>

#include "fighters.h"
#include "large_frame.h"

namespace pictures {

namespace {

constexpr float kFaceR = 9.5f;  // the big face's radius in sprite pixels

class BigFace {
 public:
  BigFace(const Skeleton& k, const LargeFrame& f)
      : k_(k), f_(f), front_(k.view == HeadView::Front), centre_{(k.neck.x + k.hip.x) / 2, k.hip.y - 3} {}

  Canvas draw() const {
    Canvas out = f_.blank();
    out.blit(limbs(k_.backArm, k_.backLeg, -1, true), 0, 0);
    out.blit(leg(k_.frontLeg, 1), 0, 0);
    out.blit(face(), 0, 0);
    out.blit(limbs(k_.frontArm, k_.frontLeg, 1, false), 0, 0);
    return out;
  }

 private:
  // Unit face coordinates to display: (0, 0) the centre, 1 the radius, +u the near side.
  Pt at(float u, float v) const { return f_.at(centre_ + Pt{u * kFaceR, v * kFaceR}); }
  float r(float cell) const { return f_.len(cell); }

  Canvas leg(const Limb& g, float side) const {
    Canvas l = f_.blank();
    const Pt toe = g.end + Pt{front_ ? side * 1.5f : 2.0f, 0};
    l.capsule(at(side * 0.3f, 0.8f), f_.at(g.end), r(1.1f), White);
    l.capsule(f_.at(g.end), f_.at(toe), r(1.2f), Maroon);
    f_.finish(l, false, false);
    return l;
  }

  Canvas limbs(const Limb& a, const Limb& g, float side, bool back) const {
    Canvas l = f_.blank();
    l.capsule(at(side * 0.96f, 0.35f), f_.at(a.end), r(0.9f), White);
    l.disc(f_.at(a.end), r(2.1f), Red);
    if (back) {
      const Pt toe = g.end + Pt{front_ ? side * 1.5f : 2.0f, 0};
      l.capsule(at(side * 0.3f, 0.8f), f_.at(g.end), r(1.1f), White);
      l.capsule(f_.at(g.end), f_.at(toe), r(1.2f), Maroon);
    }
    f_.finish(l, false, back);
    // the glove's shine
    l.disc(f_.at(a.end + Pt{0.9f, -0.9f}), r(0.5f), Yellow);
    return l;
  }

  Canvas face() const {
    Canvas c = f_.blank();
    c.disc(at(0, 0), r(kFaceR), White);
    c.disc(at(-1.0f, 0.05f), r(2.0f), White);  // ears, or an ear and the nose
    c.disc(at(front_ ? 1.0f : 0.98f, 0.05f), r(front_ ? 2.0f : 1.8f), White);
    // a crew cut of black hair
    for (int y = 0; y < c.height(); ++y)
      for (int x = 0; x < c.width(); ++x) {
        const Pt d = c.toDisplay(x, y), o = at(0, 0);
        const float u = (d.x - o.x) / r(kFaceR), v = (d.y - o.y) / r(kFaceR);
        const bool top = v < -0.55f + 0.07f * std::cos(u * 11.0f);
        if (c.solid(x, y) && (top || (!front_ && u < -0.55f && v < -0.1f))) c.set(x, y, Black);
      }
    f_.finish(c, false, false);
    c.recolour(Grey, Silver);  // the skin's shadow, not the hair's
    features(c);
    return c;
  }

  void features(Canvas& c) const {
    const bool shut = k_.mood == Mood::Hurt || k_.mood == Mood::Glad;
    for (float u : {front_ ? -0.38f : -0.05f, front_ ? 0.38f : 0.55f}) {
      if (shut) {
        c.capsule(at(u - 0.12f, -0.08f), at(u + 0.12f, -0.08f), r(0.35f), Black);
      } else {
        c.ellipse(at(u, -0.12f), r(1.0f), r(1.5f), Black);
        c.disc(at(u + 0.04f, -0.2f), r(0.35f), White);
      }
      // thick brows, knitted when he means business
      const float inner = front_ ? (u < 0 ? 1.0f : -1.0f) : -1.0f;
      const float knit = k_.mood == Mood::Shout ? 0.08f : k_.mood == Mood::Hurt ? -0.08f : 0;
      c.capsule(at(u - 0.16f * inner, -0.4f), at(u + 0.14f * inner, -0.4f + knit), r(0.45f), Black);
      c.disc(at(u + (u < 0 ? -0.25f : 0.25f), 0.25f), r(0.6f), Red);  // rosy cheeks
    }
    const Pt m = at(front_ ? 0.0f : 0.3f, 0.5f);
    switch (k_.mood) {
      case Mood::Calm:
        c.capsule(m - Pt{r(2.5f), 0}, m + Pt{r(2.5f), 0}, r(0.35f), Black);
        break;
      case Mood::Shout:  // a fierce grin, teeth clenched
        c.ellipse(m, r(3.5f), r(1.6f), Black);
        c.ellipse(m, r(2.8f), r(0.9f), White);
        break;
      case Mood::Hurt:
        c.ellipse(m, r(1.6f), r(1.3f), Black);
        c.ellipse(m + Pt{0, r(0.3f)}, r(0.9f), r(0.7f), Red);
        break;
      case Mood::Glad: {  // a wide laugh, shaped like a bowl
        Canvas mouth = f_.blank();
        mouth.ellipse(m, r(3.2f), r(2.2f), Black);
        mouth.ellipse(m + Pt{0, r(0.2f)}, r(2.5f), r(1.6f), Red);
        mouth.fillRect(0, 0, mouth.width(), mouth.rowAt(m.y - r(0.3f)), Clear);
        c.blit(mouth, 0, 0);
        break;
      }
    }
  }

  const Skeleton& k_;
  const LargeFrame& f_;
  bool front_;
  Pt centre_;
};

// Hanii's clay and how it takes the light.
constexpr Colour kClay = kHaniiClay;
constexpr Colour kWarm = kHaniiWarm;
constexpr Colour kLit = kHaniiLit;
constexpr Colour kDark = kHaniiDark;

Canvas haniwa(const Skeleton& k, const LargeFrame& f) {
  Canvas c = f.blank();
  const auto shape = [&](std::initializer_list<Pt> cell) {
    std::vector<Pt> pts;
    for (Pt q : cell) pts.push_back(f.at(q));
    c.polygon(pts, kClay);
  };
  c.ellipse(f.at({15.5f, 7}), f.len(4.5f), f.len(5), kClay);  // the round-topped head
  shape({{11, 7}, {20, 7}, {20, 15}, {11, 15}});
  shape({{10.5f, 14}, {20.5f, 14}, {21.5f, 26}, {10, 26}});
  shape({{10, 25}, {21.5f, 25}, {23, 30}, {8.5f, 30}});  // the flared foot
  const Canvas body = c;
  // arms up when the stick figure's hands are above its shoulders, hanging otherwise
  for (const Limb* arm : {&k.backArm, &k.frontArm}) {
    const float s = arm == &k.frontArm ? 1.0f : -1.0f;
    const bool raised = arm->end.y < arm->root.y;
    const Pt shoulder{15.5f + s * 4, 16}, elbow = shoulder + Pt{s * 4, raised ? 0.0f : 1.0f};
    const Pt hand = raised ? shoulder + Pt{s * 4.5f, -6} : shoulder + Pt{s * 4, 5};
    c.capsule(f.at(shoulder), f.at(elbow), f.len(1.4f), kClay);
    c.capsule(f.at(elbow), f.at(hand), f.len(1.4f), kClay);
  }
  // round clay as the sprites fire it: dark on the far side and underneath, and across the body
  // a warm red edge, then a band of ochre light, before the near side darkens again
  const Canvas flat = c;
  const int deep = std::max(1, int(std::lround(f.scale() * 0.5f)));
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      if (!flat.solid(x, y)) continue;
      bool dark = !flat.solid(x, y + 1);
      for (int i = 1; i <= deep; ++i) dark = dark || !flat.solid(x - i, y);
      if (dark) {
        c.set(x, y, kDark);
        continue;
      }
      if (!body.solid(x, y)) {  // an arm: lit along its top
        if (!flat.solid(x, y - 1)) c.set(x, y, kLit);
        continue;
      }
      int from = 0, to = 0;
      while (from < c.width() && body.solid(x - from - 1, y)) ++from;
      while (to < c.width() && body.solid(x + to + 1, y)) ++to;
      if (from + to < 4 * deep || to == 0) continue;
      const float t = float(from) / float(from + to);
      if (t >= 0.72f && t < 0.84f)
        c.set(x, y, kLit);
      else if (t >= 0.66f && t < 0.72f)
        c.set(x, y, kWarm);
    }
  c.outline();
  // eyes and mouth are holes poked through the clay, and a groove runs round the waist
  c.ellipse(f.at({13.8f, 6.5f}), f.len(1.1f), f.len(0.9f), Black);
  c.ellipse(f.at({17.2f, 6.5f}), f.len(1.1f), f.len(0.9f), Black);
  c.ellipse(f.at({15.5f, 11.2f}), f.len(1.0f), f.len(1.6f), Black);
  const int groove = c.rowAt(f.at({0, 21}).y);
  for (int x = 0; x < c.width(); ++x)
    if (flat.solid(x - 1, groove) && flat.solid(x + 1, groove)) c.set(x, groove, x % 2 ? Black : kDark);
  return c;
}

}  // namespace

Canvas drawLargeBigFace(const Skeleton& pose, const LargeFrame& frame) { return BigFace(pose, frame).draw(); }

Canvas drawLargeHanii(const Skeleton& pose, const LargeFrame& frame) { return haniwa(pose, frame); }

}  // namespace pictures

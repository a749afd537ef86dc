// The dressed-up stick figures drawn large: the same build and outfit as their sprites, each
// part an outlined, shaded layer, at the resolution of the picture they stand in.
#include "figure.h"

#include <algorithm>
#include <cmath>

#include "large_frame.h"
#include "style.h"
#include "texture.h"

namespace pictures {

LargeFrame::LargeFrame(float scale, float pixelAspect)
    : scale_(scale),
      aspect_(pixelAspect),
      width_(int(std::ceil(32 * scale + 2 * kMargin))),
      height_(int(std::ceil((32 * scale + 2 * kMargin) / pixelAspect))) {}

void LargeFrame::finish(Canvas& part, bool shine, bool inShadow) const {
  const Canvas before = part;
  const int deepX = std::max(1, int(std::lround(scale_ * 0.5f)));
  const int deepY = std::max(1, int(std::lround(scale_ * 0.5f / aspect_)));
  const auto openWithin = [&](int x, int y, int dx, int dy, int depth) {
    for (int k = 1; k <= depth; ++k)
      if (!before.solid(x + dx * k, y + dy * k)) return true;
    return false;
  };
  for (int y = 0; y < part.height(); ++y)
    for (int x = 0; x < part.width(); ++x) {
      if (!before.solid(x, y)) continue;
      Colour c = before.at(x, y);
      if (inShadow) c = shadeOf(c);
      if (openWithin(x, y, -1, 0, deepX) || openWithin(x, y, 0, 1, deepY))
        c = shadeOf(c);
      else if (shine && (!before.solid(x + 1, y) || !before.solid(x, y - 1)))
        c = lightOf(c);
      part.set(x, y, c);
    }
  part.outline();
}

float squareOversize(float aspect) { return aspect < 1 ? 1 / aspect : 1; }

Canvas squeezed(const Canvas& art, float aspect, float* shrinkX, float* shrinkY) {
  const float sx = std::min(1.0f, aspect), sy = std::min(1.0f, 1 / aspect);
  if (shrinkX) *shrinkX = sx;
  if (shrinkY) *shrinkY = sy;
  Canvas out(std::max(1, int(std::lround(art.width() * sx))), std::max(1, int(std::lround(art.height() * sy))),
             Clear, aspect);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      out.set(x, y, art.at(int((x + 0.5f) / sx), int((y + 0.5f) / sy)));
  return out;
}

void LargeFrame::placeSquare(Canvas& on, const Canvas& art, int centre, Pt displayCentre) const {
  float sx = 1, sy = 1;
  const Canvas fit = squeezed(art, aspect_, &sx, &sy);
  const int x = int(std::lround(displayCentre.x - (centre + 0.5f) * sx + 0.5f));
  const int y = int(std::lround(displayCentre.y / aspect_ - (centre + 0.5f) * sy + 0.5f));
  on.blit(fit, x, y);
}

namespace {

Pt unit(Pt v) {
  const float len = std::sqrt(v.x * v.x + v.y * v.y);
  return len > 0 ? v * (1.0f / len) : Pt{0, 1};
}

Pt across(Pt a, Pt b) {
  const Pt d = unit(b - a);
  return {-d.y, d.x};
}

class LargeDresser {
 public:
  LargeDresser(const Style& s, const Skeleton& k, const LargeFrame& f, bool sideFixed)
      : s_(s), k_(k), f_(f), sideFixed_(sideFixed), out_(f.blank()) {}

  Canvas draw() {
    const bool front = k_.view == HeadView::Front;
    if (!front) {
      // seen from the side the near shoulder is on the chest's leading edge
      const Pt side = across(k_.neck, k_.hip), top = lerp(k_.neck, k_.hip, 0.14f);
      k_.frontArm.root = top - side * (s_.shoulder - 1.4f);
      k_.backArm.root = top + side * (s_.shoulder * 0.3f);
    }
    const float headR = f_.len(s_.headR);
    head_ = drawHead(s_.head, headR * squareOversize(f_.aspect()), k_.view, k_.mood, sideFixed_);
    if (s_.extra == Extra::KnightCape) add([&](Canvas& l) { cape(l); }, false);
    if (!front) {
      add([&](Canvas& l) { arm(l, k_.backArm, false); }, true);
      add([&](Canvas& l) { leg(l, k_.backLeg); }, true);
    }
    if (s_.extra == Extra::CatTail) add([&](Canvas& l) { tail(l); }, false);
    placeHead(head_.behind);
    if (front) add([&](Canvas& l) { leg(l, k_.backLeg); }, false);
    if (!k_.kneesUp) add([&](Canvas& l) { leg(l, k_.frontLeg); }, false);
    add([&](Canvas& l) { trunk(l); }, false);
    if (k_.kneesUp) add([&](Canvas& l) { leg(l, k_.frontLeg); }, false);
    placeHead(head_.front);
    if (front) add([&](Canvas& l) { arm(l, k_.backArm, false); }, false);
    add([&](Canvas& l) { arm(l, k_.frontArm, true); }, false);
    return out_;
  }

 private:
  template <typename Paint>
  void add(Paint paint, bool back) {
    Canvas layer = f_.blank();
    paint(layer);
    f_.finish(layer, s_.shine, back);
    if (s_.extra == Extra::CharcoalEmbers) embers(layer);
    if (s_.extra == Extra::DollJoints) dollJoints(layer);
    out_.blit(layer, 0, 0);
  }

  // Drawing in sprite-cell coordinates, scaled to this picture.
  Pt p(Pt cell) const { return f_.at(cell); }
  float r(float cell) const { return f_.len(cell); }
  void stroke(Canvas& l, Pt a, Pt b, float rad, Colour c) const { l.capsule(p(a), p(b), r(rad), c); }
  void twoTone(Canvas& l, Pt a, Pt b, float rad, Colour first, Colour rest, float split) const {
    stroke(l, a, b, rad, rest);
    if (split > 0) stroke(l, a, lerp(a, b, std::min(split, 1.0f)), rad, first);
  }
  void shape(Canvas& l, std::initializer_list<Pt> cell, Colour c) const {
    std::vector<Pt> pts;
    for (Pt q : cell) pts.push_back(p(q));
    l.polygon(pts, c);
  }

  void placeHead(const Canvas& art) { f_.placeSquare(out_, art, head_.centre, p(headAt())); }

  // The head sits on the neck at a distance that suits its size.
  Pt headAt() const {
    if (k_.view == HeadView::FaceUp)
      return {k_.neck.x - s_.headR - 0.5f, k_.head.y + (4.5f - s_.headR) * 0.3f};
    return k_.neck + unit(k_.head - k_.neck) * (s_.headR + 0.6f);
  }

  void arm(Canvas& l, const Limb& a, bool front) {
    const float len = s_.sleeveLen;
    twoTone(l, a.root, a.joint, s_.armR, s_.sleeve, s_.skin, len);
    twoTone(l, a.joint, a.end, s_.armR, s_.sleeve, s_.skin, len - 1);
    if (front && s_.extra == Extra::KnightCape) sword(l, a);
    l.disc(p(a.end), r(s_.fistR), s_.hands);
  }

  void leg(Canvas& l, const Limb& g) {
    twoTone(l, g.root, g.joint, s_.legR, s_.pants, s_.skin, s_.pantsLen);
    twoTone(l, g.joint, g.end, s_.legR * 0.9f, s_.pants, s_.skin, s_.pantsLen - 1);
    stroke(l, g.end, g.tip, s_.footR, s_.shoes);
  }

  void trunk(Canvas& l) {
    const Pt neck = k_.neck, hip = k_.hip;
    const Pt side = across(neck, hip), down = unit(hip - neck);
    const Pt waist = lerp(neck, hip, 0.68f);
    stroke(l, neck, lerp(neck, headAt(), 0.4f), 1.1f, s_.skin);
    if (s_.skirt != Clear) {
      const Pt hem = hip + down * (2.0f + s_.flare * 0.5f);
      shape(l, {waist + side * s_.waist, waist - side * s_.waist, hem - side * (s_.hips + s_.flare),
                hem + side * (s_.hips + s_.flare)},
            s_.skirt);
    } else {
      const Pt seat = hip + down * 1.2f;
      shape(l, {waist + side * s_.waist, waist - side * s_.waist, seat - side * s_.hips, seat + side * s_.hips},
            s_.pants);
    }
    shape(l, {neck + down * 1.0f + side * s_.shoulder, neck + down * 1.0f - side * s_.shoulder,
              waist - side * s_.waist, waist + side * s_.waist},
          s_.top);
    l.disc(p(lerp(neck, hip, 0.15f) + side * (s_.shoulder - 1.2f)), r(1.6f), s_.top);
    l.disc(p(lerp(neck, hip, 0.15f) - side * (s_.shoulder - 1.2f)), r(1.6f), s_.top);
    switch (s_.chest) {
      case Chest::Plain:
        break;
      case Chest::Tie:
        stroke(l, neck + down * 1.5f, neck + down * 3.0f - side * 0.6f, 0.6f, s_.trim);
        break;
      case Chest::Apron: {
        const Pt bib = lerp(neck, waist, 0.45f) - side * 0.6f;
        shape(l, {bib + side * 1.3f, bib - side * 1.3f, hip + down * 2.5f - side * 2.0f, hip + down * 2.5f + side * 1.4f},
              s_.trim);
        break;
      }
      case Chest::Belly: {
        const Pt belly = p(lerp(neck, hip, 0.55f) - side * 1.2f);
        l.ellipse(belly, r(1.6f), r(3.2f), s_.trim);
        break;
      }
    }
    if (s_.extra == Extra::KnightCape) {
      const Pt top = lerp(neck, hip, 0.12f);
      l.disc(p(top + side * (s_.shoulder - 0.8f)), r(2.3f), s_.top);
      l.disc(p(top - side * (s_.shoulder - 0.8f)), r(2.3f), s_.top);
    }
    if (s_.belt != Clear) stroke(l, waist + side * s_.waist, waist - side * s_.waist, 0.6f, s_.belt);
  }

  void tail(Canvas& l) {
    const Pt h = k_.hip;
    const Pt path[] = {h + Pt{-1, 0.5f}, h + Pt{-4, 0}, h + Pt{-6.5f, -2.5f}, h + Pt{-7, -6}, h + Pt{-5.5f, -8.5f}};
    for (int i = 0; i + 1 < 5; ++i) stroke(l, path[i], path[i + 1], 1.0f, i % 2 ? Olive : s_.skin);
    l.disc(p(path[4]), r(1.1f), White);
  }

  void cape(Canvas& l) {
    const Pt n = k_.neck, h = k_.hip;
    const Pt down = unit(h - n), back = across(n, h);  // back points behind the fighter
    const Pt hem = h + down * 9.0f;
    Canvas c = f_.blank();
    if (k_.view == HeadView::Front)
      shape(c, {n + back * 3.5f, n - back * 3.5f, hem - back * 7.5f, hem + back * 7.5f}, Purple);
    else  // billowing out behind him
      shape(c, {n - back * 1.5f, n + back * 2.5f, n + back * 8.0f + down * 6.0f, n + back * 11.0f + down * 15.0f,
                hem + back * 4.0f, hem},
            Purple);
    // the hem stops at the floor
    c.fillRect(0, c.rowAt(p({0, 31}).y), c.width(), c.height(), Clear);
    c.lightEdge(0, -1, Purple);
    l.blit(c, 0, 0);
  }

  void sword(Canvas& l, const Limb& a) {
    const Pt dir = unit(a.end - a.joint);
    const Pt guard = {-dir.y, dir.x};
    stroke(l, a.end + dir * 1.5f, a.end + dir * 10.0f, 0.7f, White);
    stroke(l, a.end + guard * 2.2f, a.end - guard * 2.2f, 0.55f, Yellow);
  }

  // Glowing cracks in the matte black charcoal: short seams across the body, a yellow heart
  // between red ends, never on the lit rim.
  void embers(Canvas& l) const {
    const Canvas before = l;
    const auto deep = [&](int x, int y) {
      return before.at(x, y) == Black && before.solid(x - 2, y) && before.solid(x + 2, y) &&
             before.solid(x, y - 2) && before.solid(x, y + 2);
    };
    const int seam = std::max(3, int(std::lround(f_.scale() * 2)));
    for (int y = 2; y < l.height() - 2; ++y)
      for (int x = 2; x < l.width() - seam; ++x) {
        if (!deep(x, y) || !deep(x + seam, y) || noise(x, y, 11) % 70 != 0) continue;
        for (int i = 0; i < seam; ++i) l.set(x + i, y + (i > seam / 2), i == seam / 2 ? Yellow : Red);
      }
  }

  void dollJoints(Canvas& l) const {
    for (const Limb* limb : {&k_.backArm, &k_.frontArm, &k_.backLeg, &k_.frontLeg}) {
      const Pt j = p(limb->joint);
      const int x = int(std::lround(j.x)), y = l.rowAt(j.y);
      if (l.at(x, y) == s_.skin || l.at(x, y) == shadeOf(s_.skin)) {
        Canvas ball = f_.blank();
        ball.disc(j, r(0.7f), Grey);
        for (int yy = 0; yy < l.height(); ++yy)
          for (int xx = 0; xx < l.width(); ++xx)
            if (ball.solid(xx, yy) && l.at(xx, yy) != Black) l.paint(xx, yy, Grey);
      }
    }
  }

  const Style& s_;
  Skeleton k_;
  const LargeFrame& f_;
  bool sideFixed_;
  HeadArt head_;
  Canvas out_;
};

}  // namespace

Canvas drawLargeFighter(Fighter who, const Skeleton& pose, float scale, float pixelAspect, bool facingLeft) {
  const LargeFrame frame(scale, pixelAspect);
  Canvas right;
  switch (who) {
    case Daiganmen:
      right = drawLargeBigFace(pose, frame);
      break;
    case Hanii:
      right = drawLargeHanii(pose, frame);
      break;
    default: {
      const Style style = styleOf(who);
      right = LargeDresser(style, fitted(pose, style.height, style.width), frame, facingLeft).draw();
    }
  }
  return facingLeft ? right.mirrored() : right;
}

int middleColumn(const Canvas& c) {
  int left = c.width(), right = -1;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.solid(x, y)) left = std::min(left, x), right = std::max(right, x);
  return right < 0 ? c.width() / 2 : (left + right) / 2;
}

void standAt(Canvas& c, const Canvas& figure, int centreX, int floorY) {
  int feet = -1;
  for (int y = figure.height() - 1; y >= 0 && feet < 0; --y)
    for (int x = 0; x < figure.width(); ++x)
      if (figure.solid(x, y)) feet = y;
  c.blit(figure, centreX - middleColumn(figure), floorY - feet);
}

}  // namespace pictures

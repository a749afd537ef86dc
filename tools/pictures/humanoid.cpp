// Dresses a stick figure: limbs, trunk and head drawn as outlined, shaded layers.
#include <algorithm>
#include <cmath>
#include <utility>

#include "assets/picture_shapes.h"
#include "style.h"
#include "texture.h"

namespace pictures {

namespace {

constexpr int kCell = 32;

// How big a fighter's stick figure is drawn: display units per unit of the stick figure. The
// figures are laid out on a square grid; drawn at this size they fill the cell's height on screen
// with room left for the widest blows.
constexpr float kFigureScale = 1.15f;

// A stick figure in the cell's display units, grown by `scale` about the point between the feet.
Pt onCell(Pt p, float scale, float aspect) {
  constexpr float kMid = 15.5f, kFeet = 29;
  return {kMid + (p.x - kMid) * scale, kFeet * aspect - (kFeet - p.y) * scale};
}

Limb onCell(const Limb& l, float scale, float aspect) {
  return {onCell(l.root, scale, aspect), onCell(l.joint, scale, aspect), onCell(l.end, scale, aspect),
          onCell(l.tip, scale, aspect)};
}

Skeleton onCell(const Skeleton& s, float scale, float aspect) {
  Skeleton out = s;
  out.head = onCell(s.head, scale, aspect), out.neck = onCell(s.neck, scale, aspect);
  out.hip = onCell(s.hip, scale, aspect);
  out.backArm = onCell(s.backArm, scale, aspect), out.frontArm = onCell(s.frontArm, scale, aspect);
  out.backLeg = onCell(s.backLeg, scale, aspect), out.frontLeg = onCell(s.frontLeg, scale, aspect);
  return out;
}

// Every size of a build grown by the same scale as the stick figure.
Style grown(Style s, float scale) {
  for (float* n : {&s.headR, &s.shoulder, &s.waist, &s.hips, &s.armR, &s.legR, &s.fistR, &s.footR, &s.flare})
    *n *= scale;
  return s;
}

// Heads are painted on square pixels. Widening one by the pixel aspect, column by column about its
// centre, makes it round on screen while every row of the eyes and mouth is kept.
Canvas widened(const Canvas& art, int centre, float aspect) {
  Canvas out(art.width(), art.height(), Clear, aspect);
  for (int y = 0; y < art.height(); ++y)
    for (int x = 0; x < art.width(); ++x)
      out.set(x, y, art.at(centre + int(std::lround(float(x - centre) / aspect)), y));
  return out;
}


// Anything drawn on the cell's edge has run off it.
bool runsOff(const Canvas& c) {
  for (int i = 0; i < c.width(); ++i)
    if (c.solid(i, 0) || c.solid(0, i) || c.solid(c.width() - 1, i)) return true;
  return false;
}

Pt unit(Pt v) {
  const float len = std::sqrt(v.x * v.x + v.y * v.y);
  return len > 0 ? v * (1.0f / len) : Pt{0, 1};
}

Pt across(Pt a, Pt b) {
  const Pt d = unit(b - a);
  return {-d.y, d.x};
}

// Pixels on the back or the underside of a shape fall into shadow; shiny ones catch the light
// on the leading and upper edges, or only along the upper side of a fighter lying down or of a
// matte one.
void light(Canvas& layer, bool shine, Colour metal, bool upperOnly) {
  const Canvas before = layer;
  for (int y = 0; y < layer.height(); ++y)
    for (int x = 0; x < layer.width(); ++x) {
      if (!before.solid(x, y)) continue;
      if (!before.solid(x - 1, y) || !before.solid(x, y + 1))
        layer.set(x, y, shadeOf(before.at(x, y)));
      else if (shine && (metal == Clear || before.at(x, y) == metal) &&
               ((!upperOnly && !before.solid(x + 1, y)) || !before.solid(x, y - 1)))
        layer.set(x, y, lightOf(before.at(x, y)));
    }
}

void darkenAll(Canvas& layer) {
  for (int y = 0; y < layer.height(); ++y)
    for (int x = 0; x < layer.width(); ++x) layer.paint(x, y, shadeOf(layer.at(x, y)));
}

// A stroke that changes colour part way: `split` in 0..1 of its length is in `first`.
void twoTone(Canvas& c, Pt a, Pt b, float r, Colour first, Colour rest, float split) {
  c.capsule(a, b, r, rest);
  if (split > 0) c.capsule(a, lerp(a, b, std::min(split, 1.0f)), r, first);
}

class Dresser {
 public:
  // The style's sizes and the skeleton are in the cell's display units; scale is what they were
  // grown by, for the few fixed lengths of tails, capes and swords.
  // Without gear the cape and sword are left off: the body alone decides how big a pose can be.
  Dresser(const Style& s, const Skeleton& k, bool sideFixed, float scale, float aspect, bool gear = true)
      : s_(s),
        k_(k),
        sideFixed_(sideFixed),
        gear_(gear),
        scale_(scale),
        aspect_(aspect),
        out_(kCell, kCell, Clear, aspect) {}

  Canvas draw() {
    const bool front = k_.view == HeadView::Front;
    if (!front) {
      // seen from the side the near shoulder is on the chest's leading edge
      const Pt side = across(k_.neck, k_.hip), top = lerp(k_.neck, k_.hip, 0.14f);
      k_.frontArm.root = top - side * (s_.shoulder - 1.4f);
      k_.backArm.root = top + side * (s_.shoulder * 0.3f);
    }
    head_ = drawHeadShown(s_.head, s_.headR, k_.view, k_.mood, sideFixed_, aspect_);
    if (s_.extra == Extra::KnightCape && gear_) add([&](Canvas& l) { cape(l); }, false);
    if (s_.extra == Extra::DollJoints && !front) add([&](Canvas& l) { windUpKey(l); }, false);
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
    Canvas layer(kCell, kCell, Clear, aspect_);
    paint(layer);
    if (back) darkenAll(layer);
    // charcoal is matte: only its upper edges catch a dull sheen
    light(layer, s_.shine, s_.metal, k_.view == HeadView::FaceUp || s_.extra == Extra::CharcoalEmbers);
    if (s_.extra == Extra::CharcoalEmbers) embers(layer);
    const Canvas shape = layer;
    layer.outline();
    if (s_.contour != Black) contours(layer, shape);
    if (s_.extra == Extra::DollJoints) dollJoints(layer);
    out_.blit(layer, 0, 0);
  }

  // Where a part's outline falls inside the figure drawn so far it is the line between two parts,
  // drawn in the contour colour so that a black limb stays apart from the black body it crosses.
  // A lit rim of the same colour next to the line, on either part, falls back into shade, so
  // that each edge shows one line and not a band.
  void contours(Canvas& layer, const Canvas& shape) const {
    const auto inside = [&](int x, int y) { return out_.solid(x, y) || shape.solid(x, y); };
    Canvas lines(kCell, kCell, Clear, aspect_);
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x)
        if (layer.solid(x, y) && !shape.solid(x, y) && out_.solid(x, y) && inside(x - 1, y) &&
            inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1))
          lines.set(x, y, s_.contour);
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) {
        if (!lines.solid(x, y)) continue;
        layer.set(x, y, s_.contour);
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          const int nx = x + dx, ny = y + dy;
          if (lines.solid(nx, ny)) continue;
          const bool rim = shape.solid(nx, ny) ? layer.at(nx, ny) == s_.contour
                                               : !layer.solid(nx, ny) && out_.at(nx, ny) == s_.contour;
          if (rim) layer.set(nx, ny, shadeOf(s_.contour));
        }
      }
  }

  void placeHead(const Canvas& art) {
    const int x = int(std::lround(headAt().x)) - head_.centre;
    const int y = out_.rowAt(headAt().y) - head_.centre;
    out_.blit(art, x, y);
  }

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
    if (front && s_.extra == Extra::KnightCape && gear_) sword(l, a);
    l.disc(a.end, s_.fistR, s_.hands);
  }

  void leg(Canvas& l, const Limb& g) {
    twoTone(l, g.root, g.joint, s_.legR, s_.pants, s_.skin, s_.pantsLen);
    twoTone(l, g.joint, g.end, s_.legR * 0.9f, s_.pants, s_.skin, s_.pantsLen - 1);
    l.capsule(g.end, g.tip, s_.footR, s_.shoes);
  }

  void trunk(Canvas& l) {
    const Pt neck = k_.neck, hip = k_.hip;
    const Pt side = across(neck, hip), down = unit(hip - neck);
    const Pt waist = lerp(neck, hip, 0.68f);
    l.capsule(neck, lerp(neck, headAt(), 0.4f), 1.1f, s_.skin);
    if (s_.skirt != Clear) {
      const Pt hem = hip + down * (2.0f + s_.flare * 0.5f);
      const Pt skirt[] = {waist + side * s_.waist, waist - side * s_.waist, hem - side * (s_.hips + s_.flare),
                          hem + side * (s_.hips + s_.flare)};
      l.polygon(skirt, s_.skirt);
    } else {
      const Pt seat = hip + down * 1.2f;
      const Pt pelvis[] = {waist + side * s_.waist, waist - side * s_.waist, seat - side * s_.hips,
                           seat + side * s_.hips};
      l.polygon(pelvis, s_.pants);
    }
    const Pt chest[] = {neck + down * 1.0f + side * s_.shoulder, neck + down * 1.0f - side * s_.shoulder,
                        waist - side * s_.waist, waist + side * s_.waist};
    l.polygon(chest, s_.top);
    l.disc(lerp(neck, hip, 0.15f) + side * (s_.shoulder - 1.2f), 1.6f, s_.top);
    l.disc(lerp(neck, hip, 0.15f) - side * (s_.shoulder - 1.2f), 1.6f, s_.top);
    switch (s_.chest) {
      case Chest::Plain:
        break;
      case Chest::Tie:
        l.capsule(neck + down * 1.5f, neck + down * 3.0f - side * 0.6f, 0.6f, s_.trim);
        break;
      case Chest::Apron: {
        const Pt bib = lerp(neck, waist, 0.45f) - side * 0.6f;
        const Pt apron[] = {bib + side * 1.3f, bib - side * 1.3f, hip + down * 2.5f - side * 2.0f,
                            hip + down * 2.5f + side * 1.4f};
        l.polygon(apron, s_.trim);
        break;
      }
      case Chest::Belly:
        l.ellipse(lerp(neck, hip, 0.55f) - side * 1.2f, 1.6f, 3.2f, s_.trim);
        break;
    }
    if (s_.extra == Extra::KnightCape) {
      const Pt top = lerp(neck, hip, 0.12f);
      l.disc(top + side * (s_.shoulder - 0.8f), 2.3f, s_.top);
      l.disc(top - side * (s_.shoulder - 0.8f), 2.3f, s_.top);
    }
    if (s_.belt != Clear) l.capsule(waist + side * s_.waist, waist - side * s_.waist, 0.6f, s_.belt);
  }

  void tail(Canvas& l) {
    const Pt h = k_.hip;
    const float k = scale_;
    const Pt path[] = {h + Pt{-1, 0.5f} * k, h + Pt{-4, 0} * k, h + Pt{-6.5f, -2.5f} * k, h + Pt{-7, -6} * k,
                       h + Pt{-5.5f, -8.5f} * k};
    for (int i = 0; i + 1 < 5; ++i) l.capsule(path[i], path[i + 1], 1.0f * k, i % 2 ? Olive : s_.skin);
    l.disc(path[4], 1.1f * k, White);
  }

  void cape(Canvas& l) {
    const Pt n = k_.neck, h = k_.hip;
    const Pt down = unit(h - n), back = across(n, h);  // back points behind the fighter
    const float k = scale_;
    const Pt hem = h + down * (9.0f * k);
    Canvas c(kCell, kCell, Clear, aspect_);
    if (k_.view == HeadView::Front) {
      const Pt cloth[] = {n + back * (3.5f * k), n - back * (3.5f * k), hem - back * (7.5f * k),
                          hem + back * (7.5f * k)};
      c.polygon(cloth, Purple);
    } else {
      // billowing out behind him
      const Pt cloth[] = {n - back * (1.5f * k),
                          n + back * (2.5f * k),
                          n + (back * 8.0f + down * 6.0f) * k,
                          n + (back * 11.0f + down * 15.0f) * k,
                          hem + back * (4.0f * k),
                          hem};
      c.polygon(cloth, Purple);
    }
    c.fillRect(0, 31, kCell, 1, Clear);
    c.lightEdge(0, -1, Purple);
    l.blit(c, 0, 0);
  }

  void sword(Canvas& l, const Limb& a) {
    const Pt dir = unit(a.end - a.joint);
    const Pt guard = {-dir.y, dir.x};
    const float k = scale_;
    l.capsule(a.end + dir * (1.5f * k), a.end + dir * (10.0f * k), 0.7f * k, White);
    l.capsule(a.end + guard * (2.2f * k), a.end - guard * (2.2f * k), 0.55f * k, Yellow);
  }

  // Glowing cracks in the charcoal: short jagged seams, yellow at the heart, red and then
  // dull maroon towards their ends. They run across rather than down, so each shows as
  // an even streak. Only the dark body is cracked, never its lit rim.
  void embers(Canvas& l) {
    const Canvas before = l;
    auto deep = [&](int x, int y) {
      return before.at(x, y) == Black && before.solid(x - 1, y) && before.solid(x + 1, y) &&
             before.solid(x, y - 1) && before.solid(x, y + 1);
    };
    for (int y = 1; y < kCell - 1; ++y)
      for (int x = 1; x < kCell - 1; ++x) {
        if (!deep(x, y) || !deep(x + 1, y) || noise(x, y, 11) % 9 != 0) continue;
        const int dy = noise(x, y, 12) % 2 ? 1 : -1;  // which way the seam jags
        if (!deep(x + 2, y + dy) || l.at(x - 1, y) != Black) continue;
        l.set(x, y, Red);
        l.set(x + 1, y, Yellow);
        l.set(x + 2, y + dy, Red);
        if (deep(x + 3, y + dy)) l.set(x + 3, y + dy, Maroon);
      }
  }

  // The wind-up key in her back: a stem between the shoulder blades and a bow of two lobes
  // standing well clear of her, polished like the rest of her iron.
  void windUpKey(Canvas& l) {
    const Pt back = across(k_.neck, k_.hip), up = unit(k_.neck - k_.hip);
    const Pt root = lerp(k_.neck, k_.hip, 0.25f) + back * (s_.shoulder - 1.0f);
    const float k = scale_;
    const Pt bow = root + back * (4.5f * k);
    l.capsule(root, bow, 0.5f * k, Grey);
    l.disc(bow + back * (0.8f * k) + up * (1.8f * k), 1.4f * k, Silver);
    l.disc(bow + back * (0.8f * k) - up * (1.8f * k), 1.4f * k, Silver);
  }

  // Riveted joints: a grey rivet head at each elbow and knee, with a white glint on top.
  void dollJoints(Canvas& l) {
    for (const Limb* limb : {&k_.backArm, &k_.frontArm, &k_.backLeg, &k_.frontLeg}) {
      const int x = int(std::lround(limb->joint.x)), y = l.rowAt(limb->joint.y);
      const Colour c = l.at(x, y);
      if (c != s_.skin && c != shadeOf(s_.skin) && c != lightOf(s_.skin)) continue;
      l.set(x, y, Grey);
      if (l.solid(x, y - 1) && l.at(x, y - 1) != Black) l.set(x, y - 1, White);
    }
  }

  const Style& s_;
  Skeleton k_;
  bool sideFixed_;
  bool gear_;
  float scale_;
  float aspect_;
  HeadArt head_;
  Canvas out_;
};

}  // namespace

HeadArt drawHeadShown(HeadKind kind, float r, HeadView view, Mood mood, bool sideFixed, float aspect) {
  HeadArt art = drawHead(kind, r / aspect, view, mood, sideFixed);
  art.behind = widened(art.behind, art.centre, aspect);
  art.front = widened(art.front, art.centre, aspect);
  return art;
}

Canvas drawHumanoid(const Style& style, const Skeleton& pose, bool sideFixed) {
  return drawHumanoid(style, pose, sideFixed, float(mojara::assets::kFighterShape.pixelAspect()));
}

Canvas drawHumanoid(const Style& style, const Skeleton& pose, bool sideFixed, float aspect) {
  const Skeleton k = fitted(pose, style.height, style.width);
  // the widest blows are drawn a little smaller rather than cut off at the cell's edge; a cape or a
  // sword may trail off it
  float scale = kFigureScale;
  while (scale > 0.7f &&
         runsOff(Dresser(grown(style, scale), onCell(k, scale, aspect), sideFixed, scale, aspect, false).draw()))
    scale *= 0.96f;
  return Dresser(grown(style, scale), onCell(k, scale, aspect), sideFixed, scale, aspect).draw();
}

}  // namespace pictures

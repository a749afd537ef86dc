// Dresses a stick figure: limbs, trunk and head drawn as outlined, shaded layers.
#include <cmath>

#include "style.h"
#include "texture.h"

namespace pictures {

namespace {

constexpr int kCell = 32;

Pt unit(Pt v) {
  const float len = std::sqrt(v.x * v.x + v.y * v.y);
  return len > 0 ? v * (1.0f / len) : Pt{0, 1};
}

Pt across(Pt a, Pt b) {
  const Pt d = unit(b - a);
  return {-d.y, d.x};
}

// Pixels on the back or the underside of a shape fall into shadow; shiny ones catch the light
// on the leading and upper edges, or only along the upper side of a fighter lying down.
void light(Canvas& layer, bool shine, Colour metal, bool lying) {
  const Canvas before = layer;
  for (int y = 0; y < layer.height(); ++y)
    for (int x = 0; x < layer.width(); ++x) {
      if (!before.solid(x, y)) continue;
      if (!before.solid(x - 1, y) || !before.solid(x, y + 1))
        layer.set(x, y, shadeOf(before.at(x, y)));
      else if (shine && (metal == Clear || before.at(x, y) == metal) &&
               ((!lying && !before.solid(x + 1, y)) || !before.solid(x, y - 1)))
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
  Dresser(const Style& s, const Skeleton& k, bool sideFixed) : s_(s), k_(k), sideFixed_(sideFixed) {}

  Canvas draw() {
    const bool front = k_.view == HeadView::Front;
    if (!front) {
      // seen from the side the near shoulder is on the chest's leading edge
      const Pt side = across(k_.neck, k_.hip), top = lerp(k_.neck, k_.hip, 0.14f);
      k_.frontArm.root = top - side * (s_.shoulder - 1.4f);
      k_.backArm.root = top + side * (s_.shoulder * 0.3f);
    }
    head_ = drawHead(s_.head, s_.headR, k_.view, k_.mood, sideFixed_);
    if (s_.extra == Extra::KnightCape) add([&](Canvas& l) { cape(l); }, false);
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
    Canvas layer(kCell, kCell);
    paint(layer);
    if (back) darkenAll(layer);
    light(layer, s_.shine, s_.metal, k_.view == HeadView::FaceUp);
    if (s_.extra == Extra::CharcoalEmbers) embers(layer);
    layer.outline();
    if (s_.extra == Extra::DollJoints) dollJoints(layer);
    out_.blit(layer, 0, 0);
  }

  void placeHead(const Canvas& art) {
    const int x = int(std::lround(headAt().x)) - head_.centre;
    const int y = int(std::lround(headAt().y)) - head_.centre;
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
    if (front && s_.extra == Extra::KnightCape) sword(l, a);
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
    const Pt path[] = {h + Pt{-1, 0.5f}, h + Pt{-4, 0}, h + Pt{-6.5f, -2.5f}, h + Pt{-7, -6},
                       h + Pt{-5.5f, -8.5f}};
    for (int i = 0; i + 1 < 5; ++i) l.capsule(path[i], path[i + 1], 1.0f, i % 2 ? Olive : s_.skin);
    l.disc(path[4], 1.1f, White);
  }

  void cape(Canvas& l) {
    const Pt n = k_.neck, h = k_.hip;
    const Pt down = unit(h - n), back = across(n, h);  // back points behind the fighter
    const Pt hem = h + down * 9.0f;
    Canvas c(kCell, kCell);
    if (k_.view == HeadView::Front) {
      const Pt cloth[] = {n + back * 3.5f, n - back * 3.5f, hem - back * 7.5f, hem + back * 7.5f};
      c.polygon(cloth, Purple);
    } else {
      // billowing out behind him
      const Pt cloth[] = {n - back * 1.5f,
                          n + back * 2.5f,
                          n + back * 8.0f + down * 6.0f,
                          n + back * 11.0f + down * 15.0f,
                          hem + back * 4.0f,
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
    l.capsule(a.end + dir * 1.5f, a.end + dir * 10.0f, 0.7f, White);
    l.capsule(a.end + guard * 2.2f, a.end - guard * 2.2f, 0.55f, Yellow);
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
    const Pt bow = root + back * 4.5f;
    l.capsule(root, bow, 0.5f, Grey);
    l.disc(bow + back * 0.8f + up * 1.8f, 1.4f, Silver);
    l.disc(bow + back * 0.8f - up * 1.8f, 1.4f, Silver);
  }

  // Riveted joints: a grey rivet head at each elbow and knee, with a white glint on top.
  void dollJoints(Canvas& l) {
    for (const Limb* limb : {&k_.backArm, &k_.frontArm, &k_.backLeg, &k_.frontLeg}) {
      const int x = int(std::lround(limb->joint.x)), y = int(std::lround(limb->joint.y));
      const Colour c = l.at(x, y);
      if (c != s_.skin && c != shadeOf(s_.skin) && c != lightOf(s_.skin)) continue;
      l.set(x, y, Grey);
      if (l.solid(x, y - 1) && l.at(x, y - 1) != Black) l.set(x, y - 1, White);
    }
  }

  const Style& s_;
  Skeleton k_;
  bool sideFixed_;
  HeadArt head_;
  Canvas out_{kCell, kCell};
};

}  // namespace

Canvas drawHumanoid(const Style& style, const Skeleton& pose, bool sideFixed) {
  const Skeleton k = fitted(pose, style.height, style.width);
  return Dresser(style, k, sideFixed).draw();
}

}  // namespace pictures

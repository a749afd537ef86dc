// Heads of the cast: hair, ears, helmets and faces, drawn at any size so the
// same code serves the sprites and the portraits.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "style.h"

namespace pictures {

namespace {

class HeadPainter {
 public:
  HeadPainter(float r, HeadView view, Mood mood, bool sideFixed, float aspect)
      : r_(r),
        a_(aspect),
        k_(r / 4.5f),
        front_(view == HeadView::Front),
        mood_(mood),
        sideFixed_(sideFixed),
        c_(int(std::ceil(r)) + 10),
        head_(2 * c_ + 1, 2 * c_ + 1, Clear, aspect),
        behind_(2 * c_ + 1, 2 * c_ + 1, Clear, aspect) {}

  HeadArt paint(HeadKind kind) {
    switch (kind) {
      case HeadKind::Daisaku:
        daisaku();
        break;
      case HeadKind::Miyo:
        miyo();
        break;
      case HeadKind::Cat:
        cat();
        break;
      case HeadKind::Doll:
        doll();
        break;
      case HeadKind::Knight:
        knight();
        break;
      case HeadKind::Charcoal:
        charcoal();
        break;
    }
    return {behind_, head_, c_};
  }

 private:
  // Where the eyes go: both in a front view, the near one from the side.
  std::vector<float> spots(std::vector<float> frontView, std::vector<float> sideView) const {
    return front_ ? frontView : sideView;
  }

  // Unit head coordinates: (0, 0) is the centre, 1 is the radius, +u is the face side, and the
  // radius is the same on screen across and down: at() gives display units, px() the column of
  // a u and py() the row of a v. The centre is pixel (c_, c_).
  Pt at(float u, float v) const { return {c_ + u * r_, c_ * a_ + v * r_}; }
  int px(float u) const { return int(std::lround(c_ + u * r_)); }
  int py(float v) const { return c_ + int(std::lround(v * r_ / a_)); }
  // How far a pixel lies below the centre, in radii as seen on screen.
  float below(int y) const { return float(y - c_) * a_ / r_; }
  int size(float n) const { return std::max(1, int(std::lround(n * k_))); }
  int rows(float n) const { return std::max(1, int(std::lround(n * k_ / a_))); }
  void block(Canvas& c, float u, float v, float w, float h, Colour col) const {
    c.fillRect(px(u), py(v), size(w), rows(h), col);
  }
  void poly(Canvas& c, std::initializer_list<Pt> unitCorners, Colour col) const {
    std::vector<Pt> pts;
    for (Pt p : unitCorners) pts.push_back(at(p.x, p.y));
    c.polygon(pts, col);
  }
  // Keeps only the part of a hair shape that lies on or around the skull.
  void capHair(Canvas& hair, float below) const {
    for (int y = 0; y < hair.height(); ++y)
      for (int x = 0; x < hair.width(); ++x)
        if (this->below(y) > below) hair.set(x, y, Clear);
  }
  // A shut eye. Drawn large, a glad one is a thin upturned arc, as a smile of the eyes; a bar that
  // size reads as a mask. At sprite size it stays a short dash.
  void shutEye(float u, float v) {
    if (mood_ != Mood::Glad || k_ <= 1.5f) {
      block(head_, u, v, 2, 1, Black);
      return;
    }
    const int x0 = px(u), w = size(2), bottom = py(v) + rows(1) - 1;
    for (int i = 0; i < w; ++i) head_.set(x0 + i, (i == 0 || i == w - 1) ? bottom : bottom - 1, Black);
  }

  static void finish(Canvas& c) {
    const Canvas before = c;
    for (int y = 0; y < c.height(); ++y)
      for (int x = 0; x < c.width(); ++x)
        if (before.solid(x, y) && !before.solid(x, y + 1)) c.set(x, y, shadeOf(before.at(x, y)));
    c.outline();
  }

  // Eyes and mouth of a human face, in the colours given.
  void face(Colour eye, Colour lips, Colour skin) {
    const bool glad = mood_ == Mood::Glad, hurt = mood_ == Mood::Hurt, shout = mood_ == Mood::Shout;
    constexpr float e = 0.42f;
    for (float u : spots({-e, e - 0.2f}, {e})) {
      if (hurt || glad) {
        shutEye(u - 0.05f, 0.05f);
      } else {
        block(head_, u, -0.2f, 1.3f, 2.3f, eye);
        if (k_ > 1.5f) head_.set(px(u), py(-0.15f), White);
      }
      if (shout) block(head_, u - 0.2f, -0.42f, 2, 1, Black);
    }
    const float mu = front_ ? -0.05f : 0.62f;
    if (shout || hurt || glad) {
      block(head_, mu, 0.5f, 2, 1, Black);
      if (k_ > 1.5f || !hurt) block(head_, mu, 0.5f + 0.25f, 1, 1, Red);
    } else {
      block(head_, mu, 0.55f, front_ ? 2 : 1, 1, lips);
    }
    if (!front_) head_.set(px(-0.05f), py(0.25f), shadeOf(skin));
  }

  void hairHighlight(Colour hair, float u, float v) {
    // the light falls from the upper left of the screen whichever way the fighter faces
    const float side = sideFixed_ ? -u : u;
    for (int i = 0; i < size(2); ++i) {
      const int x = px(side) + (sideFixed_ ? -i : i), y = py(v) + i;
      if (head_.at(x, y) == hair) head_.set(x, y, lightOf(hair));
    }
  }

  void daisaku() {
    head_.disc(at(0, 0), r_, White);
    Canvas hair(head_.width(), head_.height());
    if (front_) {
      hair.ellipse(at(0, -0.45f), r_ * 1.05f, r_ * 0.6f, Black);
      poly(hair, {{-1.0f, -0.4f}, {-0.3f, -0.9f}, {-1.3f, -1.25f}}, Black);
      poly(hair, {{-0.5f, -0.8f}, {0.3f, -0.8f}, {-0.1f, -1.4f}}, Black);
      poly(hair, {{0.0f, -0.8f}, {0.9f, -0.6f}, {0.7f, -1.35f}}, Black);
      poly(hair, {{0.6f, -0.6f}, {1.0f, -0.3f}, {1.3f, -0.95f}}, Black);
      capHair(hair, -0.3f);
    } else {
      hair.disc(at(-0.15f, -0.2f), r_ * 0.98f, Black);
      poly(hair, {{-0.9f, -0.3f}, {-0.5f, -0.85f}, {-1.6f, -0.95f}}, Black);
      poly(hair, {{-0.6f, -0.7f}, {0.1f, -0.95f}, {-0.6f, -1.4f}}, Black);
      poly(hair, {{-0.05f, -0.9f}, {0.7f, -0.7f}, {0.4f, -1.35f}}, Black);
      poly(hair, {{0.4f, -0.8f}, {1.0f, -0.45f}, {1.15f, -0.95f}}, Black);
      for (int y = 0; y < hair.height(); ++y)
        for (int x = 0; x < hair.width(); ++x)
          if (float(x - c_) / r_ > -0.35f && below(y) > -0.45f) hair.set(x, y, Clear);
      capHair(hair, 0.55f);
    }
    head_.blit(hair, 0, 0);
    // headband with its tails flying behind
    for (int x = 0; x < head_.width(); ++x) head_.paint(x, py(-0.42f), Red);
    if (!front_) {
      head_.line(at(-1.0f, -0.42f), at(-1.7f, -0.2f), Red);
      head_.line(at(-1.0f, -0.3f), at(-1.5f, 0.3f), Red);
    }
    hairHighlight(Black, -0.35f, -0.75f);
    finish(head_);
    face(Black, Silver, White);
  }

  void miyo() {
    head_.disc(at(0, 0), r_, White);
    Canvas hair(head_.width(), head_.height());
    if (front_) {
      hair.ellipse(at(0, -0.3f), r_ * 1.1f, r_ * 0.8f, Maroon);
      poly(hair, {{-1.15f, -0.3f}, {-0.6f, -0.3f}, {-0.75f, 1.4f}, {-1.25f, 1.4f}}, Maroon);
      poly(hair, {{1.15f, -0.3f}, {0.6f, -0.3f}, {0.75f, 1.4f}, {1.25f, 1.4f}}, Maroon);
      capHair(hair, 1.5f);
      for (int y = py(-0.25f); y < py(0.5f); ++y)
        for (int x = px(-0.6f); x <= px(0.6f); ++x) hair.set(x, y, Clear);
    } else {
      hair.disc(at(-0.2f, -0.15f), r_ * 1.0f, Maroon);
      poly(hair, {{0.0f, -0.95f}, {0.95f, -0.45f}, {0.8f, -0.05f}, {0.2f, -0.5f}}, Maroon);
      for (int y = 0; y < hair.height(); ++y)
        for (int x = 0; x < hair.width(); ++x)
          if (float(x - c_) / r_ > -0.2f && below(y) > -0.35f) hair.set(x, y, Clear);
      capHair(hair, 0.9f);
      // the long hair falls down her back
      poly(behind_, {{-1.05f, -0.4f}, {-0.1f, 0.2f}, {-0.5f, 2.5f}, {-1.5f, 2.3f}}, Maroon);
      finish(behind_);
    }
    head_.blit(hair, 0, 0);
    head_.disc(at(-0.75f, -0.75f), 0.5f * k_ + 0.4f, Yellow);
    hairHighlight(Maroon, -0.3f, -0.8f);
    finish(head_);
    face(Black, Red, White);
  }

  void cat() {
    head_.disc(at(0, 0), r_, Yellow);
    if (front_) {
      poly(head_, {{-0.95f, -0.3f}, {-0.25f, -0.85f}, {-0.85f, -1.55f}}, Yellow);
      poly(head_, {{0.95f, -0.3f}, {0.25f, -0.85f}, {0.85f, -1.55f}}, Yellow);
      head_.ellipse(at(0, 0.45f), r_ * 0.55f, r_ * 0.4f, White);
    } else {
      poly(head_, {{-0.8f, -0.45f}, {-0.15f, -0.95f}, {-0.7f, -1.6f}}, Yellow);
      poly(head_, {{0.05f, -0.95f}, {0.7f, -0.65f}, {0.4f, -1.6f}}, Yellow);
      head_.ellipse(at(0.55f, 0.4f), r_ * 0.6f, r_ * 0.42f, White);
    }
    for (float u : {-0.3f, 0.0f, 0.3f}) block(head_, u, -0.85f, 1, 2, Olive);
    finish(head_);
    const float ears = front_ ? 0.7f : 0.45f;
    head_.paint(px(ears), py(-1.05f), Fuchsia);
    if (front_) head_.paint(px(-ears), py(-1.05f), Fuchsia);
    const bool closed = mood_ == Mood::Hurt || mood_ == Mood::Glad;
    for (float u : spots({-0.42f, 0.3f}, {0.35f})) {
      if (closed) {
        shutEye(u - 0.1f, 0.0f);
      } else {
        block(head_, u, -0.2f, 1.3f, 2.3f, Black);
        head_.paint(px(u) - 1, py(-0.2f), Green);
      }
    }
    const float nose = front_ ? 0.0f : 0.95f;
    head_.paint(px(nose), py(0.15f), Fuchsia);
    if (mood_ != Mood::Calm) block(head_, nose - 0.2f, 0.55f, 2, 1, Red);
    // whiskers poke out past the cheeks
    const float w = front_ ? 1.05f : 1.0f;
    head_.set(px(w) + 1, py(0.3f), Black);
    head_.set(px(w) + 1, py(0.6f), Black);
    if (front_) {
      head_.set(px(-w) - 1, py(0.3f), Black);
      head_.set(px(-w) - 1, py(0.6f), Black);
    }
    // red collar with its bell
    head_.capsule(at(-0.4f, 1.05f), at(0.45f, 1.05f), 0.55f * k_, Red);
    head_.set(px(front_ ? 0.0f : 0.45f), py(1.25f), Yellow);
  }

  void doll() {
    head_.disc(at(0, 0), r_, Silver);
    // polished iron: the face's lit rim shines white
    const Canvas face = head_;
    for (int y = 0; y < head_.height(); ++y)
      for (int x = 0; x < head_.width(); ++x)
        if (face.solid(x, y) && !face.solid(x + 1, y) && below(y) > -0.2f && below(y) < 0.6f)
          head_.set(x, y, White);
    Canvas hair(head_.width(), head_.height());
    hair.ellipse(at(front_ ? 0.0f : -0.15f, -0.35f), r_ * 1.05f, r_ * 0.75f, Yellow);
    capHair(hair, -0.2f);
    head_.blit(hair, 0, 0);
    if (front_) {
      for (float u : {-1.05f, 1.05f})
        for (float v : {0.2f, 0.85f}) behind_.disc(at(u, v), r_ * 0.33f, Yellow);
    } else {
      for (Pt p : {Pt{-0.95f, 0.15f}, Pt{-0.85f, 0.8f}, Pt{-0.35f, 1.05f}})
        behind_.disc(at(p.x, p.y), r_ * 0.34f, Yellow);
    }
    finish(behind_);
    // a big bow on top
    if (front_) {
      poly(head_, {{-0.75f, -1.35f}, {0.0f, -1.0f}, {-0.75f, -0.7f}}, Fuchsia);
      poly(head_, {{0.75f, -1.35f}, {0.0f, -1.0f}, {0.75f, -0.7f}}, Fuchsia);
    } else {  // tied at the back of the head
      poly(head_, {{-0.45f, -1.4f}, {-0.75f, -0.75f}, {-0.2f, -0.95f}}, Fuchsia);
      poly(head_, {{-1.35f, -0.35f}, {-0.75f, -0.75f}, {-1.1f, -0.05f}}, Fuchsia);
    }
    finish(head_);
    const bool closed = mood_ == Mood::Hurt || mood_ == Mood::Glad;
    for (float u : spots({-0.45f, 0.3f}, {0.35f})) {
      if (closed) {
        shutEye(u - 0.1f, 0.0f);
      } else {
        block(head_, u, -0.2f, 1.3f, 2.3f, Blue);
        head_.set(px(u) + (front_ ? 0 : 1), py(-0.2f), Black);
        head_.set(px(u), py(-0.2f) - 1, Black);
      }
      head_.set(px(u + 0.15f), py(0.45f), Red);
    }
    head_.set(px(front_ ? 0.0f : 0.75f), py(0.65f), Red);
    // the rivets that hold her jaw on
    for (float u : spots({-0.75f, 0.75f}, {-0.45f})) {
      head_.set(px(u), py(0.55f), Grey);
      if (k_ > 1.5f) head_.set(px(u), py(0.55f) - 1, White);
    }
  }

  void knight() {
    head_.disc(at(0, 0), r_, Grey);
    if (!front_) poly(head_, {{0.1f, 0.2f}, {1.05f, 0.15f}, {0.9f, 0.95f}, {0.0f, 1.05f}}, Grey);
    // horns curling up from the temples
    for (float u : spots({-0.65f, 0.65f}, {-0.35f, 0.45f})) {
      const float out = front_ ? (u < 0 ? -0.45f : 0.45f) : 0.3f;
      head_.capsule(at(u, -0.6f), at(u + out * 0.5f, -1.2f), 0.7f * k_, Silver);
      head_.capsule(at(u + out * 0.5f, -1.2f), at(u + out, -1.5f), 0.45f * k_, White);
    }
    const Canvas shape = head_;
    for (int y = 0; y < head_.height(); ++y)
      for (int x = 0; x < head_.width(); ++x)
        if (shape.at(x, y) == Grey && !shape.solid(x - (front_ ? 0 : 1), y))
          head_.set(x, y, Black);
        else if (shape.at(x, y) == Grey && (!shape.solid(x, y - 1) || !shape.solid(x + 1, y)))
          head_.set(x, y, Silver);
    finish(head_);
    // the visor slit and the glint of the eyes inside it
    for (int x = px(front_ ? -0.75f : 0.05f); x <= px(front_ ? 0.75f : 1.05f); ++x)
      head_.paint(x, py(0.05f), Black);
    for (float u : spots({-0.4f, 0.35f}, {0.55f})) head_.set(px(u), py(0.05f), Red);
    if (!front_)
      for (float v : {0.45f, 0.7f}) head_.paint(px(0.8f), py(v), Black);
    head_.paint(px(sideFixed_ ? 0.35f : -0.35f), py(-0.55f), White);
  }

  // A lump of charcoal: matte black, a grey sheen only where its top and face catch the light,
  // a glowing crack down the back of the skull and eyes burning white-hot.
  void charcoal() {
    head_.disc(at(0, 0), r_, Black);
    // a few chipped facets break the round outline of a sprite's head; drawn large they would
    // stand up like ears, so a large head stays round
    if (k_ <= 1.5f)
      for (Pt p : {Pt{-0.75f, -0.7f}, Pt{0.35f, -0.95f}, Pt{-1.0f, 0.2f}})
        head_.disc(at(p.x, p.y), r_ * 0.2f, Black);
    const Canvas lump = head_;
    for (int y = 0; y < head_.height(); ++y)
      for (int x = 0; x < head_.width(); ++x)
        if (lump.solid(x, y) && (!lump.solid(x, y - 1) || !lump.solid(x + 1, y))) head_.set(x, y, Grey);
    if (k_ > 1.5f)  // big enough for the sheen to show a brighter glint
      head_.paint(px(-0.25f), py(-0.95f), Silver);
    finish(head_);
    // the crack: red round a yellow core, running down the back of the skull
    const Pt crack[] = {at(-0.3f, -0.85f), at(-0.5f, -0.45f), at(-0.35f, -0.1f), at(-0.6f, 0.3f)};
    for (int i = 0; i + 1 < 4; ++i) head_.line(crack[i], crack[i + 1], Red);
    head_.set(px(-0.5f), py(-0.45f), Yellow);
    if (k_ > 1.5f) head_.set(px(-0.35f), py(-0.1f), Yellow);
    // the eyes burn white-hot, screwed shut or wide open
    const bool closed = mood_ == Mood::Hurt || mood_ == Mood::Glad;
    for (float u : spots({-0.45f, 0.3f}, {0.4f})) {
      block(head_, u - (closed ? 0.05f : 0.0f), closed ? 0.0f : -0.15f, closed ? 2.0f : 1.3f,
            closed ? 1.0f : 2.0f, White);
      head_.set(px(u) + size(closed ? 2.0f : 1.3f), py(closed ? 0.0f : -0.15f) + rows(closed ? 0.1f : 1.0f),
                Yellow);  // the glow round the white
    }
    // the mouth glows like the cracks
    const float mu = front_ ? -0.2f : 0.45f;
    const int wide = mood_ == Mood::Calm ? 2 : 3;
    block(head_, mu, 0.5f, float(wide), mood_ == Mood::Calm ? 1.0f : 1.6f, Red);
    head_.set(px(mu) + size(1), py(0.5f), mood_ == Mood::Calm ? Red : Yellow);
  }

  float r_;
  float a_;
  float k_;
  bool front_;
  Mood mood_;
  bool sideFixed_;
  int c_;
  Canvas head_;
  Canvas behind_;
};

}  // namespace

HeadArt drawHead(HeadKind kind, float r, HeadView view, Mood mood, bool sideFixed, float pixelAspect) {
  HeadArt art = HeadPainter(r, view, mood, sideFixed, pixelAspect).paint(kind);
  if (view == HeadView::FaceUp) {
    art.behind = art.behind.turnedLeft();
    art.front = art.front.turnedLeft();
  }
  return art;
}

}  // namespace pictures

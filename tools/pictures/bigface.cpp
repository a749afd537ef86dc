// Daiganmen: one huge face on little arms and legs, with red boxing gloves.
#include <cmath>

#include "assets/picture_shapes.h"
#include "fighters.h"

namespace pictures {

namespace {

// Laid out on a square grid of the cell's 32 columns and rows, feet on row 29.
struct FacePose {
  Pt centre;
  Pt backHand, frontHand, backFoot, frontFoot;
  Mood mood = Mood::Calm;
  bool front = false;  // looking at the player
  float squash = 1;    // height of the face against its width
};

FacePose posed(Pose pose) {
  switch (pose) {
    case WalkA:
      return {{15.5f, 14.5f}, {4, 18}, {27.5f, 15}, {10, 29}, {21.5f, 29}};
    case Ready:
      return {{16.5f, 15}, {5, 18}, {27, 12.5f}, {9.5f, 29}, {22.5f, 29}, Mood::Shout};
    case Punch:
      // the face pulled back so the glove flies well clear of it
      return {{12, 15}, {4, 19}, {27.8f, 15}, {7.5f, 29}, {18.5f, 29}, Mood::Shout};
    case FrontView:
      return {{15.5f, 14.5f}, {3.5f, 20}, {27.5f, 20}, {12.5f, 29}, {18.5f, 29}, Mood::Calm, true};
    case Kick:
      return {{12.5f, 13.5f}, {4, 9}, {22.5f, 6}, {10.5f, 29}, {26, 22}, Mood::Shout};
    case Crouch:
      return {{15.5f, 19.5f}, {3.5f, 24.5f}, {27.5f, 23}, {9, 29}, {22, 29}, Mood::Calm, false, 0.85f};
    case Jump:
      return {{15.5f, 17.5f}, {3.5f, 11}, {27.5f, 10}, {12.5f, 29}, {19, 29}, Mood::Shout, false, 0.9f};
    case Hit:
      return {{12, 14.5f}, {4, 6}, {21.5f, 4.5f}, {11.5f, 29}, {22.5f, 27}, Mood::Hurt};
    case WindUp:
      // the far glove drawn back behind his head, the near one cocked low, clear of the eyes
      return {{18, 15}, {4, 7}, {27, 21}, {11, 29}, {23.5f, 29}, Mood::Shout};
    case Victory:
      return {{15.5f, 16}, {3.5f, 4}, {27.5f, 4}, {11.5f, 29}, {19.5f, 29}, Mood::Glad, true};
    case Lying:  // knocked flat as a pancake, arms limp on the floor
      return {{15.5f, 23}, {4, 28.5f}, {27, 28.5f}, {11, 29}, {20, 29}, Mood::Hurt, true, 0.62f};
    default:
      return {{15.5f, 14.5f}, {4.5f, 17.5f}, {25, 14.5f}, {11.5f, 29}, {20, 29}};
  }
}

class FaceDrawer {
 public:
  FaceDrawer(const FacePose& p, bool sideFixed)
      : p_(onCell(p)), ry_(rx_ * p.squash), shine_(sideFixed ? 0.35f : -0.35f) {}

  Canvas draw() {
    Canvas out = cell();
    out.blit(limb(true, true), 0, 0);
    out.blit(limb(false, false), 0, 0);
    out.blit(head(), 0, 0);
    out.blit(limb(false, true), 0, 0);
    return out;
  }

 private:
  // The battle shows each pixel kAspect times as tall as wide: the pose's rows become display units
  // so the face is round on screen.
  static constexpr float kAspect = float(mojara::assets::kFighterShape.pixelAspect());
  static Canvas cell() { return Canvas(32, 32, Clear, kAspect); }
  static FacePose onCell(FacePose p) {
    for (Pt* q : {&p.centre, &p.backHand, &p.frontHand, &p.backFoot, &p.frontFoot}) q->y *= kAspect;
    return p;
  }
  static int row(float displayY) { return int(std::lround(displayY / kAspect)); }

  Pt at(float u, float v) const { return {p_.centre.x + u * rx_, p_.centre.y + v * ry_}; }
  int px(float u) const { return int(std::lround(p_.centre.x + u * rx_)); }
  int py(float v) const { return row(p_.centre.y + v * ry_); }

  // Arms and legs sprout straight from the face: the far pair behind it, the near
  // leg behind it too, and the near arm in front.
  Canvas limb(bool back, bool arms) const {
    Canvas l = cell();
    const float side = back ? -1.0f : 1.0f;
    if (arms || back) {
      const Pt hand = back ? p_.backHand : p_.frontHand;
      l.capsule(at(side * 0.96f, 0.35f), hand, 0.9f, White);
      l.disc(hand, 2.1f, Red);
      l.set(int(std::lround(hand.x + 1)), row(hand.y) - 1, Yellow);
    }
    if (!arms || back) {
      const Pt foot = back ? p_.backFoot : p_.frontFoot;
      const Pt toe = foot + Pt{p_.front ? side * 1.5f : 2.0f, 0};
      l.capsule(at(side * 0.3f, 0.8f), foot, 1.1f, White);
      l.capsule(foot, toe, 1.2f, Maroon);
    }
    if (back)
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) l.paint(x, y, shadeOf(l.at(x, y)));
    l.shadeEdge(0, 1);
    l.outline();
    return l;
  }

  Canvas head() const {
    Canvas c = cell();
    c.ellipse(p_.centre, rx_, ry_, White);
    c.disc(at(p_.front ? -1.0f : -0.95f, 0.05f), 2.0f, White);  // ear
    if (p_.front)
      c.disc(at(1.0f, 0.05f), 2.0f, White);
    else
      c.disc(at(0.98f, 0.05f), 1.8f, White);  // nose
    // a crew cut of black hair
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const float u = (x - p_.centre.x) / rx_, v = (y * kAspect - p_.centre.y) / ry_;
        const bool top = v < -0.55f + 0.07f * std::cos(u * 11.0f);
        if (c.solid(x, y) && (top || (!p_.front && u < -0.55f && v < -0.1f))) c.set(x, y, Black);
      }
    const Canvas shape = c;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (shape.at(x, y) == White && (!shape.solid(x - 2, y) || !shape.solid(x, y + 1)))
          c.set(x, y, Silver);
    c.outline();
    if (!p_.front) c.set(px(0.98f) - 1, py(0.2f), Grey);  // nostril
    // a shine on the hair, always on the side the light comes from
    c.paint(px(shine_), py(-0.75f), Grey);
    c.paint(px(shine_ + 0.1f), py(-0.82f), Grey);
    features(c);
    return c;
  }

  void features(Canvas& c) const {
    const bool shut = p_.mood == Mood::Hurt || p_.mood == Mood::Glad;
    const float eyes[2] = {p_.front ? -0.38f : -0.05f, p_.front ? 0.38f : 0.55f};
    for (float u : eyes) {
      const int x = px(u) - 1, y = py(-0.12f);
      if (shut) {
        c.fillRect(x, y + 1, 3, 1, Black);
        c.set(x + 1, y, Black);
        if (p_.mood == Mood::Hurt) c.set(x + 1, y + 2, Black);
      } else {
        c.fillRect(x, y - 1, 3, 4, Black);
        c.set(x + 1, y, White);
      }
      // thick brows, knitted when he means business
      const int lift = p_.mood == Mood::Hurt ? -1 : 0;
      const bool inner = p_.front ? u < 0 : u < 0.2f;  // which end points at the nose
      const int slant = p_.mood == Mood::Shout ? 1 : 0;
      c.fillRect(inner ? x - 1 : x + 2, y - 3 + lift, 2, 1, Black);
      c.fillRect(inner ? x + 1 : x - 1, y - 3 + lift, 3, 1, Black);
      c.fillRect(inner ? x + 2 : x - 1, y - 3 + lift + slant, 2, 1, Black);
    }
    const int mx = px(p_.front ? 0.0f : 0.3f) - 3, my = py(0.48f);
    c.set(px(p_.front ? -0.65f : -0.35f), py(0.25f), Red);  // rosy cheeks
    c.set(px(p_.front ? 0.65f : 0.85f), py(0.25f), Red);
    switch (p_.mood) {
      case Mood::Calm:
        c.fillRect(mx, my, 6, 1, Black);
        c.fillRect(mx + 1, my + 1, 4, 1, Red);
        break;
      case Mood::Shout:  // a fierce grin, teeth clenched
        c.fillRect(mx - 1, my - 1, 8, 4, Black);
        c.fillRect(mx, my, 6, 2, White);
        c.set(mx + 2, my, Black);
        c.set(mx + 4, my + 1, Black);
        break;
      case Mood::Hurt:
        c.fillRect(mx + 1, my, 4, 3, Black);
        c.fillRect(mx + 2, my + 1, 2, 2, Red);
        break;
      case Mood::Glad:
        c.fillRect(mx, my - 1, 7, 1, Black);
        c.fillRect(mx + 1, my, 5, 2, Red);
        c.fillRect(mx + 1, my, 5, 1, White);
        c.fillRect(mx + 2, my + 2, 3, 1, Black);
        break;
    }
  }

  FacePose p_;
  float rx_ = 8.5f;
  float ry_;
  float shine_;
};

}  // namespace

Canvas drawBigFace(Pose pose, bool sideFixed) { return FaceDrawer(posed(pose), sideFixed).draw(); }

}  // namespace pictures

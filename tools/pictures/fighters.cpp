#include "fighters.h"

#include "moves.h"
#include "style.h"

namespace pictures {

namespace {

Style daisaku() {
  Style s;
  s.height = 0.9f;
  s.headR = 5;
  s.shoulder = 3.9f, s.waist = 2.9f, s.hips = 3.1f;
  s.armR = 1.3f, s.legR = 1.6f, s.fistR = 1.8f, s.footR = 1.3f;
  s.top = Red, s.sleeve = Red, s.sleeveLen = 0.6f;
  s.pants = Blue, s.shoes = White;
  s.head = HeadKind::Daisaku;
  return s;
}

Style miyo() {
  Style s;
  s.height = 0.87f, s.width = 0.92f;
  s.headR = 5;
  s.shoulder = 2.8f, s.waist = 1.9f, s.hips = 2.6f;
  s.armR = 1.0f, s.legR = 1.15f, s.fistR = 1.4f, s.footR = 1.1f;
  s.top = Aqua, s.sleeve = Aqua, s.sleeveLen = 0.7f, s.trim = Red, s.chest = Chest::Tie;
  s.pants = White, s.pantsLen = 0, s.skirt = Navy, s.shoes = Red;
  s.head = HeadKind::Miyo;
  return s;
}

Style tama() {
  Style s;
  s.height = 0.78f;
  s.headR = 5.0f;
  s.shoulder = 2.9f, s.waist = 2.7f, s.hips = 3.1f;
  s.armR = 1.1f, s.legR = 1.5f, s.fistR = 1.4f, s.footR = 1.3f;
  s.skin = Yellow, s.top = Yellow, s.sleeve = Yellow, s.trim = White, s.chest = Chest::Belly, s.hands = White;
  s.pants = Yellow, s.shoes = White;
  s.head = HeadKind::Cat, s.extra = Extra::CatTail;
  return s;
}

Style ironDoll() {
  Style s;
  s.height = 0.8f, s.width = 0.95f;
  s.headR = 5.2f;
  s.shoulder = 2.7f, s.waist = 2.1f, s.hips = 2.7f;
  s.armR = 1.0f, s.legR = 1.1f, s.fistR = 1.3f, s.footR = 1.1f;
  s.skin = Silver, s.hands = Silver;
  s.top = Fuchsia, s.sleeve = Fuchsia, s.sleeveLen = 0.5f, s.trim = White, s.chest = Chest::Apron;
  s.pants = Silver, s.pantsLen = 0, s.skirt = Fuchsia, s.flare = 3.2f, s.shoes = Red;
  s.shine = true, s.metal = Silver;  // polished iron under the dress
  s.head = HeadKind::Doll, s.extra = Extra::DollJoints;
  return s;
}

Style knight() {
  Style s;
  s.height = 1.02f;
  s.headR = 4.3f;
  s.shoulder = 4.1f, s.waist = 2.8f, s.hips = 3.2f;
  s.armR = 1.4f, s.legR = 1.6f, s.fistR = 1.6f, s.footR = 1.4f;
  s.skin = Grey, s.top = Grey, s.sleeve = Grey, s.hands = Grey;
  s.pants = Grey, s.shoes = Grey;
  s.shine = true;
  s.head = HeadKind::Knight, s.extra = Extra::KnightCape;
  return s;
}

Style kokutanjin() {
  Style s;
  s.width = 1.05f;
  s.shoulder = 4.1f, s.waist = 3.2f, s.hips = 3.2f;
  s.armR = 1.5f, s.legR = 1.7f, s.fistR = 1.9f, s.footR = 1.4f;
  // matte black all over; only the edges facing the light pick up a grey sheen
  s.skin = Black, s.top = Black, s.sleeve = Black, s.hands = Black, s.pants = Black, s.shoes = Black;
  s.head = HeadKind::Charcoal, s.extra = Extra::CharcoalEmbers;
  s.shine = true;
  s.contour = Grey;  // dull grey lines where a limb crosses his body, so his moves read
  return s;
}

Canvas drawFacingRight(Fighter who, Pose pose, bool sideFixed) {
  if (pose == BlobTall || pose == BlobSquat) return drawBlob(pose);
  switch (who) {
    case Daiganmen:
      return drawBigFace(pose, sideFixed);
    case Jiro:
      // his glints come from one picture so both facings show the same scatter
      return pose == WindUp || pose == Victory ? drawKnight(pose, sideFixed)
                                               : knightGlints(drawKnight(pose, false));
    case Hanii:
      return drawHanii(pose, sideFixed);
    default:
      return drawHumanoid(styleOf(who), skeletonFor(who, pose), sideFixed);
  }
}

}  // namespace

Style styleOf(Fighter who) {
  switch (who) {
    case Miyo:
      return miyo();
    case Tama:
      return tama();
    case Jiro:
      return knight();
    case IronDoll:
      return ironDoll();
    case Kokutanjin:
      return kokutanjin();
    default:
      return daisaku();
  }
}

Canvas drawFighter(Fighter who, Pose pose, bool facingLeft) {
  const Canvas right = drawFacingRight(who, pose, facingLeft);
  return facingLeft ? right.mirrored() : right;
}

}  // namespace pictures

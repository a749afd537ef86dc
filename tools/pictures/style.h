// How one fighter is built and dressed: what turns a stick figure into that fighter.
#pragma once

#include "fighters.h"
#include "pose.h"

namespace pictures {

enum class HeadKind { Daisaku, Miyo, Cat, Doll, Knight, Charcoal };

enum class Extra { None, CatTail, KnightCape, CharcoalEmbers, DollJoints };

// What is worn or shows on the front of the chest, in the trim colour.
enum class Chest { Plain, Tie, Apron, Belly };

struct Style {
  // build
  float height = 1;  // stick figure squeeze, 1 = full height
  float width = 1;
  float headR = 4.5f;
  float shoulder = 3.5f;  // half widths of the trunk
  float waist = 2.5f;
  float hips = 3;
  float armR = 1.2f;
  float legR = 1.5f;
  float fistR = 1.6f;
  float footR = 1.2f;
  // outfit
  Colour skin = White;
  Colour top = Red;
  Colour sleeve = Red;
  float sleeveLen = 0.6f;  // share of the upper arm in the sleeve; above 1 runs down the forearm
  Colour hands = White;
  Colour pants = Blue;
  float pantsLen = 2;  // 1 covers the thigh, 2 the whole leg
  Colour shoes = Black;
  Colour belt = Clear;
  Colour skirt = Clear;  // a short skirt over the hips
  float flare = 1.8f;    // how far the skirt's hem stands out
  Colour trim = Clear;
  Chest chest = Chest::Plain;
  bool shine = false;      // hard surfaces catch the light on their leading edges
  Colour metal = Clear;    // if set, only this colour shines: polished metal among cloth
  Colour contour = Black;  // the line round a part where it crosses the rest of the figure
  HeadKind head = HeadKind::Daisaku;
  Extra extra = Extra::None;
};

// What a head looks like: hair that falls behind the body, and the head itself.
struct HeadArt {
  Canvas behind;
  Canvas front;
  int centre = 0;  // head centre sits at (centre, centre) in both canvases
};

// Draws a head of radius r (in display units, round as the player sees it on a picture whose
// pixels are shown pixelAspect times as tall as wide); sideFixed flips the few details that
// stay on one side of the screen whichever way the fighter faces.
HeadArt drawHead(HeadKind kind, float r, HeadView view, Mood mood, bool sideFixed, float pixelAspect = 1.0f);

// The same head for a picture whose pixels are shown `aspect` times as tall as wide: r across on
// screen, and round there.
HeadArt drawHeadShown(HeadKind kind, float r, HeadView view, Mood mood, bool sideFixed, float aspect);

// How each dressed-up fighter looks; the big face and the haniwa have their own drawings.
Style styleOf(Fighter who);

// Draws a whole fighter facing right in a 32x32 cell, for the battle's tall pixels or for a
// picture whose pixels are shown `aspect` times as tall as wide.
Canvas drawHumanoid(const Style& style, const Skeleton& pose, bool sideFixed);
Canvas drawHumanoid(const Style& style, const Skeleton& pose, bool sideFixed, float aspect);

}  // namespace pictures

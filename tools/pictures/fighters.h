// The eight fighters and every picture of them in the sprite store.
#pragma once

#include <array>
#include <string_view>

#include "pose.h"

namespace pictures {

enum Fighter { Daisaku, Miyo, Tama, Daiganmen, Jiro, Hanii, IronDoll, Kokutanjin, FighterCount };
static_assert(FighterCount == mojara::kFighters);

// Hanii's fired terracotta, wherever it is drawn: a dark red-brown body, warming to red and
// then to a dull ochre where the light catches its curve.
inline constexpr Colour kHaniiClay = Maroon;
inline constexpr Colour kHaniiWarm = Red;
inline constexpr Colour kHaniiLit = Olive;
inline constexpr Colour kHaniiDark = Black;

// Roster names as the contact sheet spells them.
inline constexpr std::array<std::string_view, FighterCount> kFighterNames = {
    "DAISAKU", "MIYO", "TAMA", "DAIGANMEN", "JIRO", "HANII", "IRON DOLL", "KOKUTANJIN",
};

// One picture of a fighter; the facing-left set is the mirror of the facing-right
// one apart from details that stay on the same side of the screen.
Canvas drawFighter(Fighter who, Pose pose, bool facingLeft);

// The blue power aura, shared by the whole cast.
Canvas drawBlob(Pose pose);

// Fighters that are more than a dressed-up stick figure, drawn facing right.
Canvas drawBigFace(Pose pose, bool sideFixed);
Canvas drawHanii(Pose pose, bool sideFixed);
Canvas drawKnight(Pose pose, bool sideFixed);
// Jiro in the dark: a few glints picked out of his full picture.
Canvas knightGlints(const Canvas& full);

}  // namespace pictures

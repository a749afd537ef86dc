// The shapes the pictures are drawn for are the boxes the windows show them in.
#include "assets/picture_shapes.h"

#include <gtest/gtest.h>

#include "battle/battle_window.h"
#include "screens/continue_window.h"
#include "screens/ending_window.h"
#include "select/select_window.h"
#include "title/title_window.h"

namespace mojara::assets {
namespace {

void expectBox(const forms::Control& control, const PictureShape& shape) {
  EXPECT_EQ(control.Width, shape.boxWidth) << control.Name;
  EXPECT_EQ(control.Height, shape.boxHeight) << control.Name;
}

TEST(PictureShapes, AreTheBoxesTheWindowsStretchThePicturesInto) {
  expectBox(TitleControls{}.Image1, kTitleShape);
  expectBox(SelectControls{}.Image1, kWorldMapShape);
  expectBox(ContinueControls{}.Image1, kContinueShape);
  expectBox(EndingControls{}.Image1, kEndingShape);
  const BattleControls battle;
  expectBox(battle.GAZOU[0], kFighterShape);
  expectBox(battle.GAZOU[1], kFighterShape);
  const SelectControls select;
  for (const auto& portrait : select.KYARA) expectBox(portrait, kPortraitShape);
  // Shown taller than drawn: the title, the ending and the fighters; wider: the map and continue.
  EXPECT_GT(kFighterShape.pixelAspect(), 1.2);
  EXPECT_LT(kWorldMapShape.pixelAspect(), 0.75);
}

}  // namespace
}  // namespace mojara::assets

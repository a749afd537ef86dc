#include <gtest/gtest.h>

#include "fake_host.h"
#include "game/game.h"
#include "help/help_window.h"
#include "select/select_window.h"
#include "title/title_window.h"

namespace mojara::testing {
namespace {

struct TitleTest : ::testing::Test {
  VirtualDesktop v;
  Game game{v.desktop};
  Module1& M = game.M;
};

TEST_F(TitleTest, TheTitleLoadPutsTheSharedStateIntoItsStartOfGameValues) {
  EXPECT_EQ(M, Module1{});  // before the title loads, every number is 0 and every text empty
  game.start();
  EXPECT_TRUE(game.title.shown());
  EXPECT_EQ(M.SPEED, 5);
  EXPECT_EQ(M.NL, "\r\n");
  EXPECT_EQ(M.IX, 2);
  for (int side = 0; side <= 1; ++side) {
    EXPECT_EQ(M.ACTION[side], 50000);
    EXPECT_EQ(M.POSE[side], 0);
    EXPECT_EQ(M.POW[side], 0);
    EXPECT_EQ(M.SCORE[side], 0);
  }
  EXPECT_EQ(game.rnd.state(), v.host.seed);  // the load reseeds from the clock
}

TEST_F(TitleTest, PlayGameClearsTheProgressSlidesTheTitleAwayAndOpensTheSelectWindow) {
  game.start();
  M.STAGE = 5;
  for (int k : {0, 3, 8}) M.BEATEN[k] = 1;
  v.host.events.clear();
  v.desktop.click(game.title.ctl->Command1);
  EXPECT_EQ(M.STAGE, 0);
  for (int k = 0; k <= 8; ++k) EXPECT_EQ(M.BEATEN[k], 0) << k;
  // The click's slot loop leaves IX at 9; the select window's load, run by its Show inside the
  // click, loops over the eight portraits after it and leaves 8.
  EXPECT_EQ(M.IX, 8);
  EXPECT_EQ(v.host.tops.size(), 101u);
  std::vector<std::string> expected = {"unload Form3", "load Form5", "show Form5"};
  EXPECT_EQ(v.host.events, expected);
  EXPECT_FALSE(game.title.loaded());
}

TEST_F(TitleTest, ANewGameAfterAGameOverStartsAfresh) {
  game.start();
  v.desktop.click(game.title.ctl->Command1);
  M.SPEED = 12;
  M.POW[0] = 40, M.POW[1] = 70;
  M.SCORE[0] = 1200, M.SCORE[1] = 56000;
  M.ACTION[0] = 47025;
  v.desktop.unload(game.select);
  v.desktop.show(game.title);
  EXPECT_EQ(M.SPEED, 5);
  EXPECT_EQ(M.POW[0] + M.POW[1] + M.SCORE[0] + M.SCORE[1], 0);
  EXPECT_EQ(M.ACTION[0], 50000);
}

TEST_F(TitleTest, TheHelpButtonDoesNothingAndF1OpensTheHelpWindow) {
  game.start();
  const Module1 before = M;
  v.host.events.clear();
  v.desktop.click(game.title.ctl->Command2);
  EXPECT_EQ(M, before);
  EXPECT_TRUE(v.host.events.empty());
  v.desktop.keyDown(game.title, forms::vk::F1);
  EXPECT_TRUE(game.help.shown());
  EXPECT_TRUE(game.title.shown());
  EXPECT_EQ(M, before);
}

TEST_F(TitleTest, TheTitleWindowShowsTheGamesOwnTexts) {
  game.start();
  const TitleControls& c = *game.title.ctl;
  EXPECT_EQ(game.title.Caption, "タイトル");
  EXPECT_EQ(c.Command1.Caption, "Ｐｌａｙ　Ｇａｍｅ");
  EXPECT_EQ(c.Command2.Caption, "ヘルプは Ｆ１ キー を押すとでます");
  EXPECT_EQ(c.Label1[0].Caption, "－－モジャラ大戦－－");
  EXPECT_EQ(c.Label1[1].Caption, "Ｒ．Ｍ　　ｗｏｒｋｓ　１９９８");
  EXPECT_EQ(c.Label1[1].ForeColor, (forms::Rgb{255, 128, 0}));
  // Drawing order: the maker line lies above the title line, which lies above the picture.
  const auto& list = game.title.controls();
  const auto place = [&](const forms::Control& control) {
    return std::find(list.begin(), list.end(), &control) - list.begin();
  };
  EXPECT_LT(place(c.Label1[1]), place(c.Label1[0]));
}

TEST(SharedState, IndexingOutsideTheBoundsIsAFatalError) {
  Module1 M;
  M.IX = 2;
  EXPECT_THROW(M.LIFE[M.IX] = 1, std::out_of_range);
  EXPECT_THROW((void)M.BEATEN[9], std::out_of_range);
  EXPECT_THROW((void)M.BEATEN[-1], std::out_of_range);
  EXPECT_NO_THROW(M.BEATEN[8] = 1);
}

}  // namespace
}  // namespace mojara::testing
